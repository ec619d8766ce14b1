#pragma once

#include <cstdint>

namespace quillmark {

enum class CheckMode : std::uint8_t {
    Check = 0,    // "查错": report and mark red
    AutoFix = 1,  // "点击自动修改": correct what can be corrected
};

// The six checks, in the order "检测所有" runs them.
enum class CheckKind { Cover, CnAbstract, EnAbstract, AbstractNotes, Body, References };

}  // namespace quillmark
