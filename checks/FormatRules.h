#pragma once

// The format rules every checker applies: searching, the bold, size,
// font-name, language-font, alignment and line-spacing rules, the run walk,
// short paragraphs, the page-top rule, marking and the auto-fix corrections.
// Checkers call these; none keeps a copy of its own.

#include "word/msword.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace quillmark {

class CheckSession;
struct Location;

// ---------------------------------------------------------------- search

// Find.ClearFormatting, then Find.Execute on the Selection: not case
// sensitive, not whole words, forward, no format; wildcards and wrap
// (word::wdFindStop / word::wdFindContinue) as given. A hit leaves the found
// text selected; a miss leaves the Selection as it was.
bool findInSelection(word::Selection& selection, const std::string& text, bool wildcards, int wrap);

// Searches only [start, end): sets the Selection to that stretch and finds
// without wrapping.
bool findInStretch(word::Selection& selection, long start, long end, const std::string& text, bool wildcards);

// ----------------------------------------------------------------- rules

// How a template bold flag reads: most items are bold only for flag 1; the
// covers take every non-zero flag as bold.
enum class BoldRule { FlagIsOne, NonZero };

// The Font.Bold value the flag asks for: -1 or 0.
long expectedBold(std::int32_t flag, BoldRule rule = BoldRule::FlagIsOne);
// A mixed value (wdUndefined) deviates from either expectation.
bool boldDeviates(long bold, std::int32_t flag, BoldRule rule = BoldRule::FlagIsOne);
bool boldDeviates(const word::Font& font, std::int32_t flag, BoldRule rule = BoldRule::FlagIsOne);

// Exact float equality; a mixed size deviates.
bool sizeDeviates(float size, float expected);
bool sizeDeviates(const word::Font& font, float expected);

// Which name of a Font an item is compared by or corrected through.
enum class FontNameProperty { Name, NameFarEast, NameAscii };

std::string fontName(const word::Font& font, FontNameProperty property);
void setFontName(word::Font& font, FontNameProperty property, const std::string& name);

// Exact, case-sensitive comparison; an empty (mixed) name deviates.
bool fontNameDeviates(const std::string& name, const std::string& expected);
bool fontNameDeviates(const word::Font& font, FontNameProperty property, const std::string& expected);

// For a word that may be Chinese or English: language 1033 compares
// Font.NameAscii with the Latin font, 2052 compares Font.NameFarEast with the
// Chinese font, any other language deviates.
bool languageFontDeviates(const word::Range& range, const std::string& cnFont, const std::string& enFont);
// For a run that already knows its Font.Name and language: right only for
// (Chinese font, 2052) or (Latin font, 1033).
bool runFontDeviates(const std::string& name, long language, const std::string& cnFont, const std::string& enFont);

// Paragraphs.Alignment of the range's paragraphs against the template value;
// a mixed value deviates.
bool alignmentDeviates(const word::Range& range, long expected);

// The only accepted line spacing, in points ("1.5倍行距").
inline constexpr float kRequiredLineSpacing = 18.0f;
// Paragraphs.LineSpacing of the whole stretch is not exactly 18 points.
bool lineSpacingDeviates(const word::Range& range);

// -------------------------------------------------------------- run walk

// A stretch [start, end) of one paragraph over which the engine reports one
// Font.Name, one Font.Bold, one Font.Size and one LanguageID.
struct TextRun {
    long start = 0;
    long end = 0;
    std::string fontName;
    long bold = 0;
    float size = 0;
    long language = 0;
};

// Splits the text of a paragraph (its range, paragraph mark included) into
// runs of equal character format and hands each to `visit` in order, right
// after it is found, so that a visitor may change the run's format. The
// paragraph mark belongs to no run; a paragraph holding only its mark has
// none. Reads each character's format once.
void walkRuns(const word::Document& document, const word::Range& paragraph,
              const std::function<void(const TextRun&)>& visit);
std::vector<TextRun> runsOf(const word::Document& document, const word::Range& paragraph);

// ------------------------------------------------------------ paragraphs

// At most this many code page 936 bytes, paragraph mark included: a blank
// line or a line of up to six Chinese characters.
inline constexpr std::size_t kShortParagraphBytes = 14;
bool isShortParagraph(const word::Range& paragraph);
bool isShortText(const std::string& paragraphText);

// Page-top rule. Moves the Selection to the start of the page holding
// `titleStart` (GoTo previous page, then next page) and tells whether the
// title begins that page: its start equals Selection.End or Selection.End + 1.
bool beginsPage(word::Selection& selection, long titleStart);

// ------------------------------------------------- deviations and fixes

// The deviations of one item, in the fixed order of messages and fixes.
struct Deviations {
    bool bold = false;
    bool size = false;
    bool font = false;
    bool alignment = false;
    bool any() const { return bold || size || font || alignment; }
};

// The bold, size and font-name rules of one item together.
Deviations fontDeviations(const word::Font& font, std::int32_t boldFlag, float size, FontNameProperty property,
                          const std::string& fontName);

// What auto-fix writes for a flagged item.
struct Correction {
    float size = 0;
    // Names set, in this order, when the font deviates.
    std::vector<std::pair<FontNameProperty, std::string>> fontNames;
    long alignment = 0;  // used only when the alignment deviates
};

// Colours of the marking: faulty text red (0x0000C0), corrected text black.
inline constexpr long kMarkColor = 192;
inline constexpr long kFixedColor = 0;

// Font.Color = 192 on the range.
void markFaulty(const word::Range& item);

// Auto-fix of the flagged deviations, in order: bold toggled (wdToggle),
// size, font name(s), paragraph alignment; each followed by Font.Color = 0.
void applyCorrections(const word::Range& item, const Deviations& deviations, const Correction& correction);

// The shared ending of an item check. Nothing happens without a deviation.
// Check mode: one finding ("中等") with the description, then the item is
// marked. Auto-fix mode: the corrections, no finding.
void reportOrCorrect(CheckSession& session, const word::Range& item, const Deviations& deviations,
                     const std::string& description, int position, const Location& where,
                     const Correction& correction);

}  // namespace quillmark
