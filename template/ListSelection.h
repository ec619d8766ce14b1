#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillmark {

// The index of the selected item of a list; nullopt for no selection.
using ListSelection = std::optional<std::size_t>;

// Show rules: which item of a list stands for a template value. When a text
// search finds nothing (nullopt) a list keeps its previous selection; an
// index search that finds nothing leaves the list without a selection.

// The first item that begins with `text`, ASCII letters compared regardless
// of case. An empty text matches the first item.
ListSelection selectByPrefix(const std::vector<std::string>& items, std::string_view text);

// The first item that begins with pointsToSizeText(points).
ListSelection selectSize(const std::vector<std::string>& items, float points);

// The item at index `value` (bold flags, alignments, word forms).
ListSelection selectByIndex(const std::vector<std::string>& items, std::int32_t value);

// Read rules: the value a list's selection reads back as.

// sizeTextToPoints of the selected item; 0.0 without a selection.
float readSize(const std::vector<std::string>& items, ListSelection selected);

// The selected item's text; the empty text without a selection.
std::string readText(const std::vector<std::string>& items, ListSelection selected);

// The selected index; -1 without a selection.
std::int32_t readIndex(ListSelection selected);

}  // namespace quillmark
