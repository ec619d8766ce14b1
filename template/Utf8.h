#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quillmark {

inline constexpr char32_t kReplacementCharacter = U'\uFFFD';

// One decoded UTF-8 sequence. An invalid or truncated sequence is reported
// as a single invalid byte so that callers always make progress.
struct Utf8Char {
    char32_t codePoint = kReplacementCharacter;
    std::size_t length = 1;
    bool valid = false;
};

// Decodes the character starting at `pos` (pos < text.size()). Overlong
// forms, surrogates and values above U+10FFFF count as invalid.
Utf8Char decodeUtf8At(std::string_view text, std::size_t pos);

void appendUtf8(std::string& out, char32_t codePoint);

// The text with every invalid byte replaced by U+FFFD.
std::string repairUtf8(std::string_view text);

bool isValidUtf8(std::string_view text);

}  // namespace quillmark
