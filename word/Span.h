#pragma once

#include <memory>

namespace word {

class DocumentModel;

// The state behind a Range or the Selection: a stretch of a document's main
// story. Range objects share it the way automation references share an
// object, so a Find on a range moves that range for every holder.
struct Span {
    std::shared_ptr<DocumentModel> doc;
    long start = 0;
    long end = 0;
    bool found = false;  // result of the last Find.Execute on this span
};

using SpanPtr = std::shared_ptr<Span>;

}  // namespace word
