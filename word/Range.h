#pragma once

#include "Fields.h"
#include "Find.h"
#include "Font.h"
#include "Paragraphs.h"
#include "Span.h"
#include "Words.h"

#include <string>
#include <vector>

namespace word {

// A stretch [Start, End) of a document's main story. Positions count the
// characters of the story from 0, table cells included, each paragraph mark
// one character. Copies of a Range share one stretch, as automation
// references do; Duplicate() makes an independent one.
class Range {
public:
    explicit Range(SpanPtr span) : span_(std::move(span)) {}

    long Start() const;
    long End() const;
    void SetStart(long start);
    void SetEnd(long end);
    void SetRange(long start, long end);
    void Collapse(bool toStart = true);
    word::Range Duplicate() const;

    std::string Text() const;  // UTF-8; a paragraph's text ends with "\r"
    word::Font Font() const;
    word::Words Words() const;
    word::Paragraphs Paragraphs() const;
    word::ParagraphFormat ParagraphFormat() const;
    word::ListFormat ListFormat() const;
    long LanguageID() const;  // 2052, 1033, ...; wdUndefined when mixed
    // Where the character format may change inside the range, ascending,
    // the range's start first: the starts of the engine's character runs and
    // the places where the script changes (East Asian or not). Between two
    // boundaries every single character reads the same Font and LanguageID
    // values, so a walk over a long paragraph need read one per stretch.
    std::vector<long> FormatBoundaries() const;
    word::Find Find() const;
    long Information(int type) const;
    void Select() const;  // makes the Selection this stretch

    const SpanPtr& span() const { return span_; }

protected:
    SpanPtr span_;
};

// The Selection of the active document: a Range with the moves a user makes.
class Selection : public Range {
public:
    explicit Selection(SpanPtr span) : word::Range(std::move(span)) {}

    word::Range Range() const;  // an independent range over the selection
    void GoTo(int what, int which, long count = 1);
    long MoveLeft(int unit = 1, long count = 1, int extend = 0);
    long MoveRight(int unit = 1, long count = 1, int extend = 0);
    long EndKey(int unit = 6, int extend = 0);
    long HomeKey(int unit = 6, int extend = 0);
    void TypeParagraph();
    void TypeText(const std::string& text);
};

}  // namespace word
