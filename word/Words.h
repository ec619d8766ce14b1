#pragma once

#include "Span.h"

#include <utility>
#include <vector>

namespace word {

class Range;

// The words of a stretch, split the way Word splits them (see ARCHITECTURE.md).
class Words {
public:
    Words(std::shared_ptr<DocumentModel> doc, std::vector<std::pair<long, long>> bounds)
        : doc_(std::move(doc)), bounds_(std::move(bounds)) {}

    long Count() const { return static_cast<long>(bounds_.size()); }
    word::Range Item(long index) const;  // 1-based
    word::Range First() const;
    word::Range Last() const;

private:
    std::shared_ptr<DocumentModel> doc_;
    std::vector<std::pair<long, long>> bounds_;
};

}  // namespace word
