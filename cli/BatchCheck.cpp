#include "cli/BatchCheck.h"

#include "cli/BatchJob.h"
#include "cli/BatchResults.h"
#include "cli/WorkerProcess.h"
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
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>


namespace quillmark {

namespace {

constexpr int kError = 2;
constexpr auto kWorkerEndBound = std::chrono::seconds(15);

std::vector<std::string> workerOptions(const CheckOptions& options) {
    std::vector<std::string> args;
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
          arguments_(workerCommand(workerOptions(options))),
          progress_(err, options.files.size()) {}

    int run() {
        const std::size_t total = options_.files.size();
        while (printed_ < total) {
            if (running_->interrupted()) awaitTheEndOfTheProgram();
            for (Worker& w : workers_) {
                if (!w.job && next_ < total) give(w);
                if (!w.job && next_ >= total && w.inFd >= 0) closeFd(w.inFd);  // no more work: the worker ends
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
        w.job = file;
        w.strayErr.clear();
        progress_.started(file, options_.files[file]);
        BatchJob job;
        job.file = options_.files[file];
        if (!writeAll(w.inFd, encodeJob(job))) retire(w, "检测进程意外结束：");
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
        while (w.job) {
            std::optional<FileResult> r = takeResult(w.results, damaged);
            if (!r) break;
            r->err = w.strayErr + r->err;
            w.strayErr.clear();
            results_[*w.job] = std::move(*r);
            w.job.reset();
        }
        if (w.pid > 0 && damaged) kill(w.pid, SIGTERM);  // it cleans up after itself
        if (w.pid > 0 && (damaged || w.outFd < 0)) retire(w, "检测进程意外结束：");
    }

    // Ends a worker: the file it was checking, if any, fails with what it said.
    void retire(Worker& w, const std::string& why) {
        const pid_t pid = w.pid;
        reapWorker(w);  // with what it said last, before it ended
        if (pid > 0) {
            running_->remove(pid);  // waits for an interruption that is under way
            if (running_->interrupted()) awaitTheEndOfTheProgram();
        }
        if (w.job) {
            results_[*w.job] = FileResult{kError, {}, w.strayErr + "quillmark: " + why + options_.files[*w.job] + "\n"};
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
