#pragma once

#include "checks/BodyState.h"
#include "word/msword.h"

#include <string_view>

namespace quillmark {

class CheckSession;

// The four kinds of a body-text paragraph (outline level 10), in the order
// they are recognised.
enum class ParagraphKind { TableText, Caption, Note, Text };

namespace body {

// A note begins with "注:" (3 bytes of code page 936) or "注：" (4 bytes).
bool isNote(std::string_view paragraphText);

}  // namespace body

// Sorts a body-text paragraph and checks it: table text, notes and body
// text by their Chinese font and size; captions go to the caption checks.
// `item` is the range whose format is compared (the paragraph's last run when
// it holds superscript text); `text` is the paragraph's own text.
// `itemReportedAsText`: the superscript walk has already posted a "正文"
// finding for `item`; the same values are not reported twice.
void checkBodyParagraph(CheckSession& session, BodyState& state, const word::Paragraph& paragraph,
                        const word::Range& item, const std::string& text, bool itemReportedAsText);

ParagraphKind paragraphKind(const word::Paragraph& paragraph, const word::Range& item, std::string_view text);

}  // namespace quillmark
