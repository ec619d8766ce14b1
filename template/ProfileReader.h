#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace quillmark {

// A template file parsed once into its sections and keys.
//
// Syntax, as the Windows private-profile reader understands it:
//  - Lines end at LF, CRLF or a lone CR.
//  - Blanks (spaces and tabs) around a line, a section name, a key name and
//    a value are ignored.
//  - A line whose first non-blank character is ';' is a comment. There are
//    no comments after a value: "a=1 ; x" has the value "1 ; x".
//  - "[name]" starts a section. Without the closing ']' the rest of the line
//    is the name; text after ']' is ignored.
//  - Inside a section, "key=value" sets a key; the value starts after the
//    first '='. Lines without '=' and key lines before the first section
//    are ignored.
//  - The first occurrence wins: a repeated key keeps its first value, and a
//    repeated section is ignored as a whole.
//  - Names match with ASCII letters compared regardless of case; every other
//    character (all of Chinese, the ASCII quotes in key names) must match
//    exactly.
class Profile {
public:
    // Parses text that is already UTF-8.
    static Profile parse(std::string_view utf8Text);

    // The value of a key, trimmed but otherwise as written (quotes included);
    // nullopt when the section or the key is absent.
    std::optional<std::string_view> value(std::string_view section, std::string_view key) const;

    bool hasSection(std::string_view section) const;

private:
    using Section = std::unordered_map<std::string, std::string>;

    // nullptr when the section was seen before, so its repeat is ignored.
    Section* openSection(std::string_view name);

    std::unordered_map<std::string, Section> sections_;
};

// Files larger than this are not read (they count as unreadable).
inline constexpr std::size_t kMaxProfileFileBytes = 64 * 1024 * 1024;

// The text of a template file as UTF-8: a file that starts with a UTF-8
// byte-order mark is UTF-8 (without the mark), anything else is GBK.
std::string decodeProfileBytes(std::string_view fileBytes);

Profile parseProfileBytes(std::string_view fileBytes);

// The bytes of a regular, readable file of at most kMaxProfileFileBytes;
// nullopt otherwise (missing file, directory, device, read error).
std::optional<std::string> readProfileFileBytes(const std::string& path);

// A file that cannot be read gives an empty profile: every key absent.
Profile readProfileFile(const std::string& path);

}  // namespace quillmark
