#include "serve/CheckService.h"

#include "cli/BatchJob.h"
#include "cli/BatchResults.h"
#include "serve/CheckId.h"

#include <algorithm>
#include <csignal>
#include <sstream>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace quillmark::serve {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kErrorStatus = 2;
constexpr auto kWorkerEndBound = std::chrono::seconds(15);
const std::vector<double> kDurationBuckets = {5, 10, 20, 30, 60, 120, 300, 600};

// A worker's messages as the user reads them: without the program's name.
std::string userMessage(const std::string& said) {
    std::istringstream lines(said);
    std::string line, message;
    while (std::getline(lines, line)) {
        if (line.rfind("quillmark: ", 0) == 0) line.erase(0, 11);
        if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
        if (!message.empty()) message += '\n';
        message += line;
    }
    return message.empty() ? "检测没有完成" : message;
}

// Ends a worker that is in the middle of a job: it cleans up after itself
// on SIGTERM (its engine, its working copies); a worker that does not end
// within the bound is killed.
void endWorker(pid_t pid) {
    kill(pid, SIGTERM);
    const auto deadline = Clock::now() + kWorkerEndBound;
    while (waitpid(pid, nullptr, WNOHANG) == 0) {
        if (Clock::now() > deadline) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

}  // namespace

const char* statusName(CheckStatus status) {
    switch (status) {
        case CheckStatus::Queued: return "queued";
        case CheckStatus::Running: return "running";
        case CheckStatus::Done: return "done";
        case CheckStatus::Failed: return "failed";
    }
    return "failed";
}

struct CheckService::Check {
    CheckView view;
    fs::path folder;
    Clock::time_point started, finished;
    bool cancelled = false;
};

CheckService::CheckService(ServiceSettings settings)
    : settings_(std::move(settings)),
      command_(workerCommand(settings_.workerOptions)),
      workers_(static_cast<std::size_t>(settings_.jobs)),
      current_(workers_.size()),
      lines_(workers_.size()),
      durationCounts_(kDurationBuckets.size() + 1) {
    if (pipe2(wakeFds_, O_CLOEXEC | O_NONBLOCK) != 0) throw std::runtime_error("no pipe for the check queue");
    fs::create_directories(settings_.storage);
    fs::permissions(settings_.storage, fs::perms::owner_all, fs::perm_options::replace);
    dispatcher_ = std::thread([this] { dispatch(); });
}

CheckService::~CheckService() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake();
    dispatcher_.join();
    for (Worker& w : workers_) {
        if (w.pid > 0) {
            endWorker(w.pid);
            running_->remove(w.pid);
        }
        reapWorker(w);
    }
    std::error_code ignored;
    fs::remove_all(settings_.storage, ignored);
    close(wakeFds_[0]);
    close(wakeFds_[1]);
}

std::optional<CheckService::Slot> CheckService::reserve() {
    std::lock_guard lock(mutex_);
    if (queue_.size() + reserved_ >= settings_.queueBound) return std::nullopt;
    Slot slot{newCheckId(), {}};
    slot.folder = settings_.storage / slot.id;
    fs::create_directory(slot.folder);
    fs::permissions(slot.folder, fs::perms::owner_all, fs::perm_options::replace);
    ++reserved_;
    return slot;
}

bool CheckService::submit(const Slot& slot, CheckRequest request) {
    {
        std::lock_guard lock(mutex_);
        --reserved_;
        auto check = std::make_unique<Check>();
        check->view.id = slot.id;
        check->view.request = std::move(request);
        check->folder = slot.folder;
        checks_[slot.id] = std::move(check);
        queue_.push_back(slot.id);
    }
    wake();
    return true;
}

void CheckService::release(const Slot& slot) {
    std::lock_guard lock(mutex_);
    --reserved_;
    deleteFolder(slot.folder);
}

std::optional<CheckView> CheckService::find(const std::string& id) const {
    std::lock_guard lock(mutex_);
    const auto it = checks_.find(id);
    if (it == checks_.end() || it->second->cancelled) return std::nullopt;
    CheckView view = it->second->view;
    if (view.status == CheckStatus::Queued) {
        view.queuePlace = static_cast<std::size_t>(std::find(queue_.begin(), queue_.end(), id) - queue_.begin()) + 1;
    }
    return view;
}

bool CheckService::remove(const std::string& id) {
    {
        std::lock_guard lock(mutex_);
        const auto it = checks_.find(id);
        if (it == checks_.end() || it->second->cancelled) return false;
        Check& check = *it->second;
        if (check.view.status == CheckStatus::Running) {
            check.cancelled = true;  // the dispatcher ends its worker, then deletes it
        } else {
            std::erase(queue_, id);
            deleteFolder(check.folder);
            checks_.erase(it);
            return true;
        }
    }
    wake();
    return true;
}

ServiceFigures CheckService::figures() const {
    std::lock_guard lock(mutex_);
    ServiceFigures f;
    f.queued = queue_.size();
    for (const auto& [id, check] : checks_) {
        if (check->view.status == CheckStatus::Running) ++f.running;
    }
    f.kept = checks_.size();
    f.done = done_;
    f.failed = failed_;
    f.durationBuckets = kDurationBuckets;
    f.durationCounts = durationCounts_;
    f.durationSum = durationSum_;
    return f;
}

void CheckService::interrupt(int signal) { running_->interrupt(signal); }

void CheckService::wake() {
    const char byte = 1;
    [[maybe_unused]] const auto written = write(wakeFds_[1], &byte, 1);
}

void CheckService::deleteFolder(const fs::path& folder) const {
    std::error_code ignored;
    fs::remove_all(folder, ignored);
}

void CheckService::dispatch() {
    while (true) {
        {
            std::unique_lock lock(mutex_);
            if (stopping_) return;
        }
        endCancelled();
        {
            std::unique_lock lock(mutex_);
            startQueued(lock);
            expire();
        }
        readWorkers();
        for (std::size_t slot = 0; slot < workers_.size(); ++slot) {
            takeProgress(slot);
            takeAnswer(slot);
        }
    }
}

void CheckService::startQueued(std::unique_lock<std::mutex>&) {
    for (std::size_t slot = 0; slot < workers_.size() && !queue_.empty(); ++slot) {
        if (!current_[slot].empty()) continue;
        Worker& w = workers_[slot];
        const std::string id = queue_.front();
        queue_.pop_front();
        Check& check = *checks_.at(id);
        if (w.pid < 0 && !running_->start(command_, w)) {
            if (!running_->interrupted()) finish(check, true, "无法启动检测进程");
            continue;
        }
        const CheckRequest& r = check.view.request;
        BatchJob job;
        job.file = r.document.string();
        job.shownName = r.shownName;
        job.templates = r.templates;  // none: the built-in template, whatever the worker was given
        job.type = r.type;
        if (!r.parts.empty()) job.parts = r.parts;  // unset: every part
        job.fix = r.fix;
        if (r.report) job.report = (check.folder / ("report" + r.document.extension().string())).string();
        job.comments = r.report && r.comments;
        if (!r.model.empty()) job.model = r.model.string();
        job.progress = true;
        check.view.status = CheckStatus::Running;
        check.view.progress = "开始检测";
        check.started = Clock::now();
        current_[slot] = id;
        w.strayErr.clear();
        lines_[slot].clear();
        if (!writeAll(w.inFd, encodeJob(job))) {
            current_[slot].clear();
            finish(check, true, "检测进程意外结束\n" + userMessage(retire(slot)));
        }
    }
}

void CheckService::readWorkers() {
    std::vector<pollfd> fds{{wakeFds_[0], POLLIN, 0}};
    std::vector<std::pair<std::size_t, bool>> owners{{0, false}};  // worker, whether its answers
    for (std::size_t slot = 0; slot < workers_.size(); ++slot) {
        const Worker& w = workers_[slot];
        if (w.outFd >= 0) fds.push_back({w.outFd, POLLIN, 0}), owners.emplace_back(slot, true);
        if (w.errFd >= 0) fds.push_back({w.errFd, POLLIN, 0}), owners.emplace_back(slot, false);
    }
    if (poll(fds.data(), fds.size(), 500) <= 0) return;
    if (fds[0].revents != 0) {
        char bytes[64];
        while (read(wakeFds_[0], bytes, sizeof bytes) > 0) {
        }
    }
    for (std::size_t i = 1; i < fds.size(); ++i) {
        if (fds[i].revents == 0) continue;
        auto [slot, answers] = owners[i];
        Worker& w = workers_[slot];
        if (answers) drain(w.outFd, w.results); else drain(w.errFd, lines_[slot]);
    }
}

void CheckService::takeProgress(std::size_t slot) {
    std::string& pending = lines_[slot];
    std::string latest;
    for (std::size_t end = pending.find('\n'); end != std::string::npos; end = pending.find('\n')) {
        const std::string line = pending.substr(0, end + 1);
        pending.erase(0, end + 1);
        if (const auto step = progressOf(line.substr(0, line.size() - 1))) {
            latest = *step;
        } else {
            workers_[slot].strayErr += line;
        }
    }
    if (latest.empty() || current_[slot].empty()) return;
    std::lock_guard lock(mutex_);
    checks_.at(current_[slot])->view.progress = latest;
}

void CheckService::takeAnswer(std::size_t slot) {
    Worker& w = workers_[slot];
    bool damaged = false;
    if (!current_[slot].empty()) {
        if (std::optional<FileResult> r = takeResult(w.results, damaged)) {
            std::lock_guard lock(mutex_);
            Check& check = *checks_.at(current_[slot]);
            current_[slot].clear();
            w.strayErr.clear();
            if (check.cancelled) {  // deleted while its answer came
                deleteFolder(check.folder);
                checks_.erase(check.view.id);
                return;
            }
            if (r->status == kErrorStatus) {
                finish(check, true, userMessage(r->err));
            } else {
                const auto findings = nlohmann::json::parse(r->out, nullptr, false);
                check.view.findings = findings.is_array() ? findings : nlohmann::json::array();
                const fs::path report = check.folder / ("report" + check.view.request.document.extension().string());
                if (check.view.request.report && fs::exists(report)) check.view.report = report;
                finish(check, false, {});
            }
        }
    }
    if (w.pid > 0 && damaged) kill(w.pid, SIGTERM);  // it cleans up after itself
    if (w.pid <= 0 || (!damaged && w.outFd >= 0)) return;
    const std::string said = retire(slot);
    std::lock_guard lock(mutex_);
    if (current_[slot].empty()) return;
    const auto it = checks_.find(current_[slot]);
    current_[slot].clear();
    if (it != checks_.end()) finish(*it->second, true, "检测进程意外结束\n" + userMessage(said));
}

std::string CheckService::retire(std::size_t slot) {
    Worker& w = workers_[slot];
    const pid_t pid = w.pid;
    reapWorker(w);
    if (pid > 0) running_->remove(pid);
    std::string said = w.strayErr + lines_[slot];
    w = Worker{};
    lines_[slot].clear();
    return said;
}

void CheckService::finish(Check& check, bool failed, const std::string& message) {
    check.view.status = failed ? CheckStatus::Failed : CheckStatus::Done;
    check.view.message = message;
    check.view.progress.clear();
    check.finished = Clock::now();
    if (failed) {
        ++failed_;
        return;
    }
    ++done_;
    const double seconds = std::chrono::duration<double>(check.finished - check.started).count();
    durationSum_ += seconds;
    for (std::size_t i = 0; i < kDurationBuckets.size(); ++i) {
        if (seconds <= kDurationBuckets[i]) ++durationCounts_[i];
    }
    ++durationCounts_.back();
}

void CheckService::endCancelled() {
    std::vector<std::size_t> slots;
    {
        std::lock_guard lock(mutex_);
        for (std::size_t slot = 0; slot < workers_.size(); ++slot) {
            if (!current_[slot].empty() && checks_.at(current_[slot])->cancelled) slots.push_back(slot);
        }
    }
    for (std::size_t slot : slots) {
        Worker& w = workers_[slot];
        if (w.pid > 0) endWorker(w.pid);
        retire(slot);
        std::lock_guard lock(mutex_);
        const auto it = checks_.find(current_[slot]);
        deleteFolder(it->second->folder);
        checks_.erase(it);
        current_[slot].clear();
    }
}

void CheckService::expire() {
    const auto now = Clock::now();
    for (auto it = checks_.begin(); it != checks_.end();) {
        const CheckStatus status = it->second->view.status;
        const bool over = status == CheckStatus::Done || status == CheckStatus::Failed;
        if (over && now - it->second->finished >= settings_.keep) {
            deleteFolder(it->second->folder);
            it = checks_.erase(it);
        } else {
            ++it;
        }
    }
}

}  // namespace quillmark::serve
