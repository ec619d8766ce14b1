#include "cli/BatchCheck.h"

#include "cli/BatchResults.h"
#include "cli/Interruption.h"
#include "cli/TemplateCommand.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <mutex>
#include <optional>
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

// One worker process: it checks the files it is given one after another
// with an engine of its own, and answers each with a result.
struct Worker {
    pid_t pid = -1;
    int inFd = -1;   // file names to it
    int outFd = -1;  // results from it
    int errFd = -1;  // anything else it says, kept with its current file
    std::string results;
    std::optional<std::size_t> file;  // the file it checks now
    std::string strayErr;
};

std::vector<std::string> workerArguments(const CheckOptions& options) {
    std::vector<std::string> args = {std::filesystem::read_symlink("/proc/self/exe").string(), "check", "--batch-worker"};
    for (const auto& t : options.templates) args.insert(args.end(), {"--template", t});
    if (!options.type.empty()) args.insert(args.end(), {"--type", options.type});
    if (options.parts) args.insert(args.end(), {"--parts", *options.parts});
    if (options.fix) args.push_back("--fix");
    if (options.json) args.push_back("--json");
    if (options.verbose) args.push_back("--verbose");
    args.insert(args.end(), {"--open-timeout", std::to_string(options.openTimeoutSeconds)});
    if (options.callTimeoutSeconds) args.insert(args.end(), {"--call-timeout", std::to_string(*options.callTimeoutSeconds)});
    return args;
}

// Starts one worker with its standard input, output and error on pipes of ours.
bool startWorker(const std::vector<std::string>& args, Worker& worker) {
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
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
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
    // Starts a worker, unless the batch is being interrupted: a worker
    // started after the others were told would never hear of it.
    bool start(const std::vector<std::string>& args, Worker& worker) {
        std::lock_guard lock(mutex_);
        if (interrupted_ || !startWorker(args, worker)) return false;
        pids_.push_back(worker.pid);
        return true;
    }
    bool interrupted() const { return interrupted_; }
    void remove(pid_t pid) {
        std::lock_guard lock(mutex_);
        std::erase(pids_, pid);
    }
    // Hands the signal on and waits, within a bound, for each worker to
    // clean up after itself.
    void interrupt(int signal) {
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

private:
    std::mutex mutex_;
    std::vector<pid_t> pids_;
    std::atomic<bool> interrupted_{false};
};

// An interrupted batch prints nothing more and starts nothing: the
// interruption's own thread ends the program once the workers have ended.
void awaitTheEndOfTheProgram() { std::this_thread::sleep_for(2 * kWorkerEndBound); }

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

void closeFd(int& fd) {
    if (fd >= 0) close(fd);
    fd = -1;
}

// One batch: hands the files to the workers, one at a time to whichever is
// free, and prints the answers in the order of the files.
class Batch {
public:
    Batch(const CheckOptions& options, std::ostream& out, std::ostream& err)
        : options_(options),
          out_(out),
          err_(err),
          results_(options.files.size()),
          workers_(std::min<std::size_t>(static_cast<std::size_t>(options.jobs), options.files.size())),
          arguments_(workerArguments(options)),
          progress_(err, options.files.size()) {}

    int run() {
        const std::size_t total = options_.files.size();
        while (printed_ < total) {
            if (running_->interrupted()) awaitTheEndOfTheProgram();
            for (Worker& w : workers_) {
                if (!w.file && next_ < total) give(w);
                if (!w.file && next_ >= total && w.inFd >= 0) closeFd(w.inFd);  // no more work: the worker ends
            }
            readWorkers();
            for (Worker& w : workers_) takeAnswers(w);
            while (printed_ < total && results_[printed_]) print(*results_[printed_++]);
            progress_.draw();
        }
        for (Worker& w : workers_) retire(w, "");
        progress_.clear();
        if (options_.json) out_ << all_.dump(1, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
        return worst_;
    }

    std::shared_ptr<RunningWorkers> running() const { return running_; }

private:
    void give(Worker& w) {
        const std::size_t file = next_++;
        if (w.pid < 0 && !running_->start(arguments_, w)) {
            if (running_->interrupted()) awaitTheEndOfTheProgram();
            results_[file] = FileResult{kError, {}, "quillmark: 无法启动检测进程：" + options_.files[file] + "\n"};
            return;
        }
        w.file = file;
        w.strayErr.clear();
        progress_.started(file, options_.files[file]);
        if (!writeAll(w.inFd, options_.files[file] + std::string(1, '\0'))) retire(w, "检测进程意外结束：");
    }

    void readWorkers() {
        std::vector<pollfd> fds;
        std::vector<std::pair<Worker*, bool>> owners;  // worker, whether its answers
        for (Worker& w : workers_) {
            if (w.outFd >= 0) fds.push_back({w.outFd, POLLIN, 0}), owners.emplace_back(&w, true);
            if (w.errFd >= 0) fds.push_back({w.errFd, POLLIN, 0}), owners.emplace_back(&w, false);
        }
        if (fds.empty() || poll(fds.data(), fds.size(), 1000) <= 0) return;
        for (std::size_t i = 0; i < fds.size(); ++i) {
            if (fds[i].revents == 0) continue;
            auto [w, answers] = owners[i];
            if (answers) drain(w->outFd, w->results); else drain(w->errFd, w->strayErr);
        }
    }

    void takeAnswers(Worker& w) {
        bool damaged = false;
        while (w.file) {
            std::optional<FileResult> r = takeResult(w.results, damaged);
            if (!r) break;
            r->err = w.strayErr + r->err;
            w.strayErr.clear();
            results_[*w.file] = std::move(*r);
            w.file.reset();
        }
        if (w.pid > 0 && damaged) kill(w.pid, SIGTERM);  // it cleans up after itself
        if (w.pid > 0 && (damaged || w.outFd < 0)) retire(w, "检测进程意外结束：");
    }

    // Ends a worker: the file it was checking, if any, fails with what it said.
    void retire(Worker& w, const std::string& why) {
        closeFd(w.inFd), closeFd(w.outFd);
        if (w.pid > 0) {
            waitpid(w.pid, nullptr, 0);
            running_->remove(w.pid);  // waits for an interruption that is under way
            if (running_->interrupted()) awaitTheEndOfTheProgram();
        }
        // What it said last, before it ended.
        for (pollfd last{w.errFd, POLLIN, 0}; w.errFd >= 0 && poll(&last, 1, 0) > 0; last.fd = w.errFd) {
            drain(w.errFd, w.strayErr);
        }
        closeFd(w.errFd);
        if (w.file) {
            results_[*w.file] = FileResult{kError, {}, w.strayErr + "quillmark: " + why + options_.files[*w.file] + "\n"};
        }
        w = Worker{};
    }

    void print(const FileResult& r) {
        progress_.clear();
        err_ << r.err << std::flush;
        if (options_.json) {
            const auto findings = nlohmann::json::parse(r.out, nullptr, false);
            if (findings.is_array()) all_.insert(all_.end(), findings.begin(), findings.end());
        } else {
            out_ << r.out << std::flush;
        }
        if (r.status == 1) worst_ = std::max(worst_, 1);
        if (r.status != 0 && r.status != 1) worst_ = kError;
    }

    const CheckOptions& options_;
    std::ostream& out_;
    std::ostream& err_;
    std::vector<std::optional<FileResult>> results_;
    std::vector<Worker> workers_;
    const std::vector<std::string> arguments_;
    std::shared_ptr<RunningWorkers> running_ = std::make_shared<RunningWorkers>();
    ProgressLine progress_;
    nlohmann::json all_ = nlohmann::json::array();
    std::size_t next_ = 0;
    std::size_t printed_ = 0;
    int worst_ = 0;
};

}  // namespace

int runBatch(const CheckOptions& options, std::ostream& out, std::ostream& err) {
    // The workers load the templates too, silently: their warnings are
    // shown once, before the first file, as a check of all files shows them.
    FormatTemplate ignored;
    loadTemplateFiles(ignored, options.templates, err);

    Batch batch(options, out, err);
    setInterruptionHook([running = batch.running()](int signal) { running->interrupt(signal); });
    // A worker that died takes its pipe's reader with it; the batch goes on.
    struct sigaction ignorePipe {}, previousPipe {};
    ignorePipe.sa_handler = SIG_IGN;
    sigaction(SIGPIPE, &ignorePipe, &previousPipe);
    const int status = batch.run();
    sigaction(SIGPIPE, &previousPipe, nullptr);
    setInterruptionHook({});
    return status;
}

}  // namespace quillmark
