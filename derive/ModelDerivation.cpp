#include "derive/ModelDerivation.h"

#include "shell/DocumentSet.h"
#include "shell/EngineErrors.h"
#include "shell/WorkingFolder.h"
#include "word/WordError.h"
#include "word/msword.h"

#include <mutex>

namespace quillmark {

namespace {

// Keeps the first message the opening or the engine tells: the one line a
// refused model earns.
class FirstMessage final : public UserMessages {
public:
    void showMessage(const std::string& text) override {
        std::lock_guard lock(mutex_);
        if (text_.empty()) text_ = text;
    }
    void showEngineError(long code, const std::string& description) override {
        if (description.empty()) MessageSink::showEngineError(code, description); else showMessage(description);
    }
    bool askYesNo(const std::string&) override { return true; }
    std::string text() const {
        std::lock_guard lock(mutex_);
        return text_;
    }

private:
    mutable std::mutex mutex_;
    std::string text_;
};

constexpr const char* kNotOpened = "范文没有打开，模板没有生成";

}  // namespace

ModelDerivation deriveTemplateFromModel(const std::filesystem::path& model, const DerivationRequest& request,
                                        RunLock& runLock, const DerivationProgress& progress) {
    FirstMessage messages;
    ModelDerivation outcome;
    {
        DocumentSet documents(runLock, messages, workingFolder(), DocumentSet::Options{.workerMessages = &messages});
        const std::shared_ptr<ThesisDocument> record = documents.open(model);
        if (record) documents.waitForOpenings();
        if (record && !record->wordDocument().IsNull()) {
            try {
                std::lock_guard held(runLock);
                outcome.derived = deriveTemplate(record->wordDocument(), *documents.application(), request, progress);
            } catch (const word::WordError& error) {
                reportEngineError(messages, namingDocument(error, model.string()));
            }
            // After an engine failure the document may be gone with the engine.
            if (outcome.derived) documents.removeOne(0);
        }
        documents.deleteWorkingCopies();
    }
    if (!outcome.derived) {
        outcome.error = messages.text();
        if (outcome.error.empty()) outcome.error = kNotOpened;
    }
    return outcome;
}

}  // namespace quillmark
