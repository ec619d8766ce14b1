#include "template/ProfileReader.h"

#include "template/Codepage936.h"
#include "template/Utf8.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace quillmark {

namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

std::string foldAsciiCase(std::string_view name) {
    std::string folded(name);
    for (char& c : folded) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return folded;
}

// Returns the line starting at `pos` and moves `pos` past its line break.
std::string_view takeLine(std::string_view text, std::size_t& pos) {
    const std::size_t end = std::min(text.find_first_of("\r\n", pos), text.size());
    const std::string_view line = text.substr(pos, end - pos);
    pos = end;
    if (pos < text.size() && text[pos] == '\r') {
        ++pos;
        if (pos < text.size() && text[pos] == '\n') ++pos;
    } else if (pos < text.size()) {
        ++pos;
    }
    return line;
}

// `line` is trimmed and starts with '['.
std::string_view sectionName(std::string_view line) {
    std::string_view inside = line.substr(1);
    inside = inside.substr(0, inside.find(']'));
    return trimBlanks(inside);
}

bool isComment(std::string_view line) { return line.front() == ';'; }
bool isSectionHeader(std::string_view line) { return line.front() == '['; }

}  // namespace

Profile Profile::parse(std::string_view utf8Text) {
    Profile profile;
    Section* current = nullptr;
    for (std::size_t pos = 0; pos < utf8Text.size();) {
        const std::string_view line = trimBlanks(takeLine(utf8Text, pos));
        if (line.empty() || isComment(line)) continue;
        if (isSectionHeader(line)) {
            current = profile.openSection(sectionName(line));
            continue;
        }
        const std::size_t equals = line.find('=');
        if (current == nullptr || equals == std::string_view::npos) continue;
        const std::string key = foldAsciiCase(trimBlanks(line.substr(0, equals)));
        current->try_emplace(key, trimBlanks(line.substr(equals + 1)));
    }
    return profile;
}

Profile::Section* Profile::openSection(std::string_view name) {
    // Pointers to unordered_map elements stay valid when the map grows.
    auto [it, inserted] = sections_.try_emplace(foldAsciiCase(name));
    return inserted ? &it->second : nullptr;
}

std::optional<std::string_view> Profile::value(std::string_view section, std::string_view key) const {
    const auto sectionIt = sections_.find(foldAsciiCase(section));
    if (sectionIt == sections_.end()) return std::nullopt;
    const auto keyIt = sectionIt->second.find(foldAsciiCase(key));
    if (keyIt == sectionIt->second.end()) return std::nullopt;
    return std::string_view(keyIt->second);
}

bool Profile::hasSection(std::string_view section) const {
    return sections_.contains(foldAsciiCase(section));
}

std::string decodeProfileBytes(std::string_view fileBytes) {
    if (fileBytes.starts_with(kUtf8ByteOrderMark)) {
        return repairUtf8(fileBytes.substr(kUtf8ByteOrderMark.size()));
    }
    return gbkToUtf8(fileBytes);
}

Profile parseProfileBytes(std::string_view fileBytes) {
    return Profile::parse(decodeProfileBytes(fileBytes));
}

std::optional<std::string> readProfileFileBytes(const std::string& path) {
    std::error_code error;
    // Only regular files: a device such as /dev/zero would never end.
    if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
    const auto fileSize = std::filesystem::file_size(path, error);
    if (error || fileSize > kMaxProfileFileBytes) return std::nullopt;

    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    std::string bytes(static_cast<std::size_t>(fileSize), '\0');
    file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (file.bad()) return std::nullopt;
    bytes.resize(static_cast<std::size_t>(file.gcount()));
    return bytes;
}

Profile readProfileFile(const std::string& path) {
    const std::optional<std::string> bytes = readProfileFileBytes(path);
    return bytes ? parseProfileBytes(*bytes) : Profile{};
}

}  // namespace quillmark
