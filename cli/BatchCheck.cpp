#include "cli/BatchCheck.h"

#include "cli/Interruption.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <mutex>
#include <ostream>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace quillmark {

namespace {

constexpr int kError = 2;
constexpr auto kWorkerEndBound = std::chrono::seconds(15);

struct Worker {
    std::size_t file = 0;
    pid_t pid = -1;
    int outFd = -1;
    int errFd = -1;
    std::string out;
    std::string err;
    int status = -1;  // exit status once ended
    bool ended = false;
};

std::vector<std::string> workerArguments(const CheckOptions& options, const std::string& file) {
    std::vector<std::string> args = {std::filesystem::read_symlink("/proc/self/exe").string(), "check", file};
    for (const auto& t : options.templates) args.insert(args.end(), {"--template", t});
    if (!options.type.empty()) args.insert(args.end(), {"--type", options.type});
    if (!options.parts.empty()) args.insert(args.end(), {"--parts", options.parts});
    if (options.fix) args.push_back("--fix");
    if (options.json) args.push_back("--json");
    if (options.verbose) args.push_back("--verbose");
    args.insert(args.end(), {"--open-timeout", std::to_string(options.openTimeoutSeconds)});
    if (options.callTimeoutSeconds) args.insert(args.end(), {"--call-timeout", std::to_string(*options.callTimeoutSeconds)});
    return args;
}

// Starts one worker with its standard output and error on pipes of ours.
bool startWorker(const std::vector<std::string>& args, Worker& worker) {
    int outPipe[2], errPipe[2];
    if (pipe2(outPipe, O_CLOEXEC) != 0) return false;
    if (pipe2(errPipe, O_CLOEXEC) != 0) {
        close(outPipe[0]);
        close(outPipe[1]);
        return false;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, outPipe[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, errPipe[1], STDERR_FILENO);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attributes, &none);  // the worker handles its own signals
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK);
    std::vector<char*> argv;
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const int failed = posix_spawn(&worker.pid, argv[0], &actions, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    close(outPipe[1]);
    close(errPipe[1]);
    worker.outFd = outPipe[0];
    worker.errFd = errPipe[0];
    if (failed != 0) {
        close(worker.outFd);
        close(worker.errFd);
        worker.outFd = worker.errFd = -1;
        worker.pid = -1;
        return false;
    }
    return true;
}

// Reads what is there; closes the pipe at its end.
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

// The workers that run, for the interruption hook.
class RunningWorkers {
public:
    void add(pid_t pid) {
        std::lock_guard lock(mutex_);
        pids_.push_back(pid);
    }
    void remove(pid_t pid) {
        std::lock_guard lock(mutex_);
        std::erase(pids_, pid);
    }
    // Hands the signal on and waits, within a bound, for each worker to
    // clean up after itself.
    void interrupt(int signal) {
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

private:
    std::mutex mutex_;
    std::vector<pid_t> pids_;
};

class ProgressLine {
public:
    ProgressLine(std::ostream& err, std::size_t total)
        : err_(err), total_(total), shown_(isatty(STDERR_FILENO) == 1), start_(std::chrono::steady_clock::now()) {}
    void started(std::size_t index, const std::string& file) {
        index_ = index;
        name_ = std::filesystem::path(file).filename().string();
        draw();
    }
    void clear() {
        if (shown_) err_ << "\r\033[K" << std::flush;
    }
    void draw() {
        if (!shown_) return;
        const auto seconds =
            std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - start_).count();
        err_ << "\r\033[K" << "第 " << index_ + 1 << "/" << total_ << " 个文件：" << name_ << "，已用 " << seconds
             << " 秒" << std::flush;
    }

private:
    std::ostream& err_;
    std::size_t total_;
    bool shown_;
    std::chrono::steady_clock::time_point start_;
    std::size_t index_ = 0;
    std::string name_;
};

int exitStatusOf(int status) {
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    return kError;
}

}  // namespace

int runBatch(const CheckOptions& options, std::ostream& out, std::ostream& err) {
    const std::size_t total = options.files.size();
    std::vector<Worker> workers(total);
    auto running = std::make_shared<RunningWorkers>();
    setInterruptionHook([running](int signal) { running->interrupt(signal); });

    ProgressLine progress(err, total);
    nlohmann::json all = nlohmann::json::array();
    std::size_t next = 0, printed = 0, active = 0;
    int worst = 0;
    auto finish = [&](Worker& w) {
        progress.clear();
        err << w.err << std::flush;
        if (options.json) {
            const auto findings = nlohmann::json::parse(w.out, nullptr, false);
            if (findings.is_array()) all.insert(all.end(), findings.begin(), findings.end());
        } else {
            out << w.out << std::flush;
        }
        if (w.status == 1) worst = std::max(worst, 1);
        if (w.status != 0 && w.status != 1) worst = kError;
    };

    while (printed < total) {
        while (active < static_cast<std::size_t>(options.jobs) && next < total) {
            Worker& w = workers[next];
            w.file = next;
            if (startWorker(workerArguments(options, options.files[next]), w)) {
                running->add(w.pid);
                ++active;
            } else {
                w.ended = true;
                w.status = kError;
                w.err = "quillmark: 无法启动检测进程：" + options.files[next] + "\n";
            }
            progress.started(next, options.files[next]);
            ++next;
        }
        std::vector<pollfd> fds;
        std::vector<std::pair<Worker*, int*>> owners;
        for (Worker& w : workers) {
            for (int* fd : {&w.outFd, &w.errFd}) {
                if (*fd < 0) continue;
                fds.push_back({*fd, POLLIN, 0});
                owners.emplace_back(&w, fd);
            }
        }
        if (!fds.empty() && poll(fds.data(), fds.size(), 1000) > 0) {
            for (std::size_t i = 0; i < fds.size(); ++i) {
                if (fds[i].revents == 0) continue;
                auto [w, fd] = owners[i];
                drain(*fd, fd == &w->outFd ? w->out : w->err);
            }
        }
        for (Worker& w : workers) {
            if (w.pid > 0 && !w.ended && w.outFd < 0 && w.errFd < 0) {
                int status = 0;
                waitpid(w.pid, &status, 0);
                running->remove(w.pid);
                w.status = exitStatusOf(status);
                w.ended = true;
                --active;
            }
        }
        while (printed < total && workers[printed].ended) finish(workers[printed++]);
        progress.draw();
    }
    progress.clear();
    setInterruptionHook({});
    if (options.json) out << all.dump(1, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
    return worst;
}

}  // namespace quillmark
