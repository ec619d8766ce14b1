#include "checks/CheckSession.h"

#include "checks/Checker.h"

namespace quillmark {

CheckSession::CheckSession(const CheckContext& context, CheckMode mode)
    : context_(context),
      mode_(mode),
      document_(context.wordDocument),
      application_(context.wordApplication),
      template_(context.formatTemplate),
      selection_(nullptr) {}

void CheckSession::start(const FrameSteps& steps, const char* progressName) {
    progressName_ = progressName ? progressName : "";
    document_.Activate();
    application_->SetVisible(false);
    selection_ = application_->Selection();
    startOfRunStart_ = selection_.Start();
    startOfRunEnd_ = selection_.End();
    if (steps.collapseSelection) selection_.SetRange(0, 0);
    if (steps.postCheckState && context_.reporter) context_.reporter->postCheckState();
    totalPages_ = static_cast<int>(selection_.Information(word::wdNumberOfPagesInDocument));
}

void CheckSession::post(const char* level, int page, int line, const std::string& description, int position) {
    if (!context_.reporter) return;
    CheckError error;
    error.fileName = context_.fileName;
    error.level = level;
    error.page = page;
    error.line = line;
    error.description = description;
    error.position = position;
    context_.reporter->postCheckError(context_.documentId, error);
}

void CheckSession::post(const char* level, const Location& where, const std::string& description, int position) {
    post(level, where.page, where.line, description, position);
}

void CheckSession::progress(int page, int line) {
    if (!context_.reporter) return;
    context_.reporter->postProgress(ProgressReport{progressName_, totalPages_, line, page});
}

Location CheckSession::locate(const word::Range& range) {
    return Location{static_cast<int>(range.Information(word::wdActiveEndPageNumber)),
                    static_cast<int>(range.Information(word::wdFirstCharacterLineNumber))};
}

}  // namespace quillmark
