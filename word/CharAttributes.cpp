#include "CharAttributes.h"

namespace word {

bool isEastAsian(char16_t c) {
    return (c >= 0x1100 && c <= 0x11FF)     // Hangul Jamo
           || (c >= 0x2E80 && c <= 0x2FDF)  // CJK radicals, Kangxi
           || (c >= 0x2FF0 && c <= 0x303F)  // ideographic description, CJK punctuation
           || (c >= 0x3040 && c <= 0x31FF)  // kana, bopomofo, Hangul compatibility
           || (c >= 0x3200 && c <= 0x4DBF)  // enclosed CJK, CJK extension A
           || (c >= 0x4E00 && c <= 0x9FFF)  // CJK unified ideographs
           || (c >= 0xA960 && c <= 0xA97F) || (c >= 0xAC00 && c <= 0xD7FF)  // Hangul
           || (c >= 0xF900 && c <= 0xFAFF)  // CJK compatibility ideographs
           || (c >= 0xFE30 && c <= 0xFE4F)  // CJK compatibility forms
           || (c >= 0xFF00 && c <= 0xFFEF)  // full-width forms
           || (c >= 0xD840 && c <= 0xD87F);        // supplementary ideographs (their high surrogates)
}

}  // namespace word
