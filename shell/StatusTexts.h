#pragma once

#include "shell/CheckMode.h"
#include "shell/StatusSink.h"

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

}  // namespace quillmark
