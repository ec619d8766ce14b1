#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace quillmark {

// The two formats a report document can have, told by the target's extension.
enum class ReportFormat { Word97, Word2007 };

// ".doc" or ".docx" (any case); nothing for any other name.
std::optional<ReportFormat> reportFormatOf(const std::filesystem::path& target);

// True when `a` and `b` name the same file however they are written
// (relative, absolute, through symbolic or hard links): same device and inode.
bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b);

// True when the report at `target`, or its text report, would be one of `theses`.
bool namesAThesis(const std::filesystem::path& target, const std::vector<std::filesystem::path>& theses);

// Why a report cannot go to `target`, as the message to show, or nothing when
// it can: a name that is no report document, a target (or the text report
// beside it) that is one of `theses`, a folder that is missing or cannot be
// written, a target that cannot be replaced. Asked before a check starts and
// again before the save, so that the engine never meets an unwritable target.
std::optional<std::string> reportTargetProblem(const std::filesystem::path& target,
                                               const std::vector<std::filesystem::path>& theses);

}  // namespace quillmark
