#pragma once

#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

namespace quillmark {

// The value that covers the most characters among those offered; a tie goes
// to the value offered first.
template <typename Value>
class FormatTally {
public:
    void add(const Value& value, long characters) {
        if (characters <= 0) return;
        for (auto& [seen, count] : counts_) {
            if (seen == value) {
                count += characters;
                return;
            }
        }
        counts_.emplace_back(value, characters);
    }

    std::optional<Value> winner() const {
        const std::pair<Value, long>* best = nullptr;
        for (const auto& entry : counts_) {
            if (best == nullptr || entry.second > best->second) best = &entry;
        }
        if (best == nullptr) return std::nullopt;
        return best->first;
    }

private:
    std::vector<std::pair<Value, long>> counts_;  // in the order first offered
};

}  // namespace quillmark
