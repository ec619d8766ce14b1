#pragma once

#include "checks/BodyState.h"
#include "word/msword.h"

#include <array>
#include <string>
#include <string_view>

namespace quillmark {

class CheckSession;

namespace captions {

// What a centred body paragraph is, by its first word.
enum class CaptionKind { EnFigure, EnTable, Table, Figure, Other };

// "Fig", "Tab", "表", "图" (exact, case-sensitive, in this order, without the
// white space a word carries after it); anything else is another centred
// paragraph.
CaptionKind kindOf(std::string_view firstWord);

// The four number searches of a table or figure caption, in order (plain
// Find texts: "^#" a digit, "^w" white space); the first two look for a
// two-digit caption number.
std::array<std::string, 4> numberSearches(bool table, std::string_view separator);
inline constexpr int kTwoDigitSearches = 2;

// The number written in a found caption number: the match without its first
// character (表 or 图), without full-width spaces, leading white space trimmed.
std::string numberText(std::string_view match);

// Right when the number begins with the chapter number and ends with the
// counter + 1 (its last two characters after a two-digit search, else its
// last one).
bool numberIsRight(std::string_view numberText, int chapter, int counter, bool twoDigits);

}  // namespace captions

// The checks of a centred body paragraph outside a table: the format of its
// kind, then for table and figure captions the number, which must name the
// chapter and count up from 1 within it. English table captions are compared
// on their Latin font only, like English figure captions.
void checkCaption(CheckSession& session, BodyState& state, const word::Range& paragraph);

}  // namespace quillmark
