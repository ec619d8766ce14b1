#include "template/SizeNames.h"

#include <array>
#include <charconv>
#include <system_error>

namespace quillmark {

namespace {

constexpr std::array<SizeName, 8> kSizeNames{{
    {"二号", "22.0", 22.0f},
    {"小二", "18.0", 18.0f},
    {"三号", "16.0", 16.0f},
    {"小三", "15.0", 15.0f},
    {"四号", "14.0", 14.0f},
    {"小四", "12.0", 12.0f},
    {"五号", "10.5", 10.5f},
    {"小五", "9.0", 9.0f},
}};

}  // namespace

std::span<const SizeName> sizeNames() { return kSizeNames; }

std::string formatPoints(float points) {
    // to_chars instead of printf: a UI toolkit may switch the C locale to
    // one that writes "10,5".
    std::array<char, 64> buffer;
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), points, std::chars_format::fixed, 1);
    return std::string(buffer.data(), result.ptr);
}

std::string pointsToSizeText(float points) {
    const std::string text = formatPoints(points);
    for (const SizeName& size : kSizeNames) {
        if (size.pointsText == text) return std::string(size.name);
    }
    return text;
}

float sizeTextToPoints(std::string_view text) {
    for (const SizeName& size : kSizeNames) {
        if (size.name == text) return size.points;
    }
    float points = 0.0f;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), points, std::chars_format::fixed);
    return result.ec == std::errc() ? points : 0.0f;
}

}  // namespace quillmark
