#include "Words.h"

#include "Range.h"
#include "WordError.h"

namespace word {

word::Range Words::Item(long index) const {
    if (index < 1 || index > Count()) throw WordError(errors::BadArgument, "词序号超出范围: " + std::to_string(index));
    auto span = std::make_shared<Span>();
    span->doc = doc_;
    span->start = bounds_[index - 1].first;
    span->end = bounds_[index - 1].second;
    return word::Range(span);
}

word::Range Words::First() const { return Item(1); }
word::Range Words::Last() const { return Item(Count()); }

}  // namespace word
