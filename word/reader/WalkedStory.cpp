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
    paragraph.startRange = paragraph.range->getStart();
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
    try {
        const Reference<css::text::XText> text = point->getText();
        const sal_Int32 index = text.is() ? textOf(text) : -1;
        if (index < 0) return -1;
        const std::vector<sal_Int32>& candidates = texts[index].paragraphs;
        if (candidates.empty()) return -1;
        Reference<css::text::XTextRangeCompare> compare(text, UNO_QUERY);
        if (!compare.is()) return -1;
        const Reference<css::text::XTextRange> start = point->getStart();
        // The last paragraph that starts at or before the point.
        size_t lo = 0, hi = candidates.size();
        while (hi - lo > 1) {
            const size_t mid = (lo + hi) / 2;
            if (compare->compareRegionStarts(paragraphs[candidates[mid]].startRange, start) >= 0) lo = mid; else hi = mid;
        }
        const WalkedParagraph& paragraph = paragraphs[candidates[lo]];
        if (compare->compareRegionStarts(paragraph.startRange, start) == 0) return paragraph.start;
        auto cursor = text->createTextCursorByRange(paragraph.startRange);
        cursor->gotoRange(start, true);
        return paragraph.start + std::min(cursor->getString().getLength(), paragraph.length);
    } catch (const css::uno::RuntimeException&) {
        throw;
    } catch (const css::uno::Exception&) {
        return -1;  // a point the texts cannot compare (a nested or foreign text)
    }
}

}  // namespace word
