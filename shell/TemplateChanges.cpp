#include "shell/TemplateChanges.h"

#include "shell/RunController.h"

namespace quillmark {

bool TemplateChanges::loadFile(const std::filesystem::path& file) {
    FormatTemplate changed = latest();
    changed.loadFromFile(file.string());
    return replace(changed);
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
