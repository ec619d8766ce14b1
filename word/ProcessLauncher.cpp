#include "ProcessLauncher.h"

#include <algorithm>
#include <condition_variable>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <sched.h>
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
    ChildSettings settings;
};

// Writes `text` to `path` with the calls a forked child may make.
bool writeSmallFile(const char* path, const std::string& text) {
    const int fd = open(path, O_WRONLY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool written = write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    close(fd);
    return written;
}

// The user and group maps of a user namespace that keeps who we are: the
// engine's pipe carries our uid in its name, and its files must stay ours.
struct IdentityMaps {
    std::string users = std::to_string(getuid()) + " " + std::to_string(getuid()) + " 1";
    std::string groups = std::to_string(getgid()) + " " + std::to_string(getgid()) + " 1";
};

// In the forked child: a network namespace of its own, directly when we may
// (root), else inside a user namespace of our own. Returns false when the
// system allows neither; exits when it is half made (a user namespace
// without our identity would change the engine's pipe name).
bool leaveTheNetwork(const IdentityMaps& maps) {
    if (unshare(CLONE_NEWNET) == 0) return true;
    if (unshare(CLONE_NEWUSER | CLONE_NEWNET) != 0) return false;
    writeSmallFile("/proc/self/setgroups", "deny");
    if (!writeSmallFile("/proc/self/uid_map", maps.users) || !writeSmallFile("/proc/self/gid_map", maps.groups)) {
        _exit(127);
    }
    return true;
}

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
    const std::vector<std::string> environment = childEnvironment(request.settings.environment);
    const IdentityMaps maps;
    std::vector<char*> envp;
    for (const auto& e : environment) envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);
    const pid_t parent = getpid();
    const pid_t pid = fork();
    if (pid != 0) return pid;
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent) _exit(127);
    if (request.settings.withoutNetwork && leaveTheNetwork(maps)) {
        prctl(PR_SET_PDEATHSIG, SIGKILL);  // kept by the kernel; set again all the same
    }
    setpgid(0, 0);  // keep terminal signals meant for us away from the engine
    sigset_t none;  // signals the parent handles on a thread of its own stay blocked across exec
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    if (const std::uint64_t bytes = request.settings.addressSpaceBytes; bytes > 0) {
        const rlimit limit{bytes, bytes};
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

pid_t ProcessLauncher::launch(const std::vector<std::string>& args, const ChildSettings& settings) {
    static LauncherThread* thread = new LauncherThread();  // lives until the program ends
    return thread->run(Request{args, settings});
}

bool runsWithoutOurNetwork(pid_t pid) {
    std::error_code error;
    const auto theirs = std::filesystem::read_symlink("/proc/" + std::to_string(pid) + "/ns/net", error);
    if (error) return false;
    const auto ours = std::filesystem::read_symlink("/proc/self/ns/net", error);
    return !error && theirs != ours;
}

}  // namespace word
