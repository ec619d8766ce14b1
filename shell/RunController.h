#pragma once

#include "shell/CheckContext.h"
#include "shell/CheckMode.h"
#include "shell/RunLock.h"
#include "shell/StatusSink.h"
#include "shell/ThesisDocument.h"
#include "shell/UserMessages.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace quillmark {

// The work of one check, run on a checker thread between the begin and end
// steps of the frame. Engine errors and other exceptions may leave it; the
// frame ends the check and tells the user.
using CheckBody = std::function<void(const CheckContext& context, CheckMode mode)>;

// Starts a thread for a piece of work; throws std::system_error when it cannot.
using ThreadStarter = std::function<std::thread(std::function<void()>)>;

// The run state of the program and the frame around every check.
//
// A run is one check, or the six checks of "检测所有", started together. Its
// checks work one after another, in the given order, on one checker thread;
// each takes the run lock for its own begin-to-end span, so an opening or the
// user-interface thread can use the engine between two checks. The run is in
// progress (currentRun set) from its start until its last check has passed
// its end step; pause, continue and stop act on it only then.
//
// Pause takes effect between engine calls: the frame installs a call gate on
// the checker thread that waits while the run is paused, and a paused run
// also waits before its next check begins.
class RunController {
public:
    RunController(RunLock& runLock, StatusSink& status, MessageSink& messages, ThreadStarter threadStarter = {});
    ~RunController();  // stops a run in progress and waits for it

    RunController(const RunController&) = delete;
    RunController& operator=(const RunController&) = delete;

    // The work of a check; a check without a body only passes its begin and
    // end steps.
    void setBody(CheckKind kind, CheckBody body);

    enum class StartResult { Started, Busy, ThreadFailed };
    // Starts a run of `checks` on `document`. `context` is handed to every
    // check; its document is read from the record when the check begins, so
    // a check queued behind the opening of its document sees that document.
    // Returns at once.
    StartResult start(std::vector<CheckKind> checks, CheckContext context,
                      std::shared_ptr<ThesisDocument> document);

    // True while a run is in progress.
    bool inProgress() const;
    // The check of the run in progress that works or waits next; empty when
    // no run is in progress.
    std::optional<CheckKind> currentRun() const;

    CheckMode mode() const { return mode_.load(); }
    // Changes the mode; refused (false) while a run is in progress.
    bool setMode(CheckMode mode);

    bool runAllowed() const { return runAllowed_.load(); }
    // Allows checks to run again after a stop (done when a check is
    // prepared); refused (false) while a run is in progress, so a stopped run
    // stays stopped.
    bool allowRuns();

    // Pause, continue and stop: false, doing nothing, when no run is in progress.
    bool pause();
    bool resume();
    // Lets the working check finish (a paused one goes on) and ends every
    // later check of the run right after its begin step.
    bool stop();
    bool paused() const;

    // Waits until no run is in progress and the finished hook has returned.
    void wait();
    bool waitFor(std::chrono::milliseconds timeout);

    // Called on the checker thread when a run has ended, after it stopped
    // being in progress and before wait() returns.
    void setFinishedHook(std::function<void()> hook);

private:
    struct Run {
        std::vector<CheckKind> checks;
        CheckContext context;
        std::shared_ptr<ThesisDocument> document;
    };

    void runChecks(const Run& run);
    void runCheck(CheckKind kind, const Run& run);
    void passGate();

    RunLock& runLock_;
    StatusSink& status_;
    MessageSink& messages_;
    ThreadStarter threadStarter_;
    std::map<CheckKind, CheckBody> bodies_;

    std::atomic<CheckMode> mode_{CheckMode::Check};
    std::atomic<bool> runAllowed_{true};

    mutable std::mutex mutex_;
    std::condition_variable resumed_;
    std::condition_variable ended_;
    std::size_t remaining_ = 0;  // checks of the run that have not passed their end step
    std::optional<CheckKind> current_;
    bool paused_ = false;
    bool ending_ = false;  // the last check has ended, the finished hook is still running
    std::function<void()> finishedHook_;

    std::thread worker_;
};

}  // namespace quillmark
