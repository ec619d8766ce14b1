#include "template/ProfileValues.h"

#include <array>
#include <charconv>
#include <limits>
#include <system_error>

namespace quillmark {

namespace {

bool isQuote(char c) { return c == '"' || c == '\''; }
bool isBlank(char c) { return c == ' ' || c == '\t'; }

bool hasEnclosingQuotes(std::string_view value) {
    return value.size() >= 2 && isQuote(value.front()) && value.front() == value.back();
}

int digitValue(char c, int base) {
    int digit = base;  // "not a digit"
    if (c >= '0' && c <= '9') digit = c - '0';
    else if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    return digit < base ? digit : -1;
}

bool startsWithHexPrefix(std::string_view digits) {
    return digits.size() >= 3 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X') &&
           digitValue(digits[2], 16) >= 0;
}

// Magnitude of the leading digits, saturated at `limit`.
std::uint64_t readMagnitude(std::string_view digits, int base, std::uint64_t limit) {
    std::uint64_t magnitude = 0;
    for (char c : digits) {
        const int digit = digitValue(c, base);
        if (digit < 0) break;
        magnitude = magnitude * base + digit;
        if (magnitude > limit) return limit;
    }
    return magnitude;
}

}  // namespace

std::string_view unquoteProfileText(std::string_view value) {
    return hasEnclosingQuotes(value) ? value.substr(1, value.size() - 2) : value;
}

std::string quoteProfileText(std::string_view text) {
    const bool needsQuotes =
        !text.empty() && (isBlank(text.front()) || isBlank(text.back()) || hasEnclosingQuotes(text));
    if (!needsQuotes) return std::string(text);
    return "\"" + std::string(text) + "\"";
}

std::int32_t parseProfileInteger(std::string_view value) {
    std::string_view digits = unquoteProfileText(value);
    const bool negative = digits.starts_with('-');
    if (negative || digits.starts_with('+')) digits.remove_prefix(1);

    int base = 10;
    if (startsWithHexPrefix(digits)) {
        base = 16;
        digits.remove_prefix(2);
    }
    constexpr std::uint64_t kMaxPositive = std::numeric_limits<std::int32_t>::max();
    const std::uint64_t limit = negative ? kMaxPositive + 1 : kMaxPositive;
    const std::uint64_t magnitude = readMagnitude(digits, base, limit);
    return negative ? static_cast<std::int32_t>(-static_cast<std::int64_t>(magnitude))
                    : static_cast<std::int32_t>(magnitude);
}

float parseProfileSize(std::string_view value) {
    const std::string_view text = unquoteProfileText(value);
    if (text.empty() || text.front() < '0' || text.front() > '9') return 0.0f;
    float points = 0.0f;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), points, std::chars_format::fixed);
    return result.ec == std::errc() ? points : 0.0f;
}

std::string formatProfileSize(float points) {
    // The shortest text that reads back as the same float.
    std::array<char, 64> buffer;
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), points, std::chars_format::fixed);
    std::string text(buffer.data(), result.ptr);
    if (text.find('.') == std::string::npos && text.find_first_not_of("-0123456789") == std::string::npos) {
        text += ".0";
    }
    return text;
}

}  // namespace quillmark
