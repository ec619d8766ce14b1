#include "shell/EngineErrors.h"

#include "shell/ShellTexts.h"

#include <cstdio>

namespace quillmark {

std::string runtimeErrorText(long code, const std::string& description) {
    char head[64];
    std::snprintf(head, sizeof head, "Run-time error '%d':\n\n", static_cast<int>(code & 0xFFFF));
    return head + description;
}

std::string errorCodeText(long code) {
    char text[64];
    std::snprintf(text, sizeof text, "错误代码 0x%08lX", static_cast<unsigned long>(code) & 0xFFFFFFFFUL);
    return text;
}

void MessageSink::showEngineError(long code, const std::string& description) {
    if (description.empty()) {
        showMessage(texts::kDebug);
        showError(texts::kComErrorCaption, errorCodeText(code));
    } else {
        showError(texts::kServerErrorCaption, runtimeErrorText(code, description));
    }
}

void reportEngineError(MessageSink& messages, const word::WordError& error) {
    messages.showEngineError(error.code(), error.description());
}

word::WordError namingDocument(const word::WordError& error, const std::string& name) {
    if (name.empty() || error.description().empty()) return error;
    return word::WordError(error.code(), error.description() + "：" + name);
}

}  // namespace quillmark
