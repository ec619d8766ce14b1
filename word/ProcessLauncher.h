#pragma once

#include <cstdint>
#include <string>
#include <vector>
#include <sys/types.h>

namespace word {

// Starts child processes from one thread that lives as long as the program,
// so that a child bound to its parent's life (PR_SET_PDEATHSIG follows the
// thread that forked it) ends with the program and not with a worker thread.
class ProcessLauncher {
public:
    static ProcessLauncher& instance();
    // Starts `args[0]` with `args` and our environment, with the
    // "NAME=value" entries of `environment` set over it; returns its pid, or
    // -1. A non-zero `addressSpaceBytes` limits the child's address space
    // (RLIMIT_AS).
    pid_t launch(const std::vector<std::string>& args, const std::vector<std::string>& environment = {},
                 std::uint64_t addressSpaceBytes = 0);

private:
    ProcessLauncher() = default;
};

}  // namespace word
