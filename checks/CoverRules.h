#pragma once

// What the three cover walks share: the cover item check, the text-paragraph
// rule, the bounds of a page and the underlined value of an author-details
// line.

#include "checks/FormatRules.h"
#include "checks/Messages.h"
#include "checks/TemplateElements.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillmark {

class CheckSession;

// A font name an item is compared by, or corrected through.
struct CoverFontName {
    FontNameProperty property = FontNameProperty::Name;
    std::string name;
    // Corrections only: set only when this property itself differs; otherwise
    // set whenever the item's font deviates.
    bool onlyWhenDiffers = false;
};

// One cover item's rules: its label and texts, the template's bold flag (and
// how it reads), size and font names.
struct CoverItem {
    std::string_view label;
    std::int32_t boldFlag = 0;
    BoldRule boldRule = BoldRule::FlagIsOne;
    float size = 0;
    // The font deviates when any of these names differs.
    std::vector<CoverFontName> compared;
    // What auto-fix writes when the font deviates, in order.
    std::vector<CoverFontName> corrections;
    messages::CoverTexts texts;
    std::string_view fontSeparator = messages::kCoverSeparator;
    // The element of the template the item is.
    TemplateElement element = TemplateElement::BachelorTitle;
};

// An item compared and corrected through one font name property.
CoverItem coverItem(TemplateElement element, std::string_view label, std::int32_t boldFlag, BoldRule rule, float size,
                    FontNameProperty property, const std::string& fontName, messages::CoverTexts texts);

// The cover item check. The item is selected and progress reported at the
// Selection; then, in check mode, the size, bold and font-name rules in this
// order (each deviation marks the item red) and one "中等" finding at the
// item's start; in auto-fix mode bold, size and font are corrected, each
// followed by colour 0.
void checkCoverItem(CheckSession& session, const word::Range& range, const CoverItem& item);

// ----------------------------------------------------------- paragraphs

// A cover paragraph is text from this many code page 936 bytes on, its
// paragraph mark included; shorter ones are blank lines.
inline constexpr std::size_t kCoverTextBytes = 5;

std::size_t coverBytes(const std::string& text);
// Without leading and trailing space, tab, CR, LF, VT and FF.
std::size_t trimmedCoverBytes(const std::string& text);
bool isCoverText(const word::Range& paragraph);
bool isTrimmedCoverText(const word::Range& paragraph);

// ----------------------------------------------------------------- pages

// The page holding `position` and its last position (the position before the
// next page starts; on the last page, the story's last paragraph mark).
// Moves the Selection as a user's GoTo and MoveLeft would.
struct PageBounds {
    long page = 0;
    long start = 0;
    long last = 0;
};
PageBounds pageAround(CheckSession& session, long position);
// The page after the one holding `position`, when there is one.
std::optional<PageBounds> nextPage(CheckSession& session, long position);

// ------------------------------------------------------- author details

// The stretch of an author-details line that the rules apply to: leading
// spaces dropped; nothing for a line shorter than 5 bytes; then the
// underlined value at the line's end (from the first character from which on
// the rest of the line reads single-underlined), or the empty range at the
// line's end when no such rest exists.
std::optional<word::Range> underlinedValue(CheckSession& session, const word::Range& paragraph);

}  // namespace quillmark
