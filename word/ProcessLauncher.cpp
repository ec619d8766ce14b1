#include "ProcessLauncher.h"

#include <algorithm>
#include <condition_variable>
#include <csignal>
#include <fcntl.h>
#include <functional>
#include <mutex>
#include <optional>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>

namespace word {

namespace {

struct Request {
    std::vector<std::string> args;
    std::uint64_t addressSpaceBytes = 0;
    std::vector<std::string> environment;  // NAME=value entries set over ours
};

// Our environment with `overrides` in place of the entries of the same name;
// built before the fork, since the child may only call what is safe there.
std::vector<std::string> childEnvironment(const std::vector<std::string>& overrides) {
    std::vector<std::string> result(overrides);
    for (char** entry = environ; entry && *entry; ++entry) {
        const std::string variable(*entry);
        const std::string name = variable.substr(0, variable.find('=') + 1);
        const bool replaced = std::any_of(overrides.begin(), overrides.end(),
                                          [&](const std::string& o) { return o.compare(0, name.size(), name) == 0; });
        if (!replaced) result.push_back(variable);
    }
    return result;
}

pid_t spawnBoundToParent(const Request& request) {
    std::vector<char*> argv;
    for (const auto& a : request.args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const std::vector<std::string> environment = childEnvironment(request.environment);
    std::vector<char*> envp;
    for (const auto& e : environment) envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);
    const pid_t parent = getpid();
    const pid_t pid = fork();
    if (pid != 0) return pid;
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent) _exit(127);
    setpgid(0, 0);  // keep terminal signals meant for us away from the engine
    sigset_t none;  // signals the parent handles on a thread of its own stay blocked across exec
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    if (request.addressSpaceBytes > 0) {
        const rlimit limit{request.addressSpaceBytes, request.addressSpaceBytes};
        setrlimit(RLIMIT_AS, &limit);
    }
    int devnull = open("/dev/null", O_RDWR);
    if (devnull >= 0) {
        dup2(devnull, STDIN_FILENO);
        if (!getenv("QUILLMARK_ENGINE_LOG")) {
            dup2(devnull, STDOUT_FILENO);
            dup2(devnull, STDERR_FILENO);
        }
    }
    execve(argv[0], argv.data(), envp.data());
    _exit(127);
}

// The one long-lived thread that forks.
class LauncherThread {
public:
    LauncherThread() : thread_([this] { loop(); }) { thread_.detach(); }

    pid_t run(Request request) {
        std::lock_guard oneCaller(callMutex_);
        std::unique_lock lock(mutex_);
        request_ = std::move(request);
        result_.reset();
        wake_.notify_all();
        done_.wait(lock, [this] { return result_.has_value(); });
        pid_t pid = *result_;
        result_.reset();
        return pid;
    }

private:
    void loop() {
        std::unique_lock lock(mutex_);
        for (;;) {
            wake_.wait(lock, [this] { return request_.has_value(); });
            result_ = spawnBoundToParent(*request_);
            request_.reset();
            done_.notify_all();
        }
    }

    std::mutex callMutex_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable done_;
    std::optional<Request> request_;
    std::optional<pid_t> result_;
    std::thread thread_;
};

}  // namespace

ProcessLauncher& ProcessLauncher::instance() {
    static ProcessLauncher launcher;
    return launcher;
}

pid_t ProcessLauncher::launch(const std::vector<std::string>& args, const std::vector<std::string>& environment,
                              std::uint64_t addressSpaceBytes) {
    static LauncherThread* thread = new LauncherThread();  // lives until the program ends
    return thread->run(Request{args, addressSpaceBytes, environment});
}

}  // namespace word
