#pragma once

#include "Span.h"

#include <optional>
#include <vector>

namespace word {

class Range;

// Paragraph-level formatting of one or more paragraphs; a number that differs
// between them reads wdUndefined.
class ParagraphFormat {
public:
    ParagraphFormat(std::shared_ptr<DocumentModel> doc, std::vector<long> paragraphs)
        : doc_(std::move(doc)), paragraphs_(std::move(paragraphs)) {}

    long Alignment() const;
    void SetAlignment(long alignment);
    float LineSpacing() const;  // points: single 12, 1.5 lines 18, double 24
    void SetLineSpacing(float points);
    long LineSpacingRule() const;
    void SetLineSpacingRule(long rule);
    float SpaceBefore() const;
    void SetSpaceBefore(float points);
    float SpaceAfter() const;
    void SetSpaceAfter(float points);
    float LineUnitBefore() const;
    void SetLineUnitBefore(float lines);
    float LineUnitAfter() const;
    void SetLineUnitAfter(float lines);
    long OutlineLevel() const;  // 1..9 headings, 10 body text
    // -1 when the paragraph begins a new page by a manual break (the engine
    // keeps Word's leading form feed as this paragraph attribute), else 0.
    long PageBreakBefore() const;

private:
    std::shared_ptr<DocumentModel> doc_;
    std::vector<long> paragraphs_;  // indices into the document's paragraph table
};

class ListFormat {
public:
    ListFormat(std::shared_ptr<DocumentModel> doc, long paragraph) : doc_(std::move(doc)), paragraph_(paragraph) {}
    long ListValue() const;  // 0 when the paragraph is not numbered

private:
    std::shared_ptr<DocumentModel> doc_;
    long paragraph_;
};

class Paragraph {
public:
    Paragraph(std::shared_ptr<DocumentModel> doc, long index) : doc_(std::move(doc)), index_(index) {}

    word::Range Range() const;
    long Alignment() const;
    void SetAlignment(long alignment);
    float LineSpacing() const;
    long OutlineLevel() const;
    word::ParagraphFormat Format() const;
    std::optional<Paragraph> Next(long count = 1) const;
    std::optional<Paragraph> Previous(long count = 1) const;

private:
    std::shared_ptr<DocumentModel> doc_;
    long index_;
};

// The paragraphs that a stretch touches, in document order, counted from 1.
class Paragraphs {
public:
    Paragraphs(std::shared_ptr<DocumentModel> doc, long first, long last)
        : doc_(std::move(doc)), first_(first), last_(last) {}

    long Count() const { return last_ - first_ + 1; }
    Paragraph Item(long index) const;  // 1-based
    Paragraph First() const { return Item(1); }
    Paragraph Last() const { return Item(Count()); }
    long Alignment() const;
    void SetAlignment(long alignment);
    float LineSpacing() const;
    long OutlineLevel() const;
    word::ParagraphFormat Format() const;

private:
    std::vector<long> indices() const;

    std::shared_ptr<DocumentModel> doc_;
    long first_;
    long last_;
};

}  // namespace word
