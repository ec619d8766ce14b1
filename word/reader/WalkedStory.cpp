#include "WalkedStory.h"

#include <com/sun/star/text/XTextCursor.hpp>
#include <com/sun/star/text/XTextRangeCompare.hpp>
#include <com/sun/star/uno/Exception.hpp>

#include <algorithm>

namespace word {

namespace css = ::com::sun::star;
using css::uno::Reference;
using css::uno::UNO_QUERY;

namespace {

// The identity of an engine object, as UNO defines it.
const void* identityOf(const Reference<css::uno::XInterface>& object) {
    Reference<css::uno::XInterface> normalized(object, UNO_QUERY);
    return normalized.get();
}

}  // namespace

sal_Int32 WalkedStory::addText(const Reference<css::text::XText>& text) {
    const void* id = identityOf(text);
    auto [it, added] = textByIdentity.emplace(id, static_cast<sal_Int32>(texts.size()));
    if (added) texts.push_back({text, {}});
    return it->second;
}

void WalkedStory::addParagraph(WalkedParagraph paragraph) {
    texts.at(paragraph.textIndex).paragraphs.push_back(static_cast<sal_Int32>(paragraphs.size()));
    paragraphs.push_back(std::move(paragraph));
}

void WalkedStory::place(WalkedParagraph& paragraph) {
    paragraph.start = end;
    end += paragraph.length + 1;
}

sal_Int32 WalkedStory::textOf(const Reference<css::text::XText>& text) const {
    auto it = textByIdentity.find(identityOf(text));
    return it == textByIdentity.end() ? -1 : it->second;
}

sal_Int32 WalkedStory::positionOf(const Reference<css::text::XTextRange>& point) const {
    PointHint hint;
    return positionOf(point, hint);
}

sal_Int32 WalkedStory::positionOf(const Reference<css::text::XTextRange>& point, PointHint& hint) const {
    try {
        const Reference<css::text::XText> text = point->getText();
        const sal_Int32 index = text.is() ? textOf(text) : -1;
        if (index < 0) return -1;
        const std::vector<sal_Int32>& candidates = texts[index].paragraphs;
        if (candidates.empty()) return -1;
        Reference<css::text::XTextRangeCompare> compare(text, UNO_QUERY);
        if (!compare.is()) return -1;
        // Ranges the engine keeps in step with edits cost it a mark each:
        // the point is compared as it is, paragraphs by their own range.
        const Reference<css::text::XTextRange>& start = point;
        auto startsAtOrBefore = [&](size_t candidate) {
            return compare->compareRegionStarts(paragraphs[candidates[candidate]].range, start) >= 0;
        };
        // The last paragraph that starts at or before the point: a few steps
        // on from the last one found, else a binary search.
        const bool near = hint.textIndex == index && hint.point.is() && hint.candidate < candidates.size() &&
                          compare->compareRegionStarts(hint.point, start) >= 0;
        size_t lo = 0;
        bool found = false;
        if (near) {
            lo = hint.candidate;
            for (int step = 0; step < 4; ++step) {
                if (lo + 1 >= candidates.size() || !startsAtOrBefore(lo + 1)) {
                    found = true;
                    break;
                }
                ++lo;
            }
        }
        if (!found) {
            size_t hi = candidates.size();
            while (hi - lo > 1) {
                const size_t mid = (lo + hi) / 2;
                if (startsAtOrBefore(mid)) lo = mid; else hi = mid;
            }
        }
        const WalkedParagraph& paragraph = paragraphs[candidates[lo]];
        // Count the characters from the last point when it lies in the same
        // paragraph, else from the paragraph's start.
        const bool sameParagraph = near && lo == hint.candidate;
        const Reference<css::text::XTextRange> from = sameParagraph ? hint.point : paragraph.range;
        const sal_Int32 base = sameParagraph ? hint.position - paragraph.start : 0;
        sal_Int32 offset = base;
        if (compare->compareRegionStarts(from, start) != 0) {
            auto cursor = text->createTextCursorByRange(from);
            cursor->collapseToStart();
            cursor->gotoRange(start, true);
            offset += cursor->getString().getLength();
        }
        const sal_Int32 position = paragraph.start + std::min(offset, paragraph.length);
        hint = {index, lo, start, position};
        return position;
    } catch (const css::uno::RuntimeException&) {
        throw;
    } catch (const css::uno::Exception&) {
        return -1;  // a point the texts cannot compare (a nested or foreign text)
    }
}

}  // namespace word
