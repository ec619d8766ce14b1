#pragma once

#include "shell/CheckMode.h"
#include "shell/StatusSink.h"

#include <cstdint>
#include <string>
#include <vector>

namespace quillmark {

// One write into the status bar.
struct StatusWrite {
    int part = 0;
    std::string text;
    bool operator==(const StatusWrite&) const = default;
};

using StatusWrites = std::vector<StatusWrite>;

// What the begin step of a check writes, by its page and the mode.
StatusWrites beginStatusTexts(CheckKind kind, CheckMode mode);
// What the end step of a check writes.
StatusWrites endStatusTexts(CheckKind kind, CheckMode mode);
// What the stop command writes.
StatusWrites stopStatusTexts(CheckMode mode);

void writeStatus(StatusSink& sink, const StatusWrites& writes);

// The thesis-type title of status part 0: "Norvale(硕士论文检测)" for a
// master's thesis, "Norvale(学士论文检测)" otherwise.
std::string thesisTypeTitle(std::int32_t thesisType);

}  // namespace quillmark
