#pragma once

#include <string>
#include <string_view>

namespace quillmark::serve {

// A check's id: 128 random bits from the kernel (getrandom), as 32 lowercase
// hex digits. The id is the only key to a check's result, so it must not be
// guessable. Raises std::runtime_error when the kernel gives no randomness.
std::string newCheckId();

// Whether `text` has the form of an id (and so may name a folder).
bool isCheckId(std::string_view text);

}  // namespace quillmark::serve
