#include "template/ListSelection.h"

#include "template/SizeNames.h"

namespace quillmark {

namespace {

char foldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool beginsWithIgnoringAsciiCase(std::string_view item, std::string_view prefix) {
    if (prefix.size() > item.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (foldAscii(item[i]) != foldAscii(prefix[i])) return false;
    }
    return true;
}

bool isValidIndex(const std::vector<std::string>& items, ListSelection selected) {
    return selected.has_value() && *selected < items.size();
}

}  // namespace

ListSelection selectByPrefix(const std::vector<std::string>& items, std::string_view text) {
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (beginsWithIgnoringAsciiCase(items[i], text)) return i;
    }
    return std::nullopt;
}

ListSelection selectSize(const std::vector<std::string>& items, float points) {
    return selectByPrefix(items, pointsToSizeText(points));
}

ListSelection selectByIndex(const std::vector<std::string>& items, std::int32_t value) {
    if (value < 0 || static_cast<std::size_t>(value) >= items.size()) return std::nullopt;
    return static_cast<std::size_t>(value);
}

float readSize(const std::vector<std::string>& items, ListSelection selected) {
    return sizeTextToPoints(readText(items, selected));
}

std::string readText(const std::vector<std::string>& items, ListSelection selected) {
    return isValidIndex(items, selected) ? items[*selected] : std::string();
}

std::int32_t readIndex(ListSelection selected) {
    return selected ? static_cast<std::int32_t>(*selected) : -1;
}

}  // namespace quillmark
