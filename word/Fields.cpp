#include "Fields.h"

#include "DocumentModel.h"
#include "Range.h"
#include "WordError.h"

namespace word {

word::Range Field::Result() const {
    auto span = std::make_shared<Span>();
    span->doc = doc_;
    span->start = start_;
    span->end = end_;
    return word::Range(span);
}

void Field::Select() const { Result().Select(); }

Field Fields::Item(long index) const {
    if (index < 1 || index > Count()) throw WordError(errors::BadArgument, "域序号超出范围: " + std::to_string(index));
    return items_[index - 1];
}

}  // namespace word
