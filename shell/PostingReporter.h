#pragma once

#include "shell/CheckContext.h"
#include "shell/HandOverQueue.h"
#include "shell/RunReporter.h"
#include "shell/StatusSink.h"
#include "shell/UserMessages.h"

#include <string>

namespace quillmark {

// The reporter of every check run: hands findings, progress and the check
// state to the user-interface thread through the hand-over queue. Safe to
// call from any number of checker threads; never waits for the receiver.
class PostingReporter : public RunReporter {
public:
    explicit PostingReporter(HandOverQueue& queue) : queue_(queue) {}

    void postCheckError(std::uint64_t documentId, const CheckError& error) override;
    void postProgress(const ProgressReport& report) override;
    void postCheckState() override;

private:
    HandOverQueue& queue_;
};

// Status-bar writes of worker threads, carried out by the receiving thread in
// posting order, after the findings and progress posted before them.
class PostingStatusSink : public StatusSink {
public:
    explicit PostingStatusSink(HandOverQueue& queue) : queue_(queue) {}
    void setPart(int part, const std::string& text) override;

private:
    HandOverQueue& queue_;
};

// Message boxes of worker threads, shown by the receiving thread.
class PostingMessageSink : public MessageSink {
public:
    explicit PostingMessageSink(HandOverQueue& queue) : queue_(queue) {}
    void showMessage(const std::string& text) override;
    void showError(const std::string& caption, const std::string& text) override;

private:
    HandOverQueue& queue_;
};

// Hands one finding of the check described by `context` over: the file name
// is the context's display name, the finding goes to the context's document.
void PostCheckError(const CheckContext& context, const std::string& level, int page, int line,
                    const std::string& description, int position);

// Hands one progress report of the check described by `context` over.
void PostProgress(const CheckContext& context, const std::string& text, int totalPages, int line, int page);

}  // namespace quillmark
