#pragma once

#include "shell/CheckCommands.h"
#include "shell/DocumentSet.h"
#include "shell/FindingsCommands.h"
#include "shell/FindingsList.h"
#include "shell/HandOverQueue.h"
#include "shell/PostingReporter.h"
#include "shell/ReportWriter.h"
#include "shell/RunController.h"
#include "shell/RunLock.h"
#include "shell/StatusSink.h"
#include "shell/UserMessages.h"

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace quillmark {

// The application core behind the main window: the document set, the
// findings list, the hand-over from the worker threads, the check runs and
// the report writer, with the commands of the main window. A front end (the
// main window or the command line) owns one, calls its commands on its own
// thread with the current selections, and calls drainHandOver() on that
// thread whenever the hand-over's wake-up fires (or, headless, after waiting).
//
// `messages` and `status` are only ever called on the thread that calls the
// commands and drainHandOver(); worker threads reach them through the
// hand-over queue.
class Shell {
public:
    struct Options {
        std::filesystem::path workDir;           // the working folder; chosen by workingFolder() when empty
        ApplicationFactory applicationFactory;  // starts the engine; a plain word::Application when empty
        ThreadStarter threadStarter;            // starts checker threads; std::thread when empty
    };

    Shell(UserMessages& messages, StatusSink& status, Options options);
    Shell(UserMessages& messages, StatusSink& status) : Shell(messages, status, Options{}) {}
    ~Shell();  // close()

    Shell(const Shell&) = delete;
    Shell& operator=(const Shell&) = delete;

    // The work of each check; a check without one only passes its frame steps.
    void setCheckBody(CheckKind kind, CheckBody body) { runs_.setBody(kind, std::move(body)); }

    // Documents. Each refuses with the run-in-progress message during a run.
    std::shared_ptr<ThesisDocument> openThesis(const std::filesystem::path& source);
    void removeDocument(std::optional<std::size_t> selectedDocument);  // "移除单个文件"
    void removeAllDocuments();                                         // "清空文件"
    void hideWord();                                                   // "隐藏文档"

    // Findings list. Each refuses with the run-in-progress message during a run.
    void clearFindings();                                             // "清空列表"
    bool showFindings(std::optional<std::size_t> selectedDocument);   // "显示错误列表"
    JumpResult jumpToFinding(std::optional<std::size_t> selectedRow);  // "到错误文档", double-click

    // Checks.
    CheckStart checkPart(CheckKind kind, std::optional<std::size_t> selectedDocument);  // a page button
    CheckStart checkAll(std::optional<std::size_t> selectedDocument);                   // "检测所有"
    bool pause();
    bool resume();
    bool stop();
    bool setMode(CheckMode mode);  // refused silently during a run
    CheckMode mode() const { return runs_.mode(); }
    bool runInProgress() const { return runs_.inProgress(); }

    // "生成报表", in two steps around the save dialog: the name to offer
    // (nothing, after telling the user, when refused), then the writing.
    std::optional<std::string> reportName(std::optional<std::size_t> selectedDocument);
    bool writeReport(std::optional<std::size_t> selectedDocument, const std::filesystem::path& target,
                     const ReportOptions& options = {});
    // Why a report of the selected document cannot go to `target` (the thesis
    // itself, an unwritable place, no report name), or nothing.
    std::optional<std::string> reportTargetProblem(std::size_t selectedDocument, const std::filesystem::path& target) const;

    // Takes everything the worker threads handed over, in posting order:
    // findings into the list and their documents, progress and status texts
    // into the status bar, messages to the user. Returns the number taken.
    std::size_t drainHandOver();
    HandOverQueue& handOver() { return queue_; }

    // Waiting, for the command line and tests.
    void waitForOpenings() { documents_.waitForOpenings(); }
    void waitForRun() { runs_.wait(); }
    bool waitForRun(std::chrono::milliseconds timeout) { return runs_.waitFor(timeout); }

    // Closing the main window: stops a run and waits for it, quits the engine,
    // discards the documents and deletes the working copies. Runs once.
    void close();

    DocumentSet& documents() { return documents_; }
    const FindingsList& findings() const { return findings_; }
    RunController& runs() { return runs_; }
    RunLock& runLock() { return runLock_; }
    RunReporter& reporter() { return reporter_; }

private:
    bool refusedDuringRun();
    void removeAt(std::size_t index);
    void removeAll();

    UserMessages& messages_;
    StatusSink& status_;
    RunLock runLock_;
    HandOverQueue queue_;
    PostingReporter reporter_{queue_};
    PostingStatusSink postedStatus_{queue_};
    PostingMessageSink postedMessages_{queue_};
    DocumentSet documents_;
    FindingsList findings_;
    RunController runs_;
    bool closed_ = false;
};

}  // namespace quillmark
