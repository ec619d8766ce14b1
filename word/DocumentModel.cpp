#include "DocumentModel.h"

#include "CallGate.h"
#include "Engine.h"
#include "Languages.h"
#include "WordError.h"

#include <com/sun/star/awt/FontSlant.hpp>
#include <com/sun/star/awt/Point.hpp>
#include <com/sun/star/awt/XTopWindow.hpp>
#include <com/sun/star/awt/XWindow.hpp>
#include <com/sun/star/beans/XMultiPropertySet.hpp>
#include <com/sun/star/container/XContentEnumerationAccess.hpp>
#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/lang/Locale.hpp>
#include <com/sun/star/lang/XServiceInfo.hpp>
#include <com/sun/star/style/LineSpacing.hpp>
#include <com/sun/star/text/ControlCharacter.hpp>
#include <com/sun/star/text/TextContentAnchorType.hpp>
#include <com/sun/star/text/XTextRangeCompare.hpp>
#include <com/sun/star/text/XTextTable.hpp>
#include <com/sun/star/text/XTextViewCursorSupplier.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <com/sun/star/text/XParagraphCursor.hpp>
#include <com/sun/star/view/XSelectionSupplier.hpp>
#include <com/sun/star/view/XViewCursor.hpp>

#include <algorithm>
#include <atomic>
#include <exception>
#include <thread>

namespace word {

using uno::Any;
using uno::Reference;
using uno::Sequence;
using uno::UNO_QUERY;
using uno::UNO_QUERY_THROW;

namespace {

constexpr char16_t kObjectPlaceholder = 0xFFFC;  // a field, note anchor or inline object
constexpr char16_t kParagraphMark = u'\r';
constexpr size_t kReadThreads = 4;

// Sorted, as the engine's multi-property reads expect.
template <size_t N>
Sequence<OUString> namesOf(const char* const (&names)[N]) {
    Sequence<OUString> sequence(static_cast<sal_Int32>(N));
    for (size_t i = 0; i < N; ++i) sequence.getArray()[i] = OUString::createFromAscii(names[i]);
    return sequence;
}

const Sequence<OUString>& portionPropertyNames() {
    static const char* const names[] = {
        "CharColor",  "CharEscapement", "CharFontName", "CharFontNameAsian", "CharHeight",
        "CharHeightAsian", "CharLocale", "CharLocaleAsian", "CharPosture", "CharUnderline",
        "CharWeight", "CharWeightAsian", "TextPortionType"};
    static const Sequence<OUString> sequence = namesOf(names);
    return sequence;
}

const Sequence<OUString>& paragraphPropertyNames() {
    static const char* const names[] = {"ListLabelString", "OutlineLevel", "ParaAdjust",
                                        "ParaBottomMargin", "ParaLastLineAdjust", "ParaLineSpacing",
                                        "ParaTopMargin"};
    static const Sequence<OUString> sequence = namesOf(names);
    return sequence;
}

// Word-saved files name a font with its alternates ("黑体;SimHei"); Word
// reports the first name.
std::string familyName(const OUString& name) {
    const sal_Int32 separator = name.indexOf(';');
    return uno::toUtf8(separator < 0 ? name : name.copy(0, separator));
}

long languageOf(const Any& value) {
    css::lang::Locale locale;
    value >>= locale;
    return languageIdFromLocale(uno::toUtf8(locale.Language), uno::toUtf8(locale.Country));
}

CharAttributes attributesFrom(const Sequence<Any>& v) {
    CharAttributes a;
    v[0] >>= a.rgbColor;
    v[1] >>= a.escapement;
    OUString name;
    if (v[2] >>= name) a.latinFont = familyName(name);
    if (v[3] >>= name) a.asianFont = familyName(name);
    v[4] >>= a.latinSize;
    v[5] >>= a.asianSize;
    a.latinLanguage = languageOf(v[6]);
    a.asianLanguage = languageOf(v[7]);
    css::awt::FontSlant slant = css::awt::FontSlant_NONE;
    v[8] >>= slant;
    a.italic = slant == css::awt::FontSlant_ITALIC || slant == css::awt::FontSlant_OBLIQUE;
    v[9] >>= a.underline;
    float weight = 100;
    v[10] >>= weight;
    a.latinBold = weight > 100.5f;
    weight = 100;
    v[11] >>= weight;
    a.asianBold = weight > 100.5f;
    return a;
}

int rowOfCellName(const std::string& name) {
    // "B3" -> 3; split cells carry further parts ("B3.1.1"), the first number is the row.
    size_t i = 0;
    while (i < name.size() && std::isalpha(static_cast<unsigned char>(name[i]))) ++i;
    int row = 0;
    while (i < name.size() && std::isdigit(static_cast<unsigned char>(name[i]))) row = row * 10 + (name[i++] - '0');
    return row;
}

// The identity of an engine object, as UNO defines it.
const void* identityOf(const Reference<css::uno::XInterface>& object) {
    Reference<css::uno::XInterface> normalized(object, UNO_QUERY);
    return normalized.get();
}

void moveRight(const Reference<css::text::XTextCursor>& cursor, long count, bool extend) {
    while (count > 0) {
        const sal_Int16 step = static_cast<sal_Int16>(std::min<long>(count, 30000));
        cursor->goRight(step, extend);
        count -= step;
    }
}

bool isInlineObject(const Reference<css::uno::XInterface>& portion) {
    Reference<css::container::XContentEnumerationAccess> access(portion, UNO_QUERY);
    if (!access.is()) return false;
    auto contents = access->createContentEnumeration("com.sun.star.text.TextContent");
    while (contents.is() && contents->hasMoreElements()) {
        Reference<css::beans::XPropertySet> props(contents->nextElement(), UNO_QUERY);
        css::text::TextContentAnchorType anchor = css::text::TextContentAnchorType_AT_PARAGRAPH;
        if (props.is() && (props->getPropertyValue("AnchorType") >>= anchor) &&
            anchor == css::text::TextContentAnchorType_AS_CHARACTER) {
            return true;
        }
    }
    return false;
}

}  // namespace

DocumentModel::DocumentModel(Reference<css::text::XTextDocument> document, std::string path)
    : document_(std::move(document)),
      engineGeneration_(Engine::instance().generation()),
      path_(std::move(path)),
      selection_(std::make_shared<Span>()) {}

DocumentModel::~DocumentModel() = default;

Reference<css::text::XTextDocument> DocumentModel::unoDocument() const {
    checkUsable();
    return document_;
}

Reference<css::frame::XModel> DocumentModel::unoModel() const {
    return Reference<css::frame::XModel>(unoDocument(), UNO_QUERY_THROW);
}

void DocumentModel::checkUsable() const {
    if (closed_ || !document_.is()) throw WordError(errors::NoDocument, "文档已关闭");
    if (Engine::instance().generation() != engineGeneration_ || !Engine::instance().alive()) {
        throw WordError(errors::EngineUnavailable, "文档引擎已退出，文档不再可用");
    }
}

const std::u16string& DocumentModel::text() {
    ensureStory();
    return text_;
}

long DocumentModel::storyEnd() {
    ensureStory();
    return static_cast<long>(text_.size());
}

const std::vector<ParagraphEntry>& DocumentModel::paragraphs() {
    ensureStory();
    return paragraphs_;
}

void DocumentModel::ensureStory() {
    passCallGate();
    std::lock_guard lock(mutex_);
    if (storyLoaded_) return;
    checkUsable();
    uno::guarded([&] {
        text_.clear();
        paragraphs_.clear();
        runs_.clear();
        paragraphAttributes_.clear();
        markAttributes_.clear();
        std::vector<PendingParagraph> pending;
        auto body = document_->getText();
        collectParagraphs(body, -1, pending);
        std::vector<ParagraphRead> reads = readParagraphs(pending);
        for (size_t i = 0; i < pending.size(); ++i) appendParagraph(pending[i], reads[i]);
    });
    storyLoaded_ = true;
}

void DocumentModel::collectParagraphs(const Reference<css::text::XText>& text, int tableRow,
                                      std::vector<PendingParagraph>& pending) {
    Reference<css::container::XEnumerationAccess> access(text, UNO_QUERY_THROW);
    auto elements = access->createEnumeration();
    while (elements->hasMoreElements()) {
        const Any element = elements->nextElement();
        Reference<css::text::XTextTable> table(element, UNO_QUERY);
        if (table.is()) {
            collectTable(table, pending);
        } else {
            pending.push_back({Reference<css::text::XTextRange>(element, UNO_QUERY), text, tableRow});
        }
    }
}

void DocumentModel::collectTable(const Reference<css::text::XTextTable>& table, std::vector<PendingParagraph>& pending) {
    for (const OUString& cellName : table->getCellNames()) {
        Reference<css::text::XText> cell(table->getCellByName(cellName), UNO_QUERY);
        if (cell.is()) collectParagraphs(cell, rowOfCellName(uno::toUtf8(cellName)), pending);
    }
}

// Each paragraph costs a few round trips to the engine; reading them from
// several threads at once overlaps the waiting.
std::vector<ParagraphRead> DocumentModel::readParagraphs(const std::vector<PendingParagraph>& pending) {
    std::vector<ParagraphRead> reads(pending.size());
    std::atomic<size_t> next{0};
    std::exception_ptr failure;
    std::mutex failureMutex;
    auto work = [&] {
        for (size_t i = next++; i < pending.size(); i = next++) {
            try {
                reads[i] = readParagraph(pending[i].paragraph);
            } catch (...) {
                std::lock_guard lock(failureMutex);
                if (!failure) failure = std::current_exception();
                next = pending.size();
            }
        }
    };
    const size_t threads = std::min<size_t>(kReadThreads, std::max<size_t>(1, pending.size() / 16));
    std::vector<std::thread> workers;
    for (size_t t = 1; t < threads; ++t) workers.emplace_back(work);
    work();
    for (auto& worker : workers) worker.join();
    if (failure) std::rethrow_exception(failure);
    return reads;
}

ParagraphRead DocumentModel::readParagraph(const Reference<css::text::XTextRange>& paragraph) {
    ParagraphRead read;
    Reference<css::container::XEnumerationAccess> access(paragraph, UNO_QUERY_THROW);
    auto portions = access->createEnumeration();
    while (portions->hasMoreElements()) {
        Reference<css::beans::XMultiPropertySet> portion(portions->nextElement(), UNO_QUERY);
        if (!portion.is()) continue;
        const Sequence<Any> values = portion->getPropertyValues(portionPropertyNames());
        OUString type;
        values[12] >>= type;
        if (type == "Text") {
            Reference<css::text::XTextRange> range(portion, UNO_QUERY_THROW);
            std::u16string piece = uno::toU16(range->getString());
            // A manual line break is Word's vertical tab.
            std::replace(piece.begin(), piece.end(), u'\n', u'\v');
            read.pieces.push_back({static_cast<long>(piece.size()), attributesFrom(values)});
            read.text += piece;
        } else if (type == "TextField" || type == "Footnote" || type == "Annotation" ||
                   type == "ControlCharacter" || (type == "Frame" && isInlineObject(portion))) {
            read.pieces.push_back({1, attributesFrom(values)});
            read.text += kObjectPlaceholder;
        }
    }
    Reference<css::beans::XMultiPropertySet> props(paragraph, UNO_QUERY);
    if (props.is()) {
        const Sequence<Any> v = props->getPropertyValues(paragraphPropertyNames());
        OUString label;
        if (v[0] >>= label) read.attributes.listLabel = uno::toUtf8(label);
        v[1] >>= read.attributes.outlineLevel;
        v[2] >>= read.attributes.adjust;
        v[3] >>= read.attributes.bottomMargin;
        v[4] >>= read.attributes.lastLineAdjust;
        css::style::LineSpacing spacing;
        if (v[5] >>= spacing) {
            read.attributes.lineSpacingMode = spacing.Mode;
            read.attributes.lineSpacingHeight = spacing.Height;
        }
        v[6] >>= read.attributes.topMargin;
    }
    return read;
}

void DocumentModel::appendParagraph(const PendingParagraph& pending, const ParagraphRead& read) {
    ParagraphEntry entry;
    entry.start = static_cast<long>(text_.size());
    entry.length = static_cast<long>(read.text.size());
    entry.paragraph = pending.paragraph;
    entry.text = pending.text;
    entry.textId = identityOf(pending.text);
    entry.tableRow = pending.tableRow;
    const long index = static_cast<long>(paragraphs_.size());

    std::vector<CharRun> runs;
    long position = entry.start;
    for (const auto& [length, attributes] : read.pieces) {
        if (length <= 0) continue;
        if (!runs.empty() && runs.back().attributes == attributes) {
            runs.back().end += length;
        } else {
            runs.push_back({position, position + length, attributes});
        }
        position += length;
    }
    text_ += read.text;
    text_ += kParagraphMark;
    paragraphs_.push_back(entry);
    runs_[index] = std::move(runs);
    paragraphAttributes_[index] = read.attributes;
}

long DocumentModel::paragraphAt(long position) {
    ensureStory();
    if (paragraphs_.empty()) return -1;
    position = std::clamp<long>(position, 0, static_cast<long>(text_.size()) - 1);
    auto it = std::upper_bound(paragraphs_.begin(), paragraphs_.end(), position,
                               [](long pos, const ParagraphEntry& p) { return pos < p.start; });
    return static_cast<long>(it - paragraphs_.begin()) - 1;
}

std::pair<long, long> DocumentModel::paragraphsTouching(long start, long end) {
    const long first = paragraphAt(start);
    const long last = end > start ? paragraphAt(end - 1) : first;
    return {first, std::max(first, last)};
}

std::vector<CharRun> DocumentModel::runsIn(long start, long end) {
    ensureStory();
    std::lock_guard lock(mutex_);
    std::vector<CharRun> result;
    if (paragraphs_.empty()) return result;
    auto [first, last] = paragraphsTouching(start, end);
    for (long p = first; p <= last; ++p) {
        for (const CharRun& run : runs_[p]) {
            const long s = std::max(start, run.start);
            const long e = std::min(end, run.end);
            if (s < e) result.push_back({s, e, run.attributes});
        }
    }
    return result;
}

const ParagraphAttributes& DocumentModel::paragraphAttributes(long index) {
    ensureStory();
    return paragraphAttributes_[index];
}

CharAttributes DocumentModel::markAttributes(long index) {
    ensureStory();
    std::lock_guard lock(mutex_);
    auto cached = markAttributes_.find(index);
    if (cached != markAttributes_.end()) return cached->second;
    CharAttributes attributes = uno::guarded([&] {
        Reference<css::beans::XMultiPropertySet> props(paragraphs_.at(index).paragraph, UNO_QUERY_THROW);
        Sequence<OUString> names = portionPropertyNames();
        names.realloc(names.getLength() - 1);  // a paragraph has no portion type
        Sequence<Any> values = props->getPropertyValues(names);
        values.realloc(values.getLength() + 1);
        return attributesFrom(values);
    });
    markAttributes_[index] = attributes;
    return attributes;
}

Reference<css::text::XTextRange> DocumentModel::unoRange(long start, long end) {
    ensureStory();
    checkUsable();
    if (paragraphs_.empty()) return document_->getText()->getStart();
    end = std::max(start, end);
    const long first = paragraphAt(start);
    const ParagraphEntry& p = paragraphs_[first];
    return uno::guarded([&]() -> Reference<css::text::XTextRange> {
        auto cursor = p.text->createTextCursorByRange(p.paragraph->getStart());
        moveRight(cursor, std::min(start, p.start + p.length) - p.start, false);
        const long last = paragraphAt(std::max(start, end - 1));
        if (last == first || end <= start) {
            moveRight(cursor, std::min(end, p.start + p.length + (last == first ? 1 : 0)) - std::max(start, p.start), true);
            return Reference<css::text::XTextRange>(cursor.get());
        }
        const ParagraphEntry& q = paragraphs_[last];
        if (q.textId != p.textId) {
            // A stretch that leaves a table cell: the engine cannot span it;
            // the part in the first cell stands for it.
            Reference<css::text::XParagraphCursor>(cursor, UNO_QUERY_THROW)->gotoEndOfParagraph(true);
            return Reference<css::text::XTextRange>(cursor.get());
        }
        auto endCursor = q.text->createTextCursorByRange(q.paragraph->getStart());
        moveRight(endCursor, std::min(end - q.start, q.length), false);
        cursor->gotoRange(endCursor->getStart(), true);
        return Reference<css::text::XTextRange>(cursor.get());
    });
}

long DocumentModel::positionOf(const Reference<css::text::XTextRange>& point) {
    ensureStory();
    return uno::guarded([&]() -> long {
        auto text = point->getText();
        const void* textId = identityOf(text);
        std::vector<long> candidates;
        for (long i = 0; i < static_cast<long>(paragraphs_.size()); ++i) {
            if (paragraphs_[i].textId == textId) candidates.push_back(i);
        }
        if (candidates.empty()) return -1;  // not in the main story
        Reference<css::text::XTextRangeCompare> compare(text, UNO_QUERY_THROW);
        auto start = point->getStart();
        // The last paragraph that starts at or before the point.
        size_t lo = 0, hi = candidates.size();
        while (hi - lo > 1) {
            const size_t mid = (lo + hi) / 2;
            const auto& p = paragraphs_[candidates[mid]];
            if (compare->compareRegionStarts(p.paragraph->getStart(), start) >= 0) lo = mid; else hi = mid;
        }
        const ParagraphEntry& p = paragraphs_[candidates[lo]];
        auto cursor = p.text->createTextCursorByRange(p.paragraph->getStart());
        cursor->gotoRange(start, true);
        const long offset = std::min<long>(cursor->getString().getLength(), p.length);
        return p.start + offset;
    });
}

void DocumentModel::setCharProperty(long start, long end, const char* name, const Any& value, bool affectsLayout,
                                    const std::function<void(CharAttributes&)>& update) {
    ensureStory();
    std::lock_guard lock(mutex_);
    auto [first, last] = paragraphsTouching(start, end);
    for (long i = first; i <= last && i >= 0; ++i) {
        const ParagraphEntry& p = paragraphs_[i];
        const long s = std::max(start, p.start);
        const long e = std::min(end, p.start + p.length);
        if (s >= e) continue;
        uno::guarded([&] {
            Reference<css::beans::XPropertySet> props(unoRange(s, e), UNO_QUERY_THROW);
            props->setPropertyValue(OUString::createFromAscii(name), value);
        });
        // Keep the cached runs in step with what was written.
        std::vector<CharRun> updated;
        for (const CharRun& run : runs_[i]) {
            const long cuts[] = {run.start, std::clamp(s, run.start, run.end), std::clamp(e, run.start, run.end), run.end};
            for (int k = 0; k < 3; ++k) {
                if (cuts[k] >= cuts[k + 1]) continue;
                CharRun piece{cuts[k], cuts[k + 1], run.attributes};
                if (k == 1) update(piece.attributes);
                if (!updated.empty() && updated.back().end == piece.start && updated.back().attributes == piece.attributes) {
                    updated.back().end = piece.end;
                } else {
                    updated.push_back(piece);
                }
            }
        }
        runs_[i] = std::move(updated);
    }
    if (affectsLayout) forgetLayout();
}

void DocumentModel::setParagraphProperty(long index, const char* name, const Any& value, bool affectsLayout) {
    ensureStory();
    std::lock_guard lock(mutex_);
    const ParagraphEntry& p = paragraphs_.at(index);
    uno::guarded([&] {
        Reference<css::beans::XPropertySet> props(p.paragraph, UNO_QUERY_THROW);
        props->setPropertyValue(OUString::createFromAscii(name), value);
        // Re-read what the engine made of it.
        Reference<css::beans::XMultiPropertySet> multi(p.paragraph, UNO_QUERY_THROW);
        const Sequence<Any> v = multi->getPropertyValues(paragraphPropertyNames());
        ParagraphAttributes& a = paragraphAttributes_[index];
        v[1] >>= a.outlineLevel;
        v[2] >>= a.adjust;
        v[3] >>= a.bottomMargin;
        v[4] >>= a.lastLineAdjust;
        css::style::LineSpacing spacing;
        if (v[5] >>= spacing) {
            a.lineSpacingMode = spacing.Mode;
            a.lineSpacingHeight = spacing.Height;
        }
        v[6] >>= a.topMargin;
    });
    if (affectsLayout) forgetLayout();
}

void DocumentModel::insertParagraphBreak(long position) {
    ensureStory();
    std::lock_guard lock(mutex_);
    uno::guarded([&] {
        auto at = unoRange(position, position);
        at->getText()->insertControlCharacter(at, css::text::ControlCharacter::PARAGRAPH_BREAK, false);
    });
    invalidate();
}

long DocumentModel::insertText(long position, const std::u16string& text) {
    ensureStory();
    std::lock_guard lock(mutex_);
    long inserted = 0;
    uno::guarded([&] {
        auto cursor = unoRange(position, position);
        auto body = cursor->getText();
        std::u16string piece;
        auto flush = [&] {
            if (piece.empty()) return;
            body->insertString(cursor, OUString(reinterpret_cast<const sal_Unicode*>(piece.data()),
                                                static_cast<sal_Int32>(piece.size())), false);
            inserted += static_cast<long>(piece.size());
            piece.clear();
        };
        for (char16_t c : text) {
            if (c == u'\r' || c == u'\v') {
                flush();
                body->insertControlCharacter(cursor, c == u'\r' ? css::text::ControlCharacter::PARAGRAPH_BREAK
                                                                 : css::text::ControlCharacter::LINE_BREAK, false);
                ++inserted;
            } else if (c >= 0x20 || c == u'\t') {
                piece += c;  // other control characters have no place in the story
            }
        }
        flush();
    });
    invalidate();
    return inserted;
}

void DocumentModel::forgetLayout() {
    layout_.reset();
    pageCount_ = 0;
}

void DocumentModel::invalidate() {
    std::lock_guard lock(mutex_);
    storyLoaded_ = false;
    forgetLayout();
}

Reference<css::text::XTextViewCursor> DocumentModel::viewCursor() {
    if (!viewCursor_.is()) {
        Reference<css::text::XTextViewCursorSupplier> supplier(unoModel()->getCurrentController(), UNO_QUERY_THROW);
        viewCursor_ = supplier->getViewCursor();
    }
    return viewCursor_;
}

void DocumentModel::ensureLayout() {
    ensureStory();
    std::lock_guard lock(mutex_);
    if (layout_) return;
    uno::guarded([&] {
        PageLayout layout;
        auto cursor = viewCursor();
        Reference<css::text::XPageCursor> pages(cursor, UNO_QUERY_THROW);
        pages->jumpToLastPage();
        const long count = std::max<long>(1, pages->getPage());
        layout.pageStarts.reserve(count);
        for (long page = 1; page <= count; ++page) {
            if (page == 1) {
                layout.pageStarts.push_back(0);
                continue;
            }
            pages->jumpToPage(static_cast<sal_Int16>(page));
            pages->jumpToStartOfPage();
            long start = positionOf(cursor->getStart());
            if (!layout.pageStarts.empty()) start = std::max(start, layout.pageStarts.back());
            layout.pageStarts.push_back(start);
        }
        layout_ = std::move(layout);
    });
}

// The count alone needs no page starts: every check asks for it at its start.
long DocumentModel::pageCount() {
    ensureStory();
    std::lock_guard lock(mutex_);
    if (layout_) return static_cast<long>(layout_->pageStarts.size());
    if (pageCount_ > 0) return pageCount_;
    pageCount_ = uno::guarded([&] {
        Reference<css::text::XPageCursor> pages(viewCursor(), UNO_QUERY_THROW);
        pages->jumpToLastPage();
        return std::max<long>(1, pages->getPage());
    });
    return pageCount_;
}

long DocumentModel::pageStart(long page) {
    ensureLayout();
    const auto& starts = layout_->pageStarts;
    page = std::clamp<long>(page, 1, static_cast<long>(starts.size()));
    return starts[page - 1];
}

long DocumentModel::pageOf(long position) {
    ensureLayout();
    const auto& starts = layout_->pageStarts;
    // Several pages can start at one position (empty pages); the last of them holds it.
    auto it = std::upper_bound(starts.begin(), starts.end(), position);
    return std::max<long>(1, static_cast<long>(it - starts.begin()));
}

void DocumentModel::ensureLines(long page) {
    if (layout_->lineTops.count(page)) return;
    uno::guarded([&] {
        auto cursor = viewCursor();
        Reference<css::text::XPageCursor> pages(cursor, UNO_QUERY_THROW);
        Reference<css::view::XViewCursor> lines(cursor, UNO_QUERY_THROW);
        std::vector<std::int32_t> tops;
        pages->jumpToPage(static_cast<sal_Int16>(page));
        pages->jumpToStartOfPage();
        for (int guard = 0; guard < 2000; ++guard) {
            tops.push_back(cursor->getPosition().Y);
            if (!lines->goDown(1, false) || pages->getPage() != page) break;
        }
        std::sort(tops.begin(), tops.end());
        tops.erase(std::unique(tops.begin(), tops.end()), tops.end());
        layout_->lineTops[page] = std::move(tops);
    });
}

long DocumentModel::lineOf(long position) {
    ensureLayout();
    std::lock_guard lock(mutex_);
    const long page = pageOf(position);
    ensureLines(page);
    return uno::guarded([&]() -> long {
        auto cursor = viewCursor();
        cursor->gotoRange(unoRange(position, position), false);
        Reference<css::text::XPageCursor> pages(cursor, UNO_QUERY_THROW);
        const auto& tops = layout_->lineTops[page];
        if (pages->getPage() != page) return 1;
        const std::int32_t y = cursor->getPosition().Y;
        auto it = std::upper_bound(tops.begin(), tops.end(), y);
        return std::max<long>(1, static_cast<long>(it - tops.begin()));
    });
}

void DocumentModel::close() {
    std::lock_guard lock(mutex_);
    if (closed_) return;
    closed_ = true;
    viewCursor_.clear();
    try {
        Reference<css::util::XCloseable> closeable(document_, UNO_QUERY);
        if (closeable.is()) closeable->close(true);
    } catch (...) {
        // A dead engine has closed it already.
    }
    document_.clear();
}

void DocumentModel::showSelection() {
    ensureStory();
    uno::guarded([&] {
        Reference<css::view::XSelectionSupplier> supplier(unoModel()->getCurrentController(), UNO_QUERY_THROW);
        supplier->select(Any(unoRange(selection_->start, selection_->end)));
    });
}

void DocumentModel::setWindowVisible(bool visible) {
    checkUsable();
    uno::guarded([&] {
        auto frame = unoModel()->getCurrentController()->getFrame();
        auto window = frame->getContainerWindow();
        if (window.is()) window->setVisible(visible);
        // A shown window comes to the front, over the program's own window.
        Reference<css::awt::XTopWindow> top(window, UNO_QUERY);
        if (visible && top.is()) top->toFront();
    });
}

}  // namespace word
