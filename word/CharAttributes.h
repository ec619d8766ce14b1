#pragma once

#include <cstdint>
#include <string>

namespace word {

// The character attributes the object model reads, as one stretch of a
// paragraph carries them. Latin and Asian variants are kept apart because the
// engine keeps them apart; which one applies to a character depends on its
// script.
struct CharAttributes {
    std::string latinFont;
    std::string asianFont;
    float latinSize = 0;
    float asianSize = 0;
    bool latinBold = false;
    bool asianBold = false;
    bool italic = false;
    short escapement = 0;  // > 0 superscript, < 0 subscript
    short underline = 0;   // the engine's FontUnderline value; 0 none, 1 single
    std::int32_t rgbColor = -1;  // 0xRRGGBB, -1 automatic
    long latinLanguage = 0;      // Word language ids
    long asianLanguage = 0;

    bool operator==(const CharAttributes&) const = default;
};

// East Asian characters take the Asian font, size, weight and language.
bool isEastAsian(char16_t c);

// Space, tab, no-break space and the ideographic space.
inline bool isBlank(char16_t c) { return c == u' ' || c == u'\t' || c == 0x00A0 || c == 0x3000; }

}  // namespace word
