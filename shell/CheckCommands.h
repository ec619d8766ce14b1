#pragma once

#include "shell/CheckContext.h"
#include "shell/ThesisDocument.h"
#include "shell/RunController.h"
#include "shell/UserMessages.h"

#include <cstddef>
#include <optional>

namespace quillmark {

// Prepares a check of the selected document: allows runs again (after a
// stop) and fills a context with the document, its engine, the current
// template, its display name and the reporter. "请选择文档！" and nothing
// when no document is selected.
std::optional<CheckContext> PrepareCheck(RunController& runs, const DocumentRecords& documents, UserMessages& messages,
                                         std::optional<std::size_t> selectedDocument, RunReporter* reporter,
                                         const FormatTemplate* formatTemplate = nullptr /* current template */);

enum class CheckStart {
    Started,
    RunInProgress,  // refused: a run is in progress
    NoDocument,     // "请选择文档！"
    Declined,       // the user answered No to "该部份已经被查过，是否再查找一次"
    ThreadFailed,   // no checker thread; the page button's caller removes the document
};

// A page button: silently nothing while a run is in progress; asks before
// checking a part again; clears the part's pending flag and starts the check.
CheckStart startPageCheck(RunController& runs, const DocumentRecords& documents, UserMessages& messages, RunReporter* reporter,
                          CheckKind kind, std::optional<std::size_t> selectedDocument);

// "检测所有": the run-in-progress message while a run is in progress; otherwise
// all six checks in their fixed order, without asking and leaving the pending
// flags as they are.
CheckStart startCheckAll(RunController& runs, const DocumentRecords& documents, UserMessages& messages, RunReporter* reporter,
                         std::optional<std::size_t> selectedDocument);

}  // namespace quillmark
