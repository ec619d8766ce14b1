#pragma once

#include "CharAttributes.h"
#include "Uno.h"

#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextRange.hpp>

#include <cstdint>
#include <string>

namespace word {

// One paragraph of the main story (table cells included).
struct ParagraphEntry {
    long start = 0;   // position of its first character
    long length = 0;  // characters without the paragraph mark
    int textIndex = 0;  // which text holds it: 0 the main text, then each table cell
    int tableRow = -1;  // 1-based row inside a table, -1 outside
    long end() const { return start + length + 1; }
};

// A stretch of one paragraph whose characters share their attributes.
struct CharRun {
    long start = 0;
    long end = 0;
    CharAttributes attributes;
};

// Paragraph-level attributes, in the engine's units.
struct ParagraphAttributes {
    short adjust = 0;          // ParagraphAdjust
    short lastLineAdjust = 0;  // ParagraphAdjust of the last line
    short lineSpacingMode = 0;
    short lineSpacingHeight = 100;
    std::int32_t topMargin = 0;     // 1/100 mm
    std::int32_t bottomMargin = 0;  // 1/100 mm
    short outlineLevel = 0;         // 0 body text, 1..10 headings
    std::string listLabel;
};

}  // namespace word
