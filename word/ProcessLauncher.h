#pragma once

#include <cstdint>
#include <string>
#include <vector>
#include <sys/types.h>

namespace word {

// What a child gets besides its command line.
struct ChildSettings {
    // "NAME=value" entries set over our environment.
    std::vector<std::string> environment;
    // Non-zero: the child's address space limit (RLIMIT_AS).
    std::uint64_t addressSpaceBytes = 0;
    // The child runs in a network namespace of its own, which has no
    // interface but a loopback that is down: it reaches no address at all,
    // not even this machine's. Made without privileges through a user
    // namespace that maps our own user and group (root needs none). Unix
    // sockets bound to a path stay reachable both ways. Where the system
    // allows neither, the child runs with the network.
    bool withoutNetwork = false;
};

// Starts child processes from one thread that lives as long as the program,
// so that a child bound to its parent's life (PR_SET_PDEATHSIG follows the
// thread that forked it) ends with the program and not with a worker thread.
class ProcessLauncher {
public:
    static ProcessLauncher& instance();
    // Starts `args[0]` with `args` and our environment; returns its pid, or -1.
    pid_t launch(const std::vector<std::string>& args, const ChildSettings& settings = {});

private:
    ProcessLauncher() = default;
};

// True when `pid` runs in a network namespace other than ours.
bool runsWithoutOurNetwork(pid_t pid);

}  // namespace word
