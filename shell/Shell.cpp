#include "shell/Shell.h"

#include "shell/ReportTarget.h"

#include "shell/FindingsCommands.h"
#include "shell/ProgressText.h"
#include "shell/ShellTexts.h"
#include "shell/WorkingFolder.h"

#include <type_traits>
#include <variant>

namespace quillmark {

namespace {

DocumentSet::Options documentOptions(MessageSink& workerMessages, ApplicationFactory factory) {
    DocumentSet::Options options;
    options.workerMessages = &workerMessages;
    options.applicationFactory = std::move(factory);
    return options;
}

}  // namespace

Shell::Shell(UserMessages& messages, StatusSink& status, Options options)
    : messages_(messages),
      status_(status),
      documents_(runLock_, messages, options.workDir.empty() ? workingFolder() : options.workDir,
                 documentOptions(postedMessages_, std::move(options.applicationFactory))),
      runs_(runLock_, postedStatus_, postedMessages_, std::move(options.threadStarter)) {}

Shell::~Shell() { close(); }

bool Shell::refusedDuringRun() {
    if (!runs_.inProgress()) return false;
    messages_.showMessage(texts::kRunInProgress);
    return true;
}

std::shared_ptr<ThesisDocument> Shell::openThesis(const std::filesystem::path& source) {
    if (refusedDuringRun()) return nullptr;
    return documents_.open(source);
}

void Shell::removeAt(std::size_t index) {
    std::shared_ptr<ThesisDocument> record = documents_.at(index);
    if (documents_.removeOne(index) == DocumentSet::RemoveResult::ClosedInWord) {
        findings_.removeRowsOf(record->id, record->displayName);
    }
}

void Shell::removeAll() {
    documents_.removeAll();
    findings_.clear();
}

void Shell::removeDocument(std::optional<std::size_t> selectedDocument) {
    if (refusedDuringRun()) return;
    if (!selectedDocument || *selectedDocument >= documents_.size()) {
        messages_.showMessage(texts::kSelectItem);
        return;
    }
    removeAt(*selectedDocument);
}

void Shell::removeAllDocuments() {
    if (refusedDuringRun()) return;
    removeAll();
}

void Shell::hideWord() {
    if (refusedDuringRun()) return;
    documents_.hide();
}

void Shell::clearFindings() {
    if (refusedDuringRun()) return;
    clearFindingsList(documents_.records(), findings_);
}

bool Shell::showFindings(std::optional<std::size_t> selectedDocument) {
    if (refusedDuringRun()) return false;
    return showDocumentFindings(documents_.records(), findings_, messages_, selectedDocument);
}

JumpResult Shell::jumpToFinding(std::optional<std::size_t> selectedRow) {
    if (refusedDuringRun()) return JumpResult::RunInProgress;
    JumpResult result = quillmark::jumpToFinding(documents_.records(), findings_, messages_, runLock_, selectedRow);
    if (result == JumpResult::EngineGone) removeAll();
    return result;
}

CheckStart Shell::checkPart(CheckKind kind, std::optional<std::size_t> selectedDocument) {
    CheckStart result = startPageCheck(runs_, documents_.records(), messages_, &reporter_, kind, selectedDocument);
    if (result == CheckStart::ThreadFailed) removeAt(*selectedDocument);
    return result;
}

CheckStart Shell::checkAll(std::optional<std::size_t> selectedDocument) {
    CheckStart result = startCheckAll(runs_, documents_.records(), messages_, &reporter_, selectedDocument);
    if (result == CheckStart::ThreadFailed) messages_.showMessage(texts::kThreadFailed);
    return result;
}

bool Shell::pause() { return runs_.pause(); }
bool Shell::resume() { return runs_.resume(); }
bool Shell::stop() { return runs_.stop(); }
bool Shell::setMode(CheckMode mode) { return runs_.setMode(mode); }

std::optional<std::string> Shell::reportName(std::optional<std::size_t> selectedDocument) {
    if (refusedDuringRun()) return std::nullopt;
    if (!selectedDocument || *selectedDocument >= documents_.size()) {
        messages_.showMessage(texts::kSelectItem);
        return std::nullopt;
    }
    const auto& record = documents_.at(*selectedDocument);
    return defaultReportName(record->displayName, record->sourcePath);
}

std::optional<std::string> Shell::reportTargetProblem(std::size_t selectedDocument,
                                                      const std::filesystem::path& target) const {
    if (selectedDocument >= documents_.size()) return std::nullopt;
    return quillmark::reportTargetProblem(target, {documents_.at(selectedDocument)->sourcePath});
}

bool Shell::writeReport(std::optional<std::size_t> selectedDocument, const std::filesystem::path& target,
                        const ReportOptions& options) {
    if (refusedDuringRun()) return false;
    if (!selectedDocument || *selectedDocument >= documents_.size()) {
        messages_.showMessage(texts::kSelectItem);
        return false;
    }
    ReportResult result = quillmark::writeReport(*documents_.at(*selectedDocument), target, runLock_, options);
    if (!result.ok()) messages_.showMessage(result.message);
    if (result.ok()) status_.setPart(1, reportSavedText(target));
    return result.ok();
}

std::size_t Shell::drainHandOver() {
    std::vector<HandOver> items = queue_.takeAll();
    for (HandOver& item : items) {
        std::visit(
            [&](auto& posted) {
                using T = std::decay_t<decltype(posted)>;
                if constexpr (std::is_same_v<T, FindingPosted>) {
                    takeFinding(documents_.records(), findings_, messages_, posted.documentId, posted.error);
                } else if constexpr (std::is_same_v<T, ProgressPosted>) {
                    status_.setPart(1, progressText(posted.report));
                } else if constexpr (std::is_same_v<T, StatusPosted>) {
                    status_.setPart(posted.part, posted.text);
                } else if constexpr (std::is_same_v<T, MessagePosted>) {
                    if (posted.caption.empty()) {
                        messages_.showMessage(posted.text);
                    } else {
                        messages_.showError(posted.caption, posted.text);
                    }
                }
                // CheckStatePosted: taken and ignored.
            },
            item);
    }
    return items.size();
}

void Shell::close() {
    if (closed_) return;
    closed_ = true;
    runs_.stop();
    runs_.wait();
    documents_.waitForOpenings();
    documents_.shutDownWord();
    documents_.deleteWorkingCopies();
    findings_.clear();
}

}  // namespace quillmark
