#pragma once

#include "template/FormatTemplate.h"
#include "template/ProfileReader.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace quillmark {

// Longest font name or separator a template file can set, in GBK bytes.
inline constexpr std::size_t kMaxTemplateTextBytes = 19;

// Reads every key of the template tables from the profile into `target`:
//  - flags, choices, switches: the integer value;
//  - sizes: the decimal number at the start of the value (parseProfileSize);
//  - fonts, texts: the value without enclosing quotes, cut to
//    kMaxTemplateTextBytes without splitting a character; an empty value
//    empties the member.
// An absent key leaves its member as it was.
void applyProfile(FormatTemplate& target, const Profile& profile);

// True when the profile holds at least one section of a template file.
bool holdsTemplateSection(const Profile& profile);

// The bytes of a template file parsed: UTF-8 after a UTF-8 byte-order mark;
// otherwise code page 936, unless no template section matches that way while
// the bytes are valid UTF-8 and read as UTF-8 (as `template show` prints them).
Profile parseTemplateBytes(std::string_view fileBytes);

enum class TemplateLoad {
    Loaded,
    Unreadable,    // missing, a folder, a device, too large, a read error
    NotATemplate,  // none of the template's sections
};

// Loads a template file over `target`. A file that cannot be read or holds
// none of the template's sections leaves `target` unchanged.
TemplateLoad loadTemplateFile(FormatTemplate& target, const std::string& path);

// What the user is told when a load was refused; empty for Loaded.
std::string templateRefusal(TemplateLoad result, const std::string& shownName);

}  // namespace quillmark
