#include "shell/CheckCommands.h"

#include "shell/CheckKinds.h"
#include "shell/ShellTexts.h"

namespace quillmark {

namespace {

CheckStart startRun(RunController& runs, const DocumentRecords& documents, std::vector<CheckKind> checks,
                    const CheckContext& context) {
    std::shared_ptr<ThesisDocument> record = documents[static_cast<std::size_t>(context.documentIndex)];
    switch (runs.start(std::move(checks), context, record)) {
    case RunController::StartResult::Started:
        return CheckStart::Started;
    case RunController::StartResult::Busy:
        return CheckStart::RunInProgress;
    case RunController::StartResult::ThreadFailed:
        return CheckStart::ThreadFailed;
    }
    return CheckStart::ThreadFailed;
}

}  // namespace

std::optional<CheckContext> PrepareCheck(RunController& runs, const DocumentRecords& documents, UserMessages& messages,
                                         std::optional<std::size_t> selectedDocument, RunReporter* reporter,
                                         const FormatTemplate* formatTemplate) {
    runs.allowRuns();
    if (!selectedDocument || *selectedDocument >= documents.size()) {
        messages.showMessage(texts::kSelectDocument);
        return std::nullopt;
    }
    const ThesisDocument& record = *documents[*selectedDocument];
    CheckContext context;
    context.documentIndex = static_cast<int>(*selectedDocument);
    context.documentId = record.id;
    context.wordDocument = record.wordDocument();
    context.wordApplication = record.wordApplication.get();
    context.formatTemplate = formatTemplate != nullptr ? formatTemplate : &currentTemplate();
    context.fileName = record.displayName;
    context.reporter = reporter;
    return context;
}

CheckStart startPageCheck(RunController& runs, const DocumentRecords& documents, UserMessages& messages, RunReporter* reporter,
                          CheckKind kind, std::optional<std::size_t> selectedDocument) {
    if (runs.inProgress()) return CheckStart::RunInProgress;
    std::optional<CheckContext> context = PrepareCheck(runs, documents, messages, selectedDocument, reporter);
    if (!context) return CheckStart::NoDocument;
    bool& pending = documents[*selectedDocument]->pending(kind);
    if (!pending && !messages.askYesNo(texts::kCheckAgain)) return CheckStart::Declined;
    pending = false;
    return startRun(runs, documents, {kind}, *context);
}

CheckStart startCheckAll(RunController& runs, const DocumentRecords& documents, UserMessages& messages, RunReporter* reporter,
                         std::optional<std::size_t> selectedDocument) {
    if (runs.inProgress()) {
        messages.showMessage(texts::kRunInProgress);
        return CheckStart::RunInProgress;
    }
    if (!selectedDocument || *selectedDocument >= documents.size()) {
        messages.showMessage(texts::kSelectDocument);
        return CheckStart::NoDocument;
    }
    std::optional<CheckContext> context = PrepareCheck(runs, documents, messages, selectedDocument, reporter);
    if (!context) return CheckStart::NoDocument;
    return startRun(runs, documents, {kCheckAllOrder.begin(), kCheckAllOrder.end()}, *context);
}

}  // namespace quillmark
