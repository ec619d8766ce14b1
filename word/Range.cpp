#include "Range.h"

#include "DocumentModel.h"
#include "FontValues.h"
#include "WordBreaker.h"
#include "WordConstants.h"
#include "WordError.h"

#include <algorithm>

namespace word {

namespace {

long clampPosition(DocumentModel& doc, long position) { return std::clamp<long>(position, 0, doc.storyEnd()); }

}  // namespace

long Range::Start() const { return span_->start; }
long Range::End() const { return span_->end; }

void Range::SetStart(long start) {
    span_->start = clampPosition(*span_->doc, start);
    span_->end = std::max(span_->start, span_->end);
}

void Range::SetEnd(long end) {
    span_->end = clampPosition(*span_->doc, end);
    span_->start = std::min(span_->start, span_->end);
}

void Range::SetRange(long start, long end) {
    if (start > end) std::swap(start, end);
    span_->start = clampPosition(*span_->doc, start);
    span_->end = clampPosition(*span_->doc, end);
}

void Range::Collapse(bool toStart) {
    if (toStart) span_->end = span_->start; else span_->start = span_->end;
}

word::Range Range::Duplicate() const { return word::Range(std::make_shared<Span>(*span_)); }

std::string Range::Text() const {
    const std::u16string& text = span_->doc->text();
    const long start = std::min<long>(span_->start, static_cast<long>(text.size()));
    const long end = std::min<long>(span_->end, static_cast<long>(text.size()));
    return uno::toUtf8(std::u16string_view(text).substr(start, end - start));
}

word::Font Range::Font() const { return word::Font(*span_); }

word::Words Range::Words() const {
    DocumentModel& doc = *span_->doc;
    std::vector<std::pair<long, long>> bounds;
    const auto& paragraphs = doc.paragraphs();
    if (paragraphs.empty()) return word::Words(span_->doc, bounds);
    const std::u16string& text = doc.text();
    auto [first, last] = doc.paragraphsTouching(span_->start, span_->end);
    for (long i = first; i <= last; ++i) {
        const ParagraphEntry& p = paragraphs[i];
        for (auto [s, e] : splitWords(std::u16string_view(text).substr(p.start, p.length + 1))) {
            const long start = std::max(span_->start, p.start + s);
            const long end = std::min(span_->end, p.start + e);
            if (start < end) bounds.emplace_back(start, end);
        }
    }
    return word::Words(span_->doc, std::move(bounds));
}

word::Paragraphs Range::Paragraphs() const {
    auto [first, last] = span_->doc->paragraphsTouching(span_->start, span_->end);
    return word::Paragraphs(span_->doc, first, last);
}

word::ParagraphFormat Range::ParagraphFormat() const {
    auto [first, last] = span_->doc->paragraphsTouching(span_->start, span_->end);
    std::vector<long> indices;
    for (long i = first; i <= last; ++i) indices.push_back(i);
    return word::ParagraphFormat(span_->doc, std::move(indices));
}

word::ListFormat Range::ListFormat() const {
    return word::ListFormat(span_->doc, span_->doc->paragraphAt(span_->start));
}

long Range::LanguageID() const {
    auto language = commonValue<long>(*span_->doc, span_->start, span_->end, [](const CharAttributes& a, char16_t c) {
        return isEastAsian(c) ? a.asianLanguage : a.latinLanguage;
    });
    return language.value_or(wdUndefined);
}

std::vector<long> Range::FormatBoundaries() const {
    DocumentModel& doc = *span_->doc;
    const std::u16string& text = doc.text();
    const long end = std::min<long>(span_->end, static_cast<long>(text.size()));
    std::vector<long> bounds;
    auto add = [&](long p) {
        if (bounds.empty() || bounds.back() < p) bounds.push_back(p);
    };
    long covered = span_->start;
    for (const CharRun& run : doc.runsIn(span_->start, end)) {
        for (long i = covered; i < run.start; ++i) add(i);  // a character of no run stands alone
        add(run.start);
        for (long i = run.start + 1; i < run.end; ++i) {
            if (isEastAsian(text[i]) != isEastAsian(text[i - 1])) add(i);
        }
        covered = std::max(covered, run.end);
    }
    for (long i = covered; i < end; ++i) add(i);
    return bounds;
}

word::Find Range::Find() const { return word::Find(span_); }

long Range::Information(int type) const {
    DocumentModel& doc = *span_->doc;
    switch (type) {
        case wdActiveEndPageNumber:
            return doc.pageOf(span_->end > span_->start ? span_->end - 1 : span_->start);
        case wdNumberOfPagesInDocument:
            return doc.pageCount();
        case wdFirstCharacterLineNumber:
            return doc.lineOf(span_->start);
        case wdStartOfRangeRowNumber: {
            const long index = doc.paragraphAt(span_->start);
            return index < 0 ? -1 : doc.paragraphs()[index].tableRow;
        }
        default:
            throw WordError(errors::BadArgument, "不支持的 Information 类型: " + std::to_string(type));
    }
}

void Range::Select() const {
    const SpanPtr& selection = span_->doc->selection();
    selection->doc = span_->doc;
    selection->start = span_->start;
    selection->end = span_->end;
}

// Selection

word::Range Selection::Range() const { return word::Range(std::make_shared<Span>(*span_)); }

void Selection::GoTo(int what, int which, long count) {
    if (what != wdGoToPage) throw WordError(errors::BadArgument, "GoTo 仅支持按页移动");
    DocumentModel& doc = *span_->doc;
    const long current = Information(wdActiveEndPageNumber);
    long target = current;
    if (which == wdGoToNext) target = current + count;
    else if (which == wdGoToPrevious) target = current - count;
    else target = count;  // wdGoToAbsolute and others: the page numbered `count`
    target = std::clamp<long>(target, 1, doc.pageCount());
    span_->start = span_->end = doc.pageStart(target);
}

long Selection::MoveLeft(int unit, long count, int extend) {
    if (unit != wdCharacter) throw WordError(errors::BadArgument, "MoveLeft 仅支持按字符移动");
    if (extend == wdExtend) {
        const long end = std::max(span_->start, span_->end - count);
        const long moved = span_->end - end;
        span_->end = end;
        return moved;
    }
    long moved = 0;
    if (span_->end > span_->start) {
        span_->end = span_->start;
        ++moved;
        --count;
    }
    const long start = std::max<long>(0, span_->start - count);
    moved += span_->start - start;
    span_->start = span_->end = start;
    return moved;
}

long Selection::MoveRight(int unit, long count, int extend) {
    if (unit != wdCharacter) throw WordError(errors::BadArgument, "MoveRight 仅支持按字符移动");
    const long storyEnd = span_->doc->storyEnd();
    if (extend == wdExtend) {
        const long end = std::min(storyEnd, span_->end + count);
        const long moved = end - span_->end;
        span_->end = end;
        return moved;
    }
    // As in Word, a collapsed Selection never stands after the final
    // paragraph mark.
    const long lastCaret = std::max<long>(0, storyEnd - 1);
    long moved = 0;
    if (span_->end > span_->start) {
        span_->start = span_->end = std::min(span_->end, lastCaret);
        ++moved;
        --count;
    }
    const long from = std::min(span_->end, lastCaret);
    const long end = std::max(from, std::min(lastCaret, from + count));
    moved += end - from;
    span_->start = span_->end = end;
    return moved;
}

long Selection::EndKey(int unit, int extend) {
    if (unit != wdStory) throw WordError(errors::BadArgument, "EndKey 仅支持 wdStory");
    const long storyEnd = span_->doc->storyEnd();
    const long before = span_->end;
    if (extend == wdExtend) {
        span_->end = storyEnd;
    } else {
        span_->start = span_->end = std::max<long>(0, storyEnd - 1);
    }
    return span_->end - before;
}

long Selection::HomeKey(int unit, int extend) {
    if (unit != wdStory) throw WordError(errors::BadArgument, "HomeKey 仅支持 wdStory");
    const long before = span_->start;
    span_->start = 0;
    if (extend != wdExtend) span_->end = 0;
    return before;
}

void Selection::TypeParagraph() {
    span_->doc->insertParagraphBreak(span_->start);
    span_->start = span_->end = span_->start + 1;
}

void Selection::TypeText(const std::string& text) {
    const OUString converted = uno::toOU(text);
    const std::u16string inserted = uno::toU16(converted);
    const long added = span_->doc->insertText(span_->start, inserted);
    span_->start = span_->end = span_->start + added;
}

}  // namespace word
