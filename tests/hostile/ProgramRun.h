#pragma once

#include <chrono>
#include <functional>
#include <map>
#include <string>
#include <vector>
#include <sys/types.h>

namespace quillmark::testing {

// One run of the built program, as a user starts it, with the figures the
// hostile-input suite reports.
struct ProgramRun {
    int status = -1;       // exit status; 128 + signal when killed by one
    std::string out;
    std::string err;
    double seconds = 0;    // wall time
    double cpuSeconds = 0; // user + system time of the program and its engine
    pid_t pid = -1;
    bool timedOut = false;
};

struct RunSettings {
    std::map<std::string, std::string> environment;  // added to ours
    std::chrono::seconds bound{600};                   // killed after this; timedOut then
    // RLIMIT_FSIZE of the program, SIGXFSZ ignored: a write past it fails with
    // EFBIG, as a write to a full disk fails with ENOSPC. 0: no limit.
    unsigned long fileSizeLimit = 0;
    // Called about every 50 ms while the program runs, with its pid and
    // what it wrote on standard error so far; may send it (or its engine) a
    // signal.
    using Callback = std::function<void(pid_t, std::chrono::milliseconds elapsed, const std::string& err)>;
    Callback whileRunning;
};

ProgramRun runProgram(const std::vector<std::string>& arguments, const RunSettings& settings);

// The pid of an engine process that `ownerPid` started, or -1.
pid_t engineOf(pid_t ownerPid);

// The processes that `parentPid` started and that still run.
std::vector<pid_t> childrenOf(pid_t parentPid);

// The engine processes that `rootPid` or any process below it started.
std::vector<pid_t> enginesBelow(pid_t rootPid);

// The profile folder (a path) an engine process runs with: one per start of an
// engine, kept when the engine restarts itself to set up a fresh profile.
std::string engineProfileOf(pid_t engine);

// The paths of the Unix sockets that process `pid` listens on or has
// bound (the engine's pipes), as seen from inside its network namespace.
std::vector<std::string> socketPathsOf(pid_t pid);

// What a run of `pid` left behind: files in the working folder, engine
// profiles, engine pipes, engine processes. Empty when nothing.
std::vector<std::string> leftoversOf(pid_t pid, const std::string& cacheHome, const std::string& tmpDir);

}  // namespace quillmark::testing
