#pragma once

#include "shell/RunLock.h"
#include "shell/ThesisDocument.h"
#include "word/Document.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace quillmark {

// One line of the text report, in code page 936: the number, "，(", the
// level, ")", the description, "位于第", the page, "页，第", the line and
// "行\r\n". The position is not written.
std::string reportLine(std::size_t number, const StoredFinding& finding);

// The whole text report: one line per finding, numbered from 1.
std::string reportText(const std::vector<StoredFinding>& findings);

// The name offered for the saved document: the display name followed by
// "(修改后).doc", or "(修改后).docx" for a thesis that is a ".docx".
std::string defaultReportName(const std::string& displayName, const std::string& thesisPath = {});

// The text of a finding's review comment: "(level)description", the text
// report's line without its number and place.
std::string commentText(const StoredFinding& finding);

// Where a finding's comment is anchored: its position, or the start of the
// page it names when the position is not on that page (a missing title is
// posted at the story start).
long commentAnchor(word::Document& document, const StoredFinding& finding);

// The author of the report's comments.
inline constexpr const char* kCommentAuthor = "Quillmark";

struct ReportOptions {
    bool comments = false;  // every stored finding as a review comment in the saved document
};

// The text report beside the saved document: its full path with ".txt" appended.
std::filesystem::path textReportPath(const std::filesystem::path& documentPath);

// What the status bar says after a report was saved: where its two files went.
std::string reportSavedText(const std::filesystem::path& target);

struct ReportResult {
    enum class Status {
        Written,     // both files written
        SaveFailed,  // the engine could not save; no text report was written
        TextFailed,  // the document was saved, the text report could not be written
    };
    Status status = Status::Written;
    std::string message;  // what to tell the user when it failed
    bool ok() const { return status == Status::Written; }
};

// Saves the document's engine document under `target` (Word 97-2003, unless
// the name ends in ".docx") and writes the text report beside it, replacing
// an existing one. A record without an engine document only gets its text
// report. A target that is the thesis itself, or that cannot be written, is
// refused before the engine is asked. With `options.comments` the findings
// are put into the saved document as comments and taken out of the working
// copy again after the save. The engine calls take their turn on `runLock`.
ReportResult writeReport(const ThesisDocument& document, const std::filesystem::path& target, RunLock& runLock,
                         const ReportOptions& options = {});

}  // namespace quillmark
