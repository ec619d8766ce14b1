#pragma once

#include "shell/CheckError.h"

#include <string>

namespace quillmark {

// How far a check has come, in percent: ((page + line / 30) - 1) * 100 /
// totalPages, taking 30 lines for a page. Kept within 0 to 100; a report
// without a page count (totalPages <= 0) counts as 0.
double progressPercent(const ProgressReport& report);

// The status text of a progress report: "完成   " and the percentage with two
// decimals and a percent sign, e.g. "完成   0.33%".
std::string progressText(const ProgressReport& report);

}  // namespace quillmark
