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

// The size a value stands for, in points: enclosing quotes are removed, then
// the decimal number at its start is read ("10.5" 10.5, "16" 16.0, "12pt"
// 12.0); a value that does not begin with a digit reads as 0.0, one too
// large for a float too.
float parseProfileSize(std::string_view value);

// A size as a template file holds it: every decimal it has, at least one
// ("16.0", "10.5", "7.25"), whatever the process locale says.
std::string formatProfileSize(float points);

}  // namespace quillmark
