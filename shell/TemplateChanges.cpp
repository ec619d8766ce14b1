#include "shell/TemplateChanges.h"

#include "shell/RunController.h"

namespace quillmark {

TemplateLoad TemplateChanges::loadFile(const std::filesystem::path& file) {
    FormatTemplate changed = latest();
    const TemplateLoad result = loadTemplateFile(changed, file.string());
    if (result == TemplateLoad::Loaded) replace(changed);
    return result;
}

bool TemplateChanges::replace(const FormatTemplate& changed) {
    waiting_ = changed;
    return applyPending();
}

bool TemplateChanges::applyPending() {
    if (!waiting_ || runs_.inProgress()) return false;
    current_ = *waiting_;
    waiting_.reset();
    return true;
}

}  // namespace quillmark
