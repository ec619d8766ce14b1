#include "shell/ProgressText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace quillmark {

double progressPercent(const ProgressReport& report) {
    if (report.totalPages <= 0) return 0.0;
    double p = ((report.page + report.line / 30.0) - 1.0) * 100.0 / report.totalPages;
    if (!std::isfinite(p)) return 0.0;
    return std::clamp(p, 0.0, 100.0);
}

std::string progressText(const ProgressReport& report) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "完成   %.2f%%", progressPercent(report));
    return buffer;
}

}  // namespace quillmark
