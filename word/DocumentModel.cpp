#include "DocumentModel.h"

#include "CallBound.h"
#include "CallGate.h"
#include "Engine.h"
#include "StoryReader.h"
#include "reader/StoryPacket.h"
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
#include <com/sun/star/frame/XLayoutManager.hpp>
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

// Sorted, as the engine's multi-property reads expect.
template <size_t N>
Sequence<OUString> namesOf(const char* const (&names)[N]) {
    Sequence<OUString> sequence(static_cast<sal_Int32>(N));
    for (size_t i = 0; i < N; ++i) sequence.getArray()[i] = OUString::createFromAscii(names[i]);
    return sequence;
}

const Sequence<OUString>& paragraphPropertyNames() {
    static const char* const names[] = {"ListLabelString", "OutlineLevel", "ParaAdjust",
                                        "ParaBottomMargin", "ParaLastLineAdjust", "ParaLineSpacing",
                                        "ParaTopMargin"};
    static const Sequence<OUString> sequence = namesOf(names);
    return sequence;
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

}  // namespace

DocumentModel::DocumentModel(Reference<css::text::XTextDocument> document, std::string path)
    : document_(std::move(document)),
      // Asked once: every query of an engine object is a call to the engine.
      model_(document_, UNO_QUERY),
      engineGeneration_(Engine::instance().generation()),
      path_(std::move(path)),
      selection_(std::make_shared<Span>()) {}

DocumentModel::~DocumentModel() = default;

Reference<css::text::XTextDocument> DocumentModel::unoDocument() const {
    checkUsable();
    return document_;
}

Reference<css::frame::XModel> DocumentModel::unoModel() const {
    checkUsable();
    if (!model_.is()) throw WordError(errors::NoDocument, "文档已关闭");
    return model_;
}

void DocumentModel::checkUsable() const {
    if (closed_ || !document_.is()) throw WordError(errors::NoDocument, "文档已关闭");
    if (Engine::instance().generation() != engineGeneration_ || !Engine::instance().alive()) {
        throw WordError(errors::EngineUnavailable, "文档引擎已退出，文档不再可用");
    }
}

bool DocumentModel::engineAlive() const {
    return Engine::instance().generation() == engineGeneration_ && Engine::instance().alive();
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
    // Inside the engine the layout costs about as much as the story over
    // the bridge would: it comes in the same reply.
    const bool inEngine = uno::guarded([] { return Engine::instance().storyReader().is(); });
    const sal_Int32 releaseGrid = gridReleaseAsked_ ? 0 : packet::ReleaseGrid;
    static std::atomic<sal_Int32> stamps{0};
    storyStamp_ = ++stamps;
    StoryReply reply = readStory(unoModel(), packet::Story | releaseGrid | (inEngine ? packet::Layout : 0),
                                 LayoutRequest{.storyStamp = storyStamp_});
    if (!reply.story) throw WordError(errors::EngineUnavailable, "文档引擎没有读出正文");
    gridReleaseAsked_ = true;
    releasedFromGrid_.insert(releasedFromGrid_.end(), reply.releasedParagraphs.begin(), reply.releasedParagraphs.end());
    adoptStory(std::move(*reply.story));
    if (reply.layout) layout_ = std::move(reply.layout);
    storyLoaded_ = true;
}

void DocumentModel::adoptStory(StoryContents&& story) {
    text_ = std::move(story.text);
    paragraphs_ = std::move(story.paragraphs);
    runs_.clear();
    paragraphAttributes_.clear();
    markAttributes_.clear();
    objects_.reset();
    textIdentities_.clear();
    for (size_t i = 0; i < paragraphs_.size(); ++i) {
        const long index = static_cast<long>(i);
        runs_[index] = std::move(story.runs[i]);
        paragraphAttributes_[index] = std::move(story.attributes[i]);
        markAttributes_[index] = story.marks[i];
    }
    forgetLayout();
}

void DocumentModel::ensureObjects() {
    ensureStory();
    std::lock_guard lock(mutex_);
    if (objects_) return;
    auto matches = [this](const StoryObjects& objects) {
        if (objects.paragraphs.size() != paragraphs_.size()) return false;
        for (size_t i = 0; i < paragraphs_.size(); ++i) {
            if (objects.textOfParagraph[i] != paragraphs_[i].textIndex) return false;
        }
        return true;
    };
    StoryReply reply = readStory(unoModel(), packet::Objects | packet::CachedStory, LayoutRequest{.storyStamp = storyStamp_});
    if (!reply.objects || !matches(*reply.objects)) {
        // The story changed behind the cache: read it again.
        invalidate();
        ensureStory();
        reply = readStory(unoModel(), packet::Objects);
        if (!reply.objects || !matches(*reply.objects)) {
            throw WordError(errors::EngineUnavailable, "文档引擎没有读出正文");
        }
    }
    objects_ = std::move(reply.objects);
}

Reference<css::text::XTextRange> DocumentModel::paragraphObject(long index) {
    ensureObjects();
    std::lock_guard lock(mutex_);
    return objects_->paragraphs.at(static_cast<size_t>(index));
}

Reference<css::text::XText> DocumentModel::textObjectOf(long index) {
    ensureObjects();
    std::lock_guard lock(mutex_);
    return objects_->texts.at(static_cast<size_t>(paragraphs_.at(static_cast<size_t>(index)).textIndex));
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
        // The runs are in order: the first one that reaches into the stretch
        // is found by halving, so reading one character is not a walk over
        // the whole paragraph's runs.
        const std::vector<CharRun>& runs = runs_[p];
        auto run = std::partition_point(runs.begin(), runs.end(), [&](const CharRun& r) { return r.end <= start; });
        for (; run != runs.end() && run->start < end; ++run) {
            const long s = std::max(start, run->start);
            const long e = std::min(end, run->end);
            if (s < e) result.push_back({s, e, run->attributes});
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
    return markAttributes_[index];
}

Reference<css::text::XTextRange> DocumentModel::unoRange(long start, long end) {
    ensureObjects();
    checkUsable();
    if (paragraphs_.empty()) return document_->getText()->getStart();
    end = std::max(start, end);
    const long first = paragraphAt(start);
    const ParagraphEntry& p = paragraphs_[first];
    return uno::guarded([&]() -> Reference<css::text::XTextRange> {
        auto cursor = textObjectOf(first)->createTextCursorByRange(paragraphObject(first)->getStart());
        moveRight(cursor, std::min(start, p.start + p.length) - p.start, false);
        const long last = paragraphAt(std::max(start, end - 1));
        if (last == first || end <= start) {
            moveRight(cursor, std::min(end, p.start + p.length + (last == first ? 1 : 0)) - std::max(start, p.start), true);
            return Reference<css::text::XTextRange>(cursor.get());
        }
        const ParagraphEntry& q = paragraphs_[last];
        if (q.textIndex != p.textIndex) {
            // A stretch that leaves a table cell: the engine cannot span it;
            // the part in the first cell stands for it.
            Reference<css::text::XParagraphCursor>(cursor, UNO_QUERY_THROW)->gotoEndOfParagraph(true);
            return Reference<css::text::XTextRange>(cursor.get());
        }
        auto endCursor = textObjectOf(last)->createTextCursorByRange(paragraphObject(last)->getStart());
        moveRight(endCursor, std::min(end - q.start, q.length), false);
        cursor->gotoRange(endCursor->getStart(), true);
        return Reference<css::text::XTextRange>(cursor.get());
    });
}

long DocumentModel::positionOf(const Reference<css::text::XTextRange>& point) {
    ensureObjects();
    std::lock_guard lock(mutex_);
    return uno::guarded([&]() -> long {
        if (textIdentities_.empty()) {
            for (const auto& text : objects_->texts) textIdentities_.push_back(identityOf(text));
        }
        auto text = point->getText();
        const auto found = std::find(textIdentities_.begin(), textIdentities_.end(), identityOf(text));
        const int textIndex = static_cast<int>(found - textIdentities_.begin());
        std::vector<long> candidates;
        for (long i = 0; i < static_cast<long>(paragraphs_.size()); ++i) {
            if (paragraphs_[i].textIndex == textIndex) candidates.push_back(i);
        }
        if (candidates.empty()) return -1;  // not in the main story
        Reference<css::text::XTextRangeCompare> compare(text, UNO_QUERY_THROW);
        auto start = point->getStart();
        // The last paragraph that starts at or before the point.
        size_t lo = 0, hi = candidates.size();
        while (hi - lo > 1) {
            const size_t mid = (lo + hi) / 2;
            if (compare->compareRegionStarts(paragraphObject(candidates[mid])->getStart(), start) >= 0) lo = mid; else hi = mid;
        }
        const ParagraphEntry& p = paragraphs_[candidates[lo]];
        auto cursor = text->createTextCursorByRange(paragraphObject(candidates[lo])->getStart());
        cursor->gotoRange(start, true);
        const long offset = std::min<long>(cursor->getString().getLength(), p.length);
        return p.start + offset;
    });
}

namespace {

// Whether the runs cover [start, end) wholly and `update` changes none of
// them there.
bool runsUnchangedBy(const std::vector<CharRun>& runs, long start, long end,
                     const std::function<void(CharAttributes&)>& update) {
    long covered = start;
    for (const CharRun& run : runs) {
        if (run.end <= start || run.start >= end) continue;
        if (run.start > covered) return false;
        CharAttributes updated = run.attributes;
        update(updated);
        if (!(updated == run.attributes)) return false;
        covered = std::max(covered, run.end);
    }
    return covered >= end;
}

}  // namespace

void DocumentModel::setCharProperty(long start, long end, const char* name, const Any& value, bool affectsLayout,
                                    const std::function<void(CharAttributes&)>& update, Skip skip) {
    ensureStory();
    std::lock_guard lock(mutex_);
    auto [first, last] = paragraphsTouching(start, end);
    long firstWritten = -1;
    for (long i = first; i <= last && i >= 0; ++i) {
        const ParagraphEntry& p = paragraphs_[i];
        const long s = std::max(start, p.start);
        const long e = std::min(end, p.start + p.length);
        if (s >= e) continue;
        if (skip == Skip::Unchanged && runsUnchangedBy(runs_[i], s, e, update)) continue;
        if (firstWritten < 0) firstWritten = i;
        uno::guarded([&] {
            if (writeCharPropertyInEngine(unoModel(), storyStamp_, s, e, name, value)) return;
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
    if (affectsLayout && firstWritten >= 0) forgetLayoutFrom(paragraphs_[firstWritten].start);
}

void DocumentModel::setParagraphProperty(long index, const char* name, const Any& value, bool affectsLayout) {
    ensureObjects();
    std::lock_guard lock(mutex_);
    uno::guarded([&] {
        const Reference<css::text::XTextRange> paragraph = paragraphObject(index);
        Reference<css::beans::XPropertySet> props(paragraph, UNO_QUERY_THROW);
        props->setPropertyValue(OUString::createFromAscii(name), value);
        // Re-read what the engine made of it.
        Reference<css::beans::XMultiPropertySet> multi(paragraph, UNO_QUERY_THROW);
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
    if (affectsLayout) forgetLayoutFrom(paragraphs_.at(index).start);
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

void DocumentModel::forgetLayout() { layout_.reset(); }

// A write to a paragraph can move the lines of its own page and of the pages
// after it, never those before: the layout is kept up to that page.
void DocumentModel::forgetLayoutFrom(long paragraphStart) {
    if (layout_) layout_->dropFrom(paragraphStart);
}

void DocumentModel::invalidate() {
    std::lock_guard lock(mutex_);
    storyLoaded_ = false;
    forgetLayout();
}

void DocumentModel::ensureLayout(long until) {
    ensureStory();
    std::lock_guard lock(mutex_);
    if (layout_ && layout_->knows(until < 0 ? static_cast<long>(text_.size()) : until) && (until >= 0 || layout_->complete)) {
        return;
    }
    LayoutRequest request{.until = static_cast<sal_Int32>(until), .storyStamp = storyStamp_};
    if (layout_ && !layout_->complete) {
        request.fromPhysicalPage = static_cast<sal_Int32>(layout_->resume.physicalPage);
        request.fromPage = static_cast<sal_Int32>(layout_->resume.page);
        request.fromPosition = static_cast<sal_Int32>(layout_->resume.position);
    }
    StoryReply reply = readStory(unoModel(), packet::Layout | packet::CachedStory, request);
    if (!reply.layout) {
        // A document without a view has no layout: one page, every line first.
        layout_ = StoryLayout{};
    } else if (layout_ && !layout_->complete) {
        layout_->append(std::move(*reply.layout));
    } else {
        layout_ = std::move(reply.layout);
    }
}

long DocumentModel::pageCount() {
    ensureLayout(-1);
    return layout_->pageCount;
}

long DocumentModel::pageStart(long page) {
    ensureLayout(-1);
    ensurePageWalked(page);
    return layout_->pageStart(page);
}

long DocumentModel::pageOf(long position) {
    ensureLayout(std::max(0L, position));
    ensureLinesOfPage(position);
    return layout_->pageOf(position);
}

long DocumentModel::lineOf(long position) {
    ensureLayout(std::max(0L, position));
    ensureLinesOfPage(position);
    return layout_->lineOf(position);
}

// Pages the walk stepped over (they lie inside one long paragraph) have
// their lines walked only when a position on them is asked about.
void DocumentModel::ensureLinesOfPage(long position) {
    std::lock_guard lock(mutex_);
    const LineStart* known = layout_->unknownLineAbove(position);
    if (!known) return;
    walkGap({.fromPhysicalPage = static_cast<sal_Int32>(known->physicalPage),
             .fromPage = static_cast<sal_Int32>(known->page),
             .fromPosition = static_cast<sal_Int32>(known->position),
             .until = static_cast<sal_Int32>(position)});
}

// The same for the start of such a page: the walk begins on that page.
void DocumentModel::ensurePageWalked(long page) {
    std::lock_guard lock(mutex_);
    const LineStart* known = layout_->unknownPageAfter(page);
    if (!known) return;
    walkGap({.fromPhysicalPage = static_cast<sal_Int32>(known->physicalPage + (page - known->page)),
             .fromPage = static_cast<sal_Int32>(page),
             .fromPosition = static_cast<sal_Int32>(known->position + 1),
             .until = static_cast<sal_Int32>(known->position + 1)});
}

void DocumentModel::walkGap(const LayoutRequest& request) {
    LayoutRequest stamped = request;
    stamped.storyStamp = storyStamp_;
    StoryReply reply = readStory(unoModel(), packet::Layout | packet::CachedStory, stamped);
    if (reply.layout) layout_->fillGap(std::move(*reply.layout));
}

namespace {

// The engine's profile keeps the status bar off: a hidden document's status
// bar counts its words after every load, which holds the engine's main
// thread for a tenth of a second. A person looking at the document gets it.
void showStatusBar(const Reference<css::frame::XFrame>& frame) {
    Reference<css::beans::XPropertySet> frameProperties(frame, UNO_QUERY);
    if (!frameProperties.is()) return;
    Reference<css::frame::XLayoutManager> layout(frameProperties->getPropertyValue("LayoutManager"), UNO_QUERY);
    if (!layout.is()) return;
    const OUString statusBar("private:resource/statusbar/statusbar");
    if (!layout->getElement(statusBar).is()) layout->createElement(statusBar);
    layout->showElement(statusBar);
}

void setGridSnapping(const std::vector<Reference<css::text::XTextRange>>& paragraphs, bool snap) {
    uno::guarded([&] {
        for (const auto& paragraph : paragraphs) {
            Reference<css::beans::XPropertySet> props(paragraph, UNO_QUERY);
            // A paragraph deleted since has nothing to put back.
            try {
                if (props.is()) props->setPropertyValue("SnapToGrid", Any(snap));
            } catch (const css::uno::RuntimeException&) {
                if (!Engine::instance().alive()) throw;
            }
        }
    });
}

}  // namespace

void DocumentModel::restoreGridSnapping() {
    std::lock_guard lock(mutex_);
    checkUsable();
    setGridSnapping(releasedFromGrid_, true);
}

void DocumentModel::releaseGridSnapping() {
    std::lock_guard lock(mutex_);
    checkUsable();
    setGridSnapping(releasedFromGrid_, false);
}

void DocumentModel::close() {
    std::lock_guard lock(mutex_);
    if (closed_) return;
    closed_ = true;
    try {
        BoundedCall bound;
        Reference<css::util::XCloseable> closeable(document_, UNO_QUERY);
        if (closeable.is()) closeable->close(true);
    } catch (...) {
        // A dead engine has closed it already.
    }
    document_.clear();
    model_.clear();
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
        if (visible) showStatusBar(frame);
        // A shown window comes to the front, over the program's own window.
        Reference<css::awt::XTopWindow> top(window, UNO_QUERY);
        if (visible && top.is()) top->toFront();
    });
}

}  // namespace word
