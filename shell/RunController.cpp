#include "shell/RunController.h"

#include "shell/CheckKinds.h"
#include "shell/EngineErrors.h"
#include "shell/RunFlags.h"
#include "shell/ShellTexts.h"
#include "shell/StatusTexts.h"
#include "word/CallGate.h"
#include "word/WordError.h"

#include <system_error>

namespace quillmark {

RunController::RunController(RunLock& runLock, StatusSink& status, MessageSink& messages,
                             ThreadStarter threadStarter)
    : runLock_(runLock), status_(status), messages_(messages), threadStarter_(std::move(threadStarter)) {
    if (!threadStarter_) {
        threadStarter_ = [](std::function<void()> work) { return std::thread(std::move(work)); };
    }
}

RunController::~RunController() {
    stop();
    wait();
    if (worker_.joinable()) worker_.join();
}

void RunController::setBody(CheckKind kind, CheckBody body) { bodies_[kind] = std::move(body); }

RunController::StartResult RunController::start(std::vector<CheckKind> checks, CheckContext context,
                                                std::shared_ptr<ThesisDocument> document) {
    {
        std::lock_guard guard(mutex_);
        if (remaining_ > 0) return StartResult::Busy;
    }
    if (checks.empty()) return StartResult::Started;
    // The thread of an earlier run has passed its last end step; let it go.
    if (worker_.joinable()) worker_.join();
    {
        std::lock_guard guard(mutex_);
        remaining_ = checks.size();
        current_ = checks.front();
        paused_ = false;
    }
    auto run = std::make_shared<Run>(Run{std::move(checks), std::move(context), std::move(document)});
    try {
        worker_ = threadStarter_([this, run] { runChecks(*run); });
    } catch (const std::system_error&) {
        {
            std::lock_guard guard(mutex_);
            remaining_ = 0;
            current_.reset();
        }
        ended_.notify_all();
        return StartResult::ThreadFailed;
    }
    return StartResult::Started;
}

void RunController::runChecks(const Run& run) {
    word::setThreadCallGate([this] { passGate(); });
    ThreadRunFlag flag(runAllowed_);
    for (CheckKind kind : run.checks) {
        {
            std::unique_lock guard(mutex_);
            current_ = kind;
            resumed_.wait(guard, [&] { return !paused_; });
        }
        runCheck(kind, run);
        bool last = false;
        {
            std::lock_guard guard(mutex_);
            last = --remaining_ == 0;
            if (last) {
                current_.reset();
                paused_ = false;
                ending_ = true;
            }
        }
        if (last) {
            std::function<void()> hook;
            {
                std::lock_guard guard(mutex_);
                hook = finishedHook_;
            }
            if (hook) hook();
            {
                std::lock_guard guard(mutex_);
                ending_ = false;
            }
            ended_.notify_all();
        }
    }
    word::setThreadCallGate({});
}

void RunController::runCheck(CheckKind kind, const Run& run) {
    // Begin step: wait for the engine, then announce the check.
    runLock_.lock();
    const CheckMode mode = mode_.load();
    writeStatus(status_, beginStatusTexts(kind, mode));

    std::optional<word::WordError> engineError;
    std::optional<std::string> otherError;
    if (runAllowed_.load()) {
        auto body = bodies_.find(kind);
        if (body != bodies_.end() && body->second) {
            CheckContext context = run.context;
            if (run.document) context.wordDocument = run.document->wordDocument();
            try {
                body->second(context, mode);
            } catch (const word::WordError& error) {
                engineError = error;
            } catch (const std::exception& error) {
                otherError = error.what();
            } catch (...) {
                otherError = "";
            }
        }
    }

    // End step: announce the end and let the engine go.
    writeStatus(status_, endStatusTexts(kind, mode));
    runLock_.unlock();

    if (engineError) {
        if (engineError->code() == word::errors::EngineUnavailable) {
            // Without an engine the later checks of the run cannot work
            // either; the message says which document's check it ended.
            const bool named = run.document && !run.document->sourcePath.empty();
            reportEngineError(messages_, namingDocument(*engineError, named ? run.document->sourcePath : run.context.fileName));
            runAllowed_.store(false);
        } else {
            reportEngineError(messages_, *engineError);
        }
    } else if (otherError) {
        std::string text = std::string(texts::kCheckFailed) + checkLabel(kind);
        if (!otherError->empty()) text += "\n" + *otherError;
        messages_.showMessage(text);
    }
}

void RunController::passGate() {
    std::unique_lock guard(mutex_);
    resumed_.wait(guard, [&] { return !paused_; });
}

bool RunController::inProgress() const {
    std::lock_guard guard(mutex_);
    return remaining_ > 0;
}

std::optional<CheckKind> RunController::currentRun() const {
    std::lock_guard guard(mutex_);
    return current_;
}

bool RunController::setMode(CheckMode mode) {
    std::lock_guard guard(mutex_);
    if (remaining_ > 0) return false;
    mode_.store(mode);
    return true;
}

bool RunController::allowRuns() {
    std::lock_guard guard(mutex_);
    if (remaining_ > 0) return false;
    runAllowed_.store(true);
    return true;
}

bool RunController::pause() {
    std::lock_guard guard(mutex_);
    if (remaining_ == 0) return false;
    paused_ = true;
    return true;
}

bool RunController::resume() {
    {
        std::lock_guard guard(mutex_);
        if (remaining_ == 0) return false;
        paused_ = false;
    }
    resumed_.notify_all();
    return true;
}

bool RunController::stop() {
    {
        std::lock_guard guard(mutex_);
        if (remaining_ == 0) return false;
        paused_ = false;
        runAllowed_.store(false);
    }
    resumed_.notify_all();
    writeStatus(status_, stopStatusTexts(mode_.load()));
    return true;
}

bool RunController::paused() const {
    std::lock_guard guard(mutex_);
    return paused_;
}

void RunController::wait() {
    std::unique_lock guard(mutex_);
    ended_.wait(guard, [&] { return remaining_ == 0 && !ending_; });
}

bool RunController::waitFor(std::chrono::milliseconds timeout) {
    std::unique_lock guard(mutex_);
    return ended_.wait_for(guard, timeout, [&] { return remaining_ == 0 && !ending_; });
}

void RunController::setFinishedHook(std::function<void()> hook) {
    std::lock_guard guard(mutex_);
    finishedHook_ = std::move(hook);
}

}  // namespace quillmark
