#pragma once

#include "shell/CheckError.h"
#include "shell/RunLock.h"
#include "shell/ThesisDocument.h"
#include "shell/FindingsList.h"
#include "shell/UserMessages.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace quillmark {

// The findings commands of the main window, on the user-interface thread.
// The caller refuses them while a check run is in progress.

// Takes one handed-over finding: appends its row and stores it with the
// document it was posted for (by record id; by the first record of that
// display name when the id is 0). "文件名不正确！" when no document is left
// to take it; the row stays.
void takeFinding(const DocumentRecords& documents, FindingsList& list, UserMessages& messages, std::uint64_t documentId,
                 const CheckError& error);

// Clears the list and the stored findings of every document that had a row
// in it; documents without rows keep theirs.
void clearFindingsList(const DocumentRecords& documents, FindingsList& list);

// Replaces the rows by the stored findings of the selected document.
// "请选择文档！" without a selection. Returns false when nothing was shown.
bool showDocumentFindings(const DocumentRecords& documents, FindingsList& list, UserMessages& messages,
                          std::optional<std::size_t> selectedDocument);

enum class JumpResult {
    Jumped,          // the engine shows the faulty place
    NoRowSelected,   // "请选择查看项！"
    NoDocument,      // "文件名不正确！"
    NoFinding,       // "找不到选择项的错误信息！" (the engine has been made visible)
    DocumentClosed,  // the user closed it in the engine: its rows left the list
    EngineGone,      // the engine cannot be reached; the caller removes all documents
    RunInProgress,   // refused by the shell while a check run is in progress
};

// Jumps to the finding of the selected row: makes the engine visible,
// activates the finding's document, selects the empty range at the finding's
// position and brings the engine to the front.
// The engine calls take their turn on `runLock`.
JumpResult jumpToFinding(const DocumentRecords& documents, FindingsList& list, UserMessages& messages,
                         RunLock& runLock, std::optional<std::size_t> selectedRow);

// The decimal number at the start of a text; 0 when it starts with no digit.
int leadingNumber(std::string_view text);

}  // namespace quillmark
