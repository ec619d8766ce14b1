#pragma once

#include "checks/Checker.h"

#include <string_view>
#include <vector>

namespace quillmark {

// The English abstract: its title "Abstract" (found in any letter case from
// where the Selection stands, wrapping round), which must begin a page; the
// "Key words" line with its label, colon and words; and every word of the
// abstract text between title and label. Fonts are compared by Font.Name
// throughout. Settled points:
//  - an empty key word (two stop characters in a row) is passed over, as an
//    empty word of the abstract text is;
//  - when the "Key words" label does not begin its paragraph, the text before
//    it in that paragraph is scanned as abstract text only up to the label;
//  - a label found before the end of the title paragraph leaves no abstract
//    text to check.
class EnAbstractChecker final : public Checker {
public:
    CheckKind kind() const override { return CheckKind::EnAbstract; }
    const char* progressName() const override;
    void run(CheckSession& session) override;

private:
    struct Run;
};

// ------------------------------------------------------------ word scan

// The characters that end a word. Both sets stop at a space, a paragraph
// mark and any character outside ASCII (a Chinese character or full-width
// punctuation); key words also stop at a form feed, abstract text at an
// ASCII comma, which therefore stays part of a key word.
enum class StopCharacters { KeyWords, AbstractText };

bool isStopCharacter(char32_t c, StopCharacters stops);

// A scanned word [start, end) in story positions, without its stop
// character. Two stop characters in a row give an empty word.
struct ScannedWord {
    long start = 0;
    long end = 0;
    bool empty() const { return end <= start; }
    bool operator==(const ScannedWord&) const = default;
};

// Splits `text` (UTF-8, the text of a stretch that begins at story position
// `start`) into words, each ending before the next stop character; the next
// word starts after it. The scan ends with the word that ends at the last
// character of the stretch (its paragraph mark) or at the stretch's end.
// Positions count UTF-16 units, as the story does.
std::vector<ScannedWord> scanWords(std::string_view text, long start, StopCharacters stops);

}  // namespace quillmark
