#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quillmark {

// Conversions between UTF-8, the program's own string encoding, and code
// page 936 (GBK), the encoding of template files and of everything Word
// shows to Chinese users. Conversions never fail on bad input: a byte that
// is not valid GBK decodes to U+FFFD, and a character that GBK cannot
// represent (or a byte that is not valid UTF-8) encodes as '?'.
// Throws std::runtime_error only when the system has no GBK converter.

std::string gbkToUtf8(std::string_view gbk);
std::string utf8ToGbk(std::string_view utf8);

// Bytes the text takes in code page 936: one for ASCII, two for a Chinese
// character. Always equals utf8ToGbk(utf8).size().
std::size_t gbkByteLength(std::string_view utf8);

// The longest start of the text whose GBK form fits into maxBytes; a
// character that would only half fit is dropped. The result is valid UTF-8
// (invalid input bytes become U+FFFD, counted as one byte).
std::string cutGbkBytes(std::string_view utf8, std::size_t maxBytes);

}  // namespace quillmark
