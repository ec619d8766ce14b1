#pragma once

#include "template/FormatTemplate.h"
#include "template/ProfileReader.h"

#include <cstddef>
#include <cstdint>

namespace quillmark {

// Longest font name or separator a template file can set, in GBK bytes.
inline constexpr std::size_t kMaxTemplateTextBytes = 19;

// Reads every key of the template tables from the profile into `target`:
//  - flags, choices, switches: the integer value; absent keys keep the member;
//  - sizes: the integer value; an absent key turns the member into its
//    whole part (10.5 becomes 10.0);
//  - fonts, texts: the value without enclosing quotes, cut to
//    kMaxTemplateTextBytes without splitting a character; an empty value
//    empties the member, an absent key keeps it.
void applyProfile(FormatTemplate& target, const Profile& profile);

// A size as a whole number of points, truncated toward zero (clamped to the
// int32 range; NaN gives 0).
std::int32_t wholePoints(float points);

}  // namespace quillmark
