#include "cli/WorkerProcess.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <thread>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace quillmark {

namespace {

constexpr auto kWorkerEndBound = std::chrono::seconds(15);

}  // namespace

std::vector<std::string> workerCommand(const std::vector<std::string>& options) {
    std::vector<std::string> command = {std::filesystem::read_symlink("/proc/self/exe").string(), "check",
                                        "--batch-worker"};
    command.insert(command.end(), options.begin(), options.end());
    return command;
}

bool startWorker(const std::vector<std::string>& command, Worker& worker) {
    int inPipe[2], outPipe[2], errPipe[2];
    if (pipe2(inPipe, O_CLOEXEC) != 0) return false;
    if (pipe2(outPipe, O_CLOEXEC) != 0) {
        close(inPipe[0]), close(inPipe[1]);
        return false;
    }
    if (pipe2(errPipe, O_CLOEXEC) != 0) {
        close(inPipe[0]), close(inPipe[1]), close(outPipe[0]), close(outPipe[1]);
        return false;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, inPipe[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, outPipe[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, errPipe[1], STDERR_FILENO);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none, pipeSignal;
    sigemptyset(&none);
    sigemptyset(&pipeSignal);
    sigaddset(&pipeSignal, SIGPIPE);
    posix_spawnattr_setsigmask(&attributes, &none);  // the worker handles its own signals
    posix_spawnattr_setsigdefault(&attributes, &pipeSignal);  // ignored here only
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    std::vector<char*> argv;
    for (const auto& a : command) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const int failed = posix_spawn(&worker.pid, argv[0], &actions, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    close(inPipe[0]);
    close(outPipe[1]);
    close(errPipe[1]);
    worker.inFd = inPipe[1];
    worker.outFd = outPipe[0];
    worker.errFd = errPipe[0];
    if (failed != 0) {
        close(worker.inFd), close(worker.outFd), close(worker.errFd);
        worker.inFd = worker.outFd = worker.errFd = -1;
        worker.pid = -1;
        return false;
    }
    return true;
}

void drain(int& fd, std::string& into) {
    char buffer[8192];
    const ssize_t got = read(fd, buffer, sizeof buffer);
    if (got > 0) {
        into.append(buffer, static_cast<std::size_t>(got));
    } else if (got == 0 || (errno != EINTR && errno != EAGAIN)) {
        close(fd);
        fd = -1;
    }
}

void closeFd(int& fd) {
    if (fd >= 0) close(fd);
    fd = -1;
}

void reapWorker(Worker& w) {
    closeFd(w.inFd), closeFd(w.outFd);
    if (w.pid > 0) waitpid(w.pid, nullptr, 0);
    for (pollfd last{w.errFd, POLLIN, 0}; w.errFd >= 0 && poll(&last, 1, 0) > 0; last.fd = w.errFd) {
        drain(w.errFd, w.strayErr);
    }
    closeFd(w.errFd);
}

bool RunningWorkers::start(const std::vector<std::string>& command, Worker& worker) {
    std::lock_guard lock(mutex_);
    if (interrupted_ || !startWorker(command, worker)) return false;
    pids_.push_back(worker.pid);
    return true;
}

void RunningWorkers::remove(pid_t pid) {
    std::lock_guard lock(mutex_);
    std::erase(pids_, pid);
}

void RunningWorkers::interrupt(int signal) {
    interrupted_ = true;
    std::lock_guard lock(mutex_);
    for (pid_t pid : pids_) kill(pid, signal);
    const auto deadline = std::chrono::steady_clock::now() + kWorkerEndBound;
    for (pid_t pid : pids_) {
        while (waitpid(pid, nullptr, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > deadline) {
                kill(pid, SIGKILL);
                waitpid(pid, nullptr, 0);
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }
    pids_.clear();
}

}  // namespace quillmark
