#include "LayoutWalk.h"

#include "WalkTimes.h"

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/style/PageStyleLayout.hpp>
#include <com/sun/star/style/XStyleFamiliesSupplier.hpp>
#include <com/sun/star/text/XPageCursor.hpp>
#include <com/sun/star/text/XParagraphCursor.hpp>
#include <com/sun/star/text/XTextRangeCompare.hpp>
#include <com/sun/star/text/XTextViewCursor.hpp>
#include <com/sun/star/text/XTextViewCursorSupplier.hpp>
#include <com/sun/star/view/XLineCursor.hpp>
#include <com/sun/star/view/XViewCursor.hpp>

#include <algorithm>
#include <limits>
#include <map>
#include <optional>

namespace word {

namespace {

namespace css = ::com::sun::star;
using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

// A line start the view cursor stood on, in the engine's page numbers.
struct SeenLine {
    sal_Int32 position;
    sal_Int32 physicalPage;
    sal_Int32 y;
    bool restOfPageSkipped = false;
};

// Inside the engine a line start's offset in its paragraph is counted after
// the walk, where it is cheap; over the bridge that would be a third call
// for each line, and it is counted at once.
#ifdef QUILLMARK_READER_IN_ENGINE
constexpr bool kDeferOffsets = true;
#else
constexpr bool kDeferOffsets = false;
#endif

// How much of a paragraph must lie below a page's first line before the
// walk asks whether the whole page lies inside it: more than a page holds
// in an ordinary thesis.
constexpr sal_Int32 kLongRemainder = 1000;

class LayoutWalker {
public:
    LayoutWalker(Reference<css::frame::XModel> model, const WalkedStory& story, const LayoutRequest& request,
                 Reference<css::text::XTextViewCursor> cursor)
        : model_(std::move(model)),
          story_(story),
          request_(request),
          cursor_(std::move(cursor)),
          pages_(cursor_, UNO_QUERY_THROW),
          lines_(cursor_, UNO_QUERY_THROW),
          lineEnds_(cursor_, UNO_QUERY) {}

    WalkedLayout run() {
        {
            WalkTimes::Scope scope(WalkTimes::current(), WalkTimes::LastPage);
            pages_->jumpToLastPage();
        }
        physicalCount_ = std::max<sal_Int32>(1, pages_->getPage());
        firstPage_ = std::clamp<sal_Int32>(request_.fromPhysicalPage, 1, physicalCount_);
        walkLines();
        countDeferredOffsets();
        fillIn();
        return numbered();
    }

private:
    // Down the lines from the first page asked for; where the walk leaves
    // the main story or stops early, it goes on at the next paragraph it
    // has not passed yet.
    void walkLines() {
        const size_t limit = static_cast<size_t>(story_.end) + story_.paragraphs.size() + 64 * static_cast<size_t>(physicalCount_) + 64;
        size_t steps = 0;
        size_t resume = 0;
        sal_Int32 furthest = request_.fromPosition - 1;
        if (firstPage_ == 1) pages_->jumpToFirstPage(); else pages_->jumpToPage(static_cast<sal_Int16>(firstPage_));
        pages_->jumpToStartOfPage();
        while (steps < limit && !stop_) {
            while (steps++ < limit) {
                WalkTimes& times = WalkTimes::current();
                {
                    WalkTimes::Scope scope(times, WalkTimes::LineStarts);
                    if (lineEnds_.is() && !lineEnds_->isAtStartOfLine()) lineEnds_->gotoStartOfLine(false);
                }
                SeenLine line{-1, 0, 0};
                {
                    WalkTimes::Scope scope(times, WalkTimes::LineTops);
                    line.physicalPage = pages_->getPage();
                    line.y = cursor_->getPosition().Y;
                }
                // A line of the page of the line before may have its offset
                // counted after the walk.
                const bool mayDefer = kDeferOffsets && request_.until < 0 && !seen_.empty() &&
                                      seen_.back().physicalPage == line.physicalPage;
                {
                    WalkTimes::Scope scope(times, WalkTimes::LinePositions);
                    line.position = linePosition(mayDefer);
                }
                const sal_Int32 position = line.position;
                if (position < 0) break;
                if (position >= request_.fromPosition) {  // not before the part asked for
                    if (!seen_.empty() && seen_.back().position == line.position && seen_.back().y == line.y &&
                        seen_.back().physicalPage == line.physicalPage) {
                        break;  // the cursor did not move
                    }
                    const bool startsPage = seen_.empty() || seen_.back().physicalPage != line.physicalPage;
                    if (pendingOffset_.is()) deferred_.push_back({seen_.size(), pendingOffset_, paragraph_});
                    seen_.push_back(line);
                    furthest = std::max(furthest, position);
                    if (reachedStop(line)) break;
                    if (startsPage && steppedOverPages()) continue;
                }
                WalkTimes::Scope scope(times, WalkTimes::LineMoves);
                if (!lines_->goDown(1, false)) break;
            }
            while (resume < story_.paragraphs.size() && story_.paragraphs[resume].start <= furthest) ++resume;
            if (resume >= story_.paragraphs.size()) break;
            cursor_->gotoRange(story_.paragraphs[resume++].range->getStart(), false);
            jumped_ = true;
        }
    }

    // When the page that the last line seen begins lies wholly inside one
    // paragraph (the next page begins inside it too), steps over it and
    // over every following page that does too, and goes on at the first
    // line of the last page that begins inside the paragraph. The pages are
    // found by jumps that double, then halve: each view-cursor move inside a
    // paragraph of megabytes costs the engine milliseconds. Only a page that
    // begins well inside a long paragraph is looked at, so that an ordinary
    // thesis pays nothing for it.
    bool steppedOverPages() {
        WalkTimes::Scope scope(WalkTimes::current(), WalkTimes::PageSteps);
        SeenLine& top = seen_.back();
        const size_t inside = paragraph_;
        const WalkedParagraph& paragraph = story_.paragraphs[inside];
        if (top.position <= paragraph.start || paragraph.start + paragraph.length - top.position < kLongRemainder ||
            top.physicalPage + 1 == knownOutside_) {
            return false;
        }
        // Page `page` begins inside the paragraph, after `top` and not after
        // the position the walk is asked for.
        auto beginsInside = [&](sal_Int32 page) {
            if (page > physicalCount_ || !landsOn(page)) return false;
            pages_->jumpToStartOfPage();
            jumped_ = true;
            const sal_Int32 position = linePosition();
            return position > top.position && paragraph_ == inside && (request_.until < 0 || position <= request_.until);
        };
        sal_Int32 last = top.physicalPage;
        sal_Int32 beyond = 0;
        for (sal_Int32 step = 1; beyond == 0; step *= 2) {
            if (beginsInside(last + step)) last += step; else beyond = last + step;
        }
        while (beyond - last > 1) {
            const sal_Int32 middle = last + (beyond - last) / 2;
            if (beginsInside(middle)) last = middle; else beyond = middle;
        }
        knownOutside_ = beyond;
        landsOn(last);
        pages_->jumpToStartOfPage();
        jumped_ = true;
        if (last == top.physicalPage) return false;
        top.restOfPageSkipped = true;
        steppedOver_.emplace_back(top.physicalPage, last - 1);
        return true;
    }

    // A walk asked to go only so far stops at the first line of the page
    // after the one that holds the first line beyond `until`.
    bool reachedStop(const SeenLine& line) {
        if (request_.until < 0) return false;
        if (lastPage_ == 0) {
            if (line.position > request_.until) lastPage_ = line.physicalPage;
            return false;
        }
        if (line.physicalPage <= lastPage_) return false;
        stop_ = line;
        return true;
    }

    // The story position of the line start the view cursor stands on, -1
    // outside the main story. A model cursor of the view cursor's text goes
    // there and back to its paragraph's start: the characters between are
    // the offset, and the paragraph is the one the walk was in or one of
    // the next few (a binary search after a jump).
    sal_Int32 linePosition(bool mayDefer = false) {
        pendingOffset_.clear();
        const Reference<css::text::XText> text = cursor_->getText();
        const sal_Int32 textIndex = text.is() ? story_.textOf(text) : -1;
        if (textIndex < 0) return -1;
        const std::vector<sal_Int32>& candidates = story_.texts[textIndex].paragraphs;
        if (candidates.empty()) return -1;
        if (textIndex != walkerText_) {
            walker_ = text->createTextCursor();
            walkerParagraphs_.set(walker_, UNO_QUERY_THROW);
            compare_.set(text, UNO_QUERY_THROW);
            walkerText_ = textIndex;
            candidate_ = 0;
            jumped_ = true;
        }
        walker_->gotoRange(Reference<css::text::XTextRange>(cursor_.get()), false);
        // A paragraph's first line needs no count (the engine counts by
        // exporting the text between).
        sal_Int32 offset = 0;
        const bool firstLine = walkerParagraphs_->isStartOfParagraph();
        if (!firstLine && mayDefer && !jumped_) {
            // Going down line by line, a line that does not start its
            // paragraph goes on the paragraph of the line before. Its offset
            // is counted after the walk, all in one action of the engine's
            // (each count ends an action on the view, which costs as much as
            // a cursor move); until then it stands one past the last known.
            pendingOffset_ = text->createTextCursorByRange(Reference<css::text::XTextRange>(walker_.get()));
            lastOffset_ = std::numeric_limits<sal_Int32>::max();
            const WalkedParagraph& paragraph = story_.paragraphs[paragraph_];
            provisional_ = std::min(provisional_ + 1, paragraph.start + paragraph.length);
            return provisional_;
        }
        if (!firstLine) {
            walkerParagraphs_->gotoStartOfParagraph(true);
            offset = walker_->getString().getLength();
        }
        auto comparedToWalker = [&](size_t candidate) {
            return compare_->compareRegionStarts(story_.paragraphs[candidates[candidate]].range,
                                                 Reference<css::text::XTextRange>(walker_.get()));
        };
        auto startsAtOrBefore = [&](size_t candidate) { return comparedToWalker(candidate) >= 0; };
        // Each comparison costs the engine two marks in the document. Going
        // down line by line, a line further into the paragraph of the line
        // before is in that paragraph, and a paragraph's first line is
        // usually the next paragraph's.
        bool found = false;
        if (!jumped_ && offset > lastOffset_ && offset <= story_.paragraphs[candidates[candidate_]].length) {
            found = true;
        } else if (!jumped_ && offset == 0 && candidate_ + 1 < candidates.size() && comparedToWalker(candidate_ + 1) == 0) {
            ++candidate_;
            found = true;
        } else if (!jumped_ || startsAtOrBefore(candidate_)) {
            for (int step = 0; step < 4; ++step) {
                if (candidate_ + 1 >= candidates.size() || !startsAtOrBefore(candidate_ + 1)) {
                    found = true;
                    break;
                }
                ++candidate_;
            }
        }
        if (!found) {
            size_t lo = 0, hi = candidates.size();
            while (hi - lo > 1) {
                const size_t mid = (lo + hi) / 2;
                if (startsAtOrBefore(mid)) lo = mid; else hi = mid;
            }
            candidate_ = lo;
        }
        jumped_ = false;
        lastOffset_ = offset;
        paragraph_ = static_cast<size_t>(candidates[candidate_]);
        const WalkedParagraph& paragraph = story_.paragraphs[paragraph_];
        provisional_ = paragraph.start + std::min(offset, paragraph.length);
        return provisional_;
    }

    // Counts the offsets the walk left for later, inside one action of the
    // engine's: no view-cursor move happens meanwhile.
    void countDeferredOffsets() {
        if (deferred_.empty()) return;
        WalkTimes::Scope scope(WalkTimes::current(), WalkTimes::LinePositions);
        model_->lockControllers();
        try {
            for (const DeferredOffset& pending : deferred_) {
                Reference<css::text::XParagraphCursor> at(pending.cursor, UNO_QUERY_THROW);
                at->gotoStartOfParagraph(true);
                const WalkedParagraph& paragraph = story_.paragraphs[pending.paragraph];
                seen_[pending.line].position = paragraph.start + std::min(pending.cursor->getString().getLength(), paragraph.length);
            }
        } catch (...) {
            model_->unlockControllers();
            throw;
        }
        model_->unlockControllers();
        deferred_.clear();
    }

    // Paragraphs no line start of the walk fell into (the cells beside the
    // column the walk went down) are looked up one by one.
    void fillIn() {
        WalkTimes::Scope scope(WalkTimes::current(), WalkTimes::FillIn);
        sortSeen();
        std::vector<SeenLine> added;
        for (const WalkedParagraph& paragraph : story_.paragraphs) {
            if (paragraph.start < request_.fromPosition) continue;
            if (stop_ && paragraph.start >= stop_->position) break;
            auto it = std::lower_bound(seen_.begin(), seen_.end(), paragraph.start,
                                       [](const SeenLine& line, sal_Int32 position) { return line.position < position; });
            if (it != seen_.end() && it->position <= paragraph.start + paragraph.length) continue;
            cursor_->gotoRange(paragraph.range->getStart(), false);
            if (viewCursorIsAt(paragraph) || it == seen_.begin()) {
                added.push_back({paragraph.start, pages_->getPage(), cursor_->getPosition().Y});
            } else {
                // The view cannot show it (hidden, or an empty paragraph the
                // layout collapsed) and left the cursor where it stood, maybe
                // pages before: it is read where the view shows the text
                // before it.
                const SeenLine& before = *(it - 1);
                added.push_back({paragraph.start, before.physicalPage, before.y});
            }
        }
        seen_.insert(seen_.end(), added.begin(), added.end());
        sortSeen();
    }

    bool viewCursorIsAt(const WalkedParagraph& paragraph) {
        try {
            Reference<css::text::XTextRangeCompare> compare(paragraph.range->getText(), UNO_QUERY);
            return compare.is() && compare->compareRegionStarts(Reference<css::text::XTextRange>(cursor_.get()),
                                                                paragraph.range->getStart()) == 0;
        } catch (const css::uno::Exception&) {
            return false;  // the cursor stands in another text
        }
    }

    void sortSeen() {
        std::stable_sort(seen_.begin(), seen_.end(),
                         [](const SeenLine& a, const SeenLine& b) { return a.position < b.position; });
        seen_.erase(std::unique(seen_.begin(), seen_.end(),
                                [](const SeenLine& a, const SeenLine& b) { return a.position == b.position; }),
                    seen_.end());
    }

    WalkedLayout numbered() {
        const std::vector<sal_Int32> wordPage = wordPageNumbers();
        std::map<sal_Int32, std::vector<sal_Int32>> tops;  // physical page -> the y of its lines
        for (const SeenLine& line : seen_) tops[line.physicalPage].push_back(line.y);
        for (auto& [page, ys] : tops) {
            std::sort(ys.begin(), ys.end());
            ys.erase(std::unique(ys.begin(), ys.end()), ys.end());
        }
        WalkedLayout layout;
        layout.laidOut = true;
        layout.complete = !stop_;
        layout.pageCount = stop_ ? 0 : pageCount_;
        if (stop_) layout.resume = {stop_->physicalPage, wordPage[stop_->physicalPage], stop_->position};
        layout.lines.reserve(seen_.size());
        for (const SeenLine& line : seen_) {
            if (stop_ && line.position >= stop_->position) continue;
            const auto& ys = tops[line.physicalPage];
            const auto top = std::lower_bound(ys.begin(), ys.end(), line.y);
            const sal_Int32 page = line.physicalPage >= 1 && line.physicalPage < static_cast<sal_Int32>(wordPage.size())
                                       ? wordPage[line.physicalPage]
                                       : pageCount_;
            layout.lines.push_back({line.position, std::max<sal_Int32>(1, page), static_cast<sal_Int32>(top - ys.begin()) + 1,
                                    line.physicalPage, line.restOfPageSkipped});
        }
        return layout;
    }

    // The engine's page numbers mapped to Word's: a page that holds no line
    // of the story and that the view cursor cannot land on is an empty page
    // the engine inserted; Word has it only where the next page's section
    // must start on a left or a right page.
    std::vector<sal_Int32> wordPageNumbers() {
        sal_Int32 last = stop_ ? stop_->physicalPage : physicalCount_;
        for (const SeenLine& line : seen_) last = std::max(last, line.physicalPage);
        std::vector<bool> occupied(static_cast<size_t>(last) + 1, false);
        for (const SeenLine& line : seen_) {
            if (line.physicalPage >= 1) occupied[line.physicalPage] = true;
        }
        for (const auto& [first, lastStepped] : steppedOver_) {
            for (sal_Int32 page = first; page <= std::min(lastStepped, last); ++page) occupied[page] = true;
        }
        std::vector<sal_Int32> wordPage(static_cast<size_t>(last) + 1, 0);
        sal_Int32 counted = std::max<sal_Int32>(0, request_.fromPage - 1);
        for (sal_Int32 page = firstPage_; page <= last; ++page) {
            if (occupied[page] || landsOn(page)) {
                wordPage[page] = ++counted;
                continue;
            }
            sal_Int32 next = page + 1;
            while (next <= last && !occupied[next]) ++next;
            if (next <= last && startsOnASide(next)) ++counted;
            wordPage[page] = std::max<sal_Int32>(1, counted);
        }
        pageCount_ = std::max<sal_Int32>(1, counted);
        return wordPage;
    }

    bool landsOn(sal_Int32 page) {
        return pages_->jumpToPage(static_cast<sal_Int16>(page)) && pages_->getPage() == page;
    }

    bool startsOnASide(sal_Int32 page) {
        if (!landsOn(page)) return false;
        Reference<css::beans::XPropertySet> props(cursor_, UNO_QUERY);
        Reference<css::style::XStyleFamiliesSupplier> families(model_, UNO_QUERY);
        if (!props.is() || !families.is()) return false;
        OUString styleName;
        props->getPropertyValue("PageStyleName") >>= styleName;
        Reference<css::container::XNameAccess> pageStyles(families->getStyleFamilies()->getByName("PageStyles"), UNO_QUERY);
        if (!pageStyles.is() || !pageStyles->hasByName(styleName)) return false;
        Reference<css::beans::XPropertySet> style(pageStyles->getByName(styleName), UNO_QUERY);
        css::style::PageStyleLayout layout = css::style::PageStyleLayout_ALL;
        if (style.is()) style->getPropertyValue("PageStyleLayout") >>= layout;
        return layout == css::style::PageStyleLayout_LEFT || layout == css::style::PageStyleLayout_RIGHT;
    }

    Reference<css::frame::XModel> model_;
    const WalkedStory& story_;
    const LayoutRequest request_;
    Reference<css::text::XTextViewCursor> cursor_;
    Reference<css::text::XPageCursor> pages_;
    Reference<css::view::XViewCursor> lines_;
    Reference<css::view::XLineCursor> lineEnds_;
    sal_Int32 physicalCount_ = 1;
    sal_Int32 firstPage_ = 1;
    sal_Int32 lastPage_ = 0;        // the last page a walk with a stop reports
    std::optional<SeenLine> stop_;  // the first line it does not report
    sal_Int32 pageCount_ = 1;
    std::vector<SeenLine> seen_;
    std::vector<std::pair<sal_Int32, sal_Int32>> steppedOver_;  // pages inside one paragraph, first and last
    sal_Int32 knownOutside_ = 0;  // the page a step-over found not to begin inside its paragraph
    // The model cursor that measures line starts, and where it was.
    Reference<css::text::XTextCursor> walker_;
    Reference<css::text::XParagraphCursor> walkerParagraphs_;
    Reference<css::text::XTextRangeCompare> compare_;
    sal_Int32 walkerText_ = -1;
    size_t candidate_ = 0;
    size_t paragraph_ = 0;  // the paragraph of the last line start measured
    bool jumped_ = true;
    sal_Int32 lastOffset_ = 0;  // the offset of that line start in its paragraph
    sal_Int32 provisional_ = 0;  // its position, or a stand-in one past the last known
    // Line starts whose offset is counted after the walk.
    struct DeferredOffset {
        size_t line;  // in seen_
        Reference<css::text::XTextCursor> cursor;
        size_t paragraph;
    };
    Reference<css::text::XTextCursor> pendingOffset_;  // of the line just measured
    std::vector<DeferredOffset> deferred_;
};

}  // namespace

WalkedLayout walkLayout(const Reference<css::frame::XModel>& model, const WalkedStory& story,
                        const LayoutRequest& request) {
    Reference<css::text::XTextViewCursorSupplier> supplier(model->getCurrentController(), UNO_QUERY);
    if (!supplier.is()) return {};
    Reference<css::text::XTextViewCursor> cursor = supplier->getViewCursor();
    if (!cursor.is()) return {};
    return LayoutWalker(model, story, request, cursor).run();
}

}  // namespace word
