#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quillmark {

// How a raw template-file value (trimmed, as Profile::value gives it) reads
// as text or as an integer, and how a text is written so it reads back.

// A value enclosed in one pair of double quotes or one pair of single
// quotes loses that pair; anything else is returned unchanged.
std::string_view unquoteProfileText(std::string_view value);

// The value as written to a file so that unquoteProfileText of its trimmed
// form gives `text` back: quoted only when it has blanks at either end or
// would otherwise lose a pair of enclosing quotes.
std::string quoteProfileText(std::string_view text);

// The integer a value stands for, as GetPrivateProfileIntA reads it:
//  - enclosing quotes are removed first, as for text;
//  - an optional '-' or '+' sign, then either "0x"/"0X" and hexadecimal
//    digits or decimal digits; reading stops at the first other character;
//  - no digits (an empty value, a letter, a blank after the sign) read as 0;
//  - a number beyond the int32 range is clamped to it.
std::int32_t parseProfileInteger(std::string_view value);

}  // namespace quillmark
