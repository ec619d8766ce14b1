#pragma once

#include "checks/BodyState.h"
#include "word/msword.h"

#include <string_view>

namespace quillmark {

class CheckSession;

namespace headings {

// The chapter number a heading's text gives when Word does not number it:
// the integer at its start, after optional white space and an optional sign;
// 0 when the text does not begin with one or it does not fit an int
// ("1 绪论" gives 1, "第一章 绪论" gives 0).
int leadingInteger(std::string_view text);

}  // namespace headings

// The checks of a heading of outline level 1, 2 or 3: bold state, Chinese
// font and size of its level, and for level 1 centring, the chapter number,
// the caption counters and the page-top test. `item` is the range whose
// format is compared (the paragraph's last run when it holds superscript
// text); the chapter number and the page-top test always take the whole
// paragraph, so that a citation in a heading does not hide them.
void checkHeading(CheckSession& session, BodyState& state, const word::Paragraph& paragraph,
                  const word::Range& item, long level);

}  // namespace quillmark
