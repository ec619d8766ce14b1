#pragma once

#include "shell/CheckMode.h"

#include <array>

namespace quillmark {

// The check page a check belongs to; each page has its own begin and end
// status texts.
enum class CheckPage { Abstract, Text, Other };

// The order in which "检测所有" runs the checks.
inline constexpr std::array<CheckKind, 6> kCheckAllOrder = {
    CheckKind::Cover,         CheckKind::CnAbstract, CheckKind::EnAbstract,
    CheckKind::AbstractNotes, CheckKind::Body,       CheckKind::References,
};

CheckPage pageOf(CheckKind kind);
// The label of the check's page button, e.g. "中文摘要检测".
const char* checkLabel(CheckKind kind);
// The part of the thesis named in the begin status text: "<封面>", "<摘要>", "<正文>".
const char* statusWord(CheckKind kind);

}  // namespace quillmark
