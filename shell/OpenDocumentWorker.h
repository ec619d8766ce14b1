#pragma once

#include "shell/RunLock.h"
#include "shell/ThesisDocument.h"
#include "shell/UserMessages.h"

#include <memory>

namespace quillmark {

// Opens a record's working copy in the engine: waits for its turn on the run
// lock, hides the engine, opens `tempCopyPath` and stores the document in the
// record. An engine error is told through `messages`; the record then stays
// without a document. Runs on a worker thread of its own; returns 0.
int OpenDocumentWorker(std::shared_ptr<ThesisDocument> record, RunLock::Ticket turn, RunLock& runLock,
                       MessageSink& messages);

}  // namespace quillmark
