#include "shell/OpenDocumentWorker.h"

#include "shell/EngineErrors.h"
#include "word/Application.h"

#include <mutex>

namespace quillmark {

int OpenDocumentWorker(std::shared_ptr<ThesisDocument> record, RunLock::Ticket turn, RunLock& runLock,
                       MessageSink& messages) {
    turn.acquire();
    std::lock_guard held(runLock, std::adopt_lock);
    try {
        word::Application& app = *record->wordApplication;
        app.SetVisible(false);
        word::OpenOptions options;
        options.readOnly = false;
        // The engine's window stays unmapped until a jump to a finding shows it.
        options.visible = false;
        options.shownName = record->sourcePath;
        record->setWordDocument(app.Documents().Open(record->tempCopyPath, options));
    } catch (const word::WordError& error) {
        reportEngineError(messages, error);
    } catch (const std::exception& error) {
        reportEngineError(messages, word::WordError(word::errors::OpenFailed, error.what()));
    }
    return 0;
}

}  // namespace quillmark
