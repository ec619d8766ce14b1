#include "shell/PostingReporter.h"

namespace quillmark {

void PostingReporter::postCheckError(std::uint64_t documentId, const CheckError& error) {
    queue_.post(FindingPosted{documentId, error});
}

void PostingReporter::postProgress(const ProgressReport& report) { queue_.post(ProgressPosted{report}); }

void PostingReporter::postCheckState() { queue_.post(CheckStatePosted{}); }

void PostingStatusSink::setPart(int part, const std::string& text) { queue_.post(StatusPosted{part, text}); }

void PostingMessageSink::showMessage(const std::string& text) { queue_.post(MessagePosted{{}, text}); }

void PostingMessageSink::showError(const std::string& caption, const std::string& text) {
    queue_.post(MessagePosted{caption, text});
}

void PostCheckError(const CheckContext& context, const std::string& level, int page, int line,
                    const std::string& description, int position) {
    if (context.reporter == nullptr) return;
    context.reporter->postCheckError(context.documentId,
                                     CheckError{context.fileName, level, page, line, description, position});
}

void PostProgress(const CheckContext& context, const std::string& text, int totalPages, int line, int page) {
    if (context.reporter == nullptr) return;
    context.reporter->postProgress(ProgressReport{text, totalPages, line, page});
}

}  // namespace quillmark
