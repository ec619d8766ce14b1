#include "Find.h"

#include "DocumentModel.h"
#include "SearchPattern.h"
#include "WordConstants.h"

namespace word {

namespace {

using Hit = std::optional<std::pair<long, long>>;

Hit lastMatch(const SearchPattern& pattern, std::u16string_view text, long from, long to) {
    Hit last;
    for (Hit hit = pattern.search(text, from, to); hit; hit = pattern.search(text, hit->first + 1, to)) last = hit;
    return last;
}

}  // namespace

// A search runs over the span when it holds text, otherwise from the span to
// the end (forward) or the start (backward) of the story. wdFindContinue goes
// on over the rest of the story; wdFindStop and wdFindAsk never leave the
// searched stretch.
bool Find::Execute(const std::string& findText, const FindOptions& options) {
    DocumentModel& doc = *span_->doc;
    const std::u16string& text = doc.text();
    const std::u16string needle = uno::toU16(uno::toOU(findText));
    const SearchPattern pattern = options.matchWildcards ? SearchPattern::wildcards(needle)
                                                         : SearchPattern::plain(needle, options.matchCase);
    const long storyEnd = static_cast<long>(text.size());
    const long start = span_->start;
    const long end = span_->end;
    const bool collapsed = start == end;

    Hit hit;
    if (!pattern.empty()) {
        if (options.forward) {
            hit = pattern.search(text, start, collapsed ? storyEnd : end);
            if (!hit && options.wrap == wdFindContinue) {
                if (!collapsed) hit = pattern.search(text, end, storyEnd);
                if (!hit) hit = pattern.search(text, 0, storyEnd);
            }
        } else {
            hit = lastMatch(pattern, text, collapsed ? 0 : start, collapsed ? start : end);
            if (!hit && options.wrap == wdFindContinue) hit = lastMatch(pattern, text, 0, storyEnd);
        }
    }
    span_->found = hit.has_value();
    if (hit) {
        span_->start = hit->first;
        span_->end = hit->second;
    }
    return span_->found;
}

bool Find::Found() const { return span_->found; }

}  // namespace word
