#pragma once

#include <string_view>
#include <utility>
#include <vector>

namespace word {

// Splits text into words the way Word's Words collection does:
// - a Latin word (letters, digits, and what ICU keeps inside a word such as
//   "don't" or "3.5") together with the spaces that follow it;
// - Chinese text into dictionary words (ICU's dictionary break iterator);
// - each punctuation mark on its own, and a paragraph mark on its own;
// - white space that follows no word (at the start of a paragraph, or after
//   a punctuation mark) is a word of its own.
// Returns [start, end) offsets into `text`.
std::vector<std::pair<long, long>> splitWords(std::u16string_view text);

}  // namespace word
