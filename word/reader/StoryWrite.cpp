#include "StoryWrite.h"

#include "StoryCache.h"

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/text/XTextCursor.hpp>

#include <algorithm>

namespace word {

namespace {

namespace css = ::com::sun::star;
using css::uno::Reference;
using css::uno::UNO_QUERY_THROW;

void moveRight(const Reference<css::text::XTextCursor>& cursor, sal_Int32 count, bool extend) {
    while (count > 0) {
        const sal_Int16 step = static_cast<sal_Int16>(std::min<sal_Int32>(count, 30000));
        cursor->goRight(step, extend);
        count -= step;
    }
}

// The paragraph holding `position`, -1 when there is none.
sal_Int32 paragraphAt(const WalkedStory& story, sal_Int32 position) {
    auto it = std::upper_bound(story.paragraphs.begin(), story.paragraphs.end(), position,
                               [](sal_Int32 p, const WalkedParagraph& paragraph) { return p < paragraph.start; });
    return static_cast<sal_Int32>(it - story.paragraphs.begin()) - 1;
}

}  // namespace

bool writeCharProperty(const Reference<css::frame::XModel>& model, sal_Int32 storyStamp, sal_Int32 start,
                       sal_Int32 end, const ::rtl::OUString& name, const css::uno::Any& value) {
    const std::shared_ptr<const WalkedStory> story = storyCache::find(model, storyStamp);
    if (!story || start < 0 || end <= start) return false;
    const sal_Int32 index = paragraphAt(*story, start);
    if (index < 0) return false;
    const WalkedParagraph& paragraph = story->paragraphs[static_cast<size_t>(index)];
    if (end > paragraph.start + paragraph.length) return false;
    const Reference<css::text::XText>& text = story->texts[static_cast<size_t>(paragraph.textIndex)].text;
    Reference<css::text::XTextCursor> cursor = text->createTextCursorByRange(paragraph.range->getStart());
    moveRight(cursor, start - paragraph.start, false);
    moveRight(cursor, end - start, true);
    Reference<css::beans::XPropertySet>(cursor, UNO_QUERY_THROW)->setPropertyValue(name, value);
    return true;
}

}  // namespace word
