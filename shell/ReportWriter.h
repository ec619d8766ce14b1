#pragma once

#include "shell/RunLock.h"
#include "shell/ThesisDocument.h"

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
// "(修改后).doc".
std::string defaultReportName(const std::string& displayName);

// The text report beside the saved document: its full path with ".txt" appended.
std::filesystem::path textReportPath(const std::filesystem::path& documentPath);

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
// report. The target's folder must exist. The engine call takes its turn on
// `runLock`.
ReportResult writeReport(const ThesisDocument& document, const std::filesystem::path& target, RunLock& runLock);

}  // namespace quillmark
