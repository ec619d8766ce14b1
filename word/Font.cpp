#include "Font.h"

#include "DocumentModel.h"
#include "FontValues.h"
#include "WordConstants.h"

#include <com/sun/star/awt/FontSlant.hpp>

#include <algorithm>
#include <cmath>

namespace word {

CharAttributes attributesAtPoint(DocumentModel& model, long position) {
    const auto& paragraphs = model.paragraphs();
    if (paragraphs.empty()) return {};
    const long index = model.paragraphAt(position);
    const ParagraphEntry& p = paragraphs[index];
    for (long probe : {position, position - 1}) {
        if (probe >= p.start && probe < p.start + p.length) {
            auto runs = model.runsIn(probe, probe + 1);
            if (!runs.empty()) return runs.front().attributes;
        }
    }
    return model.markAttributes(index);
}

namespace {

std::string shownFont(const CharAttributes& a, char16_t c) { return isEastAsian(c) ? a.asianFont : a.latinFont; }
float shownSize(const CharAttributes& a, char16_t c) { return isEastAsian(c) ? a.asianSize : a.latinSize; }
bool shownBold(const CharAttributes& a, char16_t c) { return isEastAsian(c) ? a.asianBold : a.latinBold; }

long wordBool(std::optional<bool> value) { return value ? (*value ? -1 : 0) : wdUndefined; }

// Word keeps a font's name as given; Asian families also become the Asian font.
bool isAsianFontName(const std::string& name) {
    for (unsigned char c : name) {
        if (c >= 0x80) return true;
    }
    static const char* const asianFamilies[] = {"SimSun", "SimHei", "KaiTi", "FangSong", "NSimSun", "Microsoft YaHei",
                                                "MS Mincho", "MS Gothic", "MingLiU", "PMingLiU", "DengXian"};
    for (const char* family : asianFamilies) {
        if (name.rfind(family, 0) == 0) return true;
    }
    return false;
}

std::int32_t rgbFromBgr(long bgr) {
    if (bgr < 0 || bgr > 0xFFFFFF) return -1;  // automatic
    return static_cast<std::int32_t>(((bgr & 0xFF) << 16) | (bgr & 0xFF00) | ((bgr >> 16) & 0xFF));
}

long bgrFromRgb(std::int32_t rgb) {
    if (rgb < 0) return -16777216;  // wdColorAutomatic
    return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
}

short engineUnderline(long wordUnderline) {
    switch (wordUnderline) {
        case 0: return 0;   // none
        case 1: return 1;   // single
        case 3: return 2;   // double
        case 4: return 3;   // dotted
        case 6: return 12;  // thick -> bold
        default: return 1;
    }
}

long wordUnderline(short engine) {
    switch (engine) {
        case 0: return 0;
        case 1: return 1;
        case 2: return 3;
        case 3: return 4;
        case 12: return 6;
        default: return 1;
    }
}

}  // namespace

std::string Font::Name() const {
    return commonValue<std::string>(*span_.doc, span_.start, span_.end, shownFont).value_or("");
}

std::string Font::NameFarEast() const {
    return commonValue<std::string>(*span_.doc, span_.start, span_.end,
                                    [](const CharAttributes& a, char16_t) { return a.asianFont; })
        .value_or("");
}

std::string Font::NameAscii() const {
    return commonValue<std::string>(*span_.doc, span_.start, span_.end,
                                    [](const CharAttributes& a, char16_t) { return a.latinFont; })
        .value_or("");
}

float Font::Size() const {
    auto size = commonValue<float>(*span_.doc, span_.start, span_.end, shownSize);
    return size ? *size : static_cast<float>(wdUndefined);
}

long Font::Bold() const { return wordBool(commonValue<bool>(*span_.doc, span_.start, span_.end, shownBold)); }

long Font::Italic() const {
    return wordBool(commonValue<bool>(*span_.doc, span_.start, span_.end,
                                      [](const CharAttributes& a, char16_t) { return a.italic; }));
}

long Font::Superscript() const {
    return wordBool(commonValue<bool>(*span_.doc, span_.start, span_.end,
                                      [](const CharAttributes& a, char16_t) { return a.escapement > 0; }));
}

long Font::Subscript() const {
    return wordBool(commonValue<bool>(*span_.doc, span_.start, span_.end,
                                      [](const CharAttributes& a, char16_t) { return a.escapement < 0; }));
}

long Font::Underline() const {
    auto value = commonValue<short>(*span_.doc, span_.start, span_.end,
                                    [](const CharAttributes& a, char16_t) { return a.underline; });
    return value ? wordUnderline(*value) : wdUndefined;
}

long Font::Color() const {
    auto value = commonValue<std::int32_t>(*span_.doc, span_.start, span_.end,
                                           [](const CharAttributes& a, char16_t) { return a.rgbColor; });
    return value ? bgrFromRgb(*value) : wdUndefined;
}

void Font::SetName(const std::string& name) {
    const OUString family = uno::toOU(name);
    span_.doc->setCharProperty(span_.start, span_.end, "CharFontName", uno::Any(family), true,
                               [&](CharAttributes& a) { a.latinFont = name; });
    if (isAsianFontName(name)) {
        SetNameFarEast(name);
        return;
    }
    // Name is the font each character is shown in, so the East Asian
    // characters of the range (a full-width colon after "Key words") take
    // the Latin font as their Asian font; the Latin ones keep theirs.
    const std::u16string& text = span_.doc->text();
    const long end = std::min<long>(span_.end, static_cast<long>(text.size()));
    for (long i = span_.start; i < end;) {
        if (!isEastAsian(text[i])) {
            ++i;
            continue;
        }
        long stretchEnd = i + 1;
        while (stretchEnd < end && isEastAsian(text[stretchEnd])) ++stretchEnd;
        span_.doc->setCharProperty(i, stretchEnd, "CharFontNameAsian", uno::Any(family), true,
                                   [&](CharAttributes& a) { a.asianFont = name; });
        i = stretchEnd;
    }
}

void Font::SetNameFarEast(const std::string& name) {
    span_.doc->setCharProperty(span_.start, span_.end, "CharFontNameAsian", uno::Any(uno::toOU(name)), true,
                               [&](CharAttributes& a) { a.asianFont = name; });
}

void Font::SetNameAscii(const std::string& name) {
    span_.doc->setCharProperty(span_.start, span_.end, "CharFontName", uno::Any(uno::toOU(name)), true,
                               [&](CharAttributes& a) { a.latinFont = name; });
}

void Font::SetSize(float points) {
    auto& doc = *span_.doc;
    doc.setCharProperty(span_.start, span_.end, "CharHeight", uno::Any(points), true,
                        [&](CharAttributes& a) { a.latinSize = points; });
    doc.setCharProperty(span_.start, span_.end, "CharHeightAsian", uno::Any(points), true,
                        [&](CharAttributes& a) { a.asianSize = points; });
    doc.setCharProperty(span_.start, span_.end, "CharHeightComplex", uno::Any(points), true, [](CharAttributes&) {});
}

void Font::SetBold(long value) {
    const bool bold = value == wdToggle ? Bold() != -1 : value != 0;
    const float weight = bold ? 150.0f : 100.0f;
    auto& doc = *span_.doc;
    doc.setCharProperty(span_.start, span_.end, "CharWeight", uno::Any(weight), true,
                        [&](CharAttributes& a) { a.latinBold = bold; });
    doc.setCharProperty(span_.start, span_.end, "CharWeightAsian", uno::Any(weight), true,
                        [&](CharAttributes& a) { a.asianBold = bold; });
    doc.setCharProperty(span_.start, span_.end, "CharWeightComplex", uno::Any(weight), true, [](CharAttributes&) {});
}

void Font::SetItalic(long value) {
    const bool italic = value == wdToggle ? Italic() != -1 : value != 0;
    const auto slant = italic ? uno::css::awt::FontSlant_ITALIC : uno::css::awt::FontSlant_NONE;
    auto& doc = *span_.doc;
    for (const char* name : {"CharPosture", "CharPostureAsian", "CharPostureComplex"}) {
        doc.setCharProperty(span_.start, span_.end, name, uno::Any(slant), true,
                            [&](CharAttributes& a) { a.italic = italic; });
    }
}

void Font::SetSuperscript(long value) {
    const bool on = value == wdToggle ? Superscript() != -1 : value != 0;
    const short escapement = on ? 33 : 0;
    auto& doc = *span_.doc;
    doc.setCharProperty(span_.start, span_.end, "CharEscapement", uno::Any(escapement), true,
                        [&](CharAttributes& a) { a.escapement = escapement; });
    doc.setCharProperty(span_.start, span_.end, "CharEscapementHeight", uno::Any(static_cast<sal_Int8>(on ? 58 : 100)),
                        true, [](CharAttributes&) {});
}

void Font::SetSubscript(long value) {
    const bool on = value == wdToggle ? Subscript() != -1 : value != 0;
    const short escapement = on ? -33 : 0;
    auto& doc = *span_.doc;
    doc.setCharProperty(span_.start, span_.end, "CharEscapement", uno::Any(escapement), true,
                        [&](CharAttributes& a) { a.escapement = escapement; });
    doc.setCharProperty(span_.start, span_.end, "CharEscapementHeight", uno::Any(static_cast<sal_Int8>(on ? 58 : 100)),
                        true, [](CharAttributes&) {});
}

void Font::SetUnderline(long value) {
    const short underline = engineUnderline(value);
    span_.doc->setCharProperty(span_.start, span_.end, "CharUnderline", uno::Any(underline), false,
                               [&](CharAttributes& a) { a.underline = underline; }, DocumentModel::Skip::Unchanged);
}

void Font::SetColor(long bgr) {
    const std::int32_t rgb = rgbFromBgr(bgr);
    span_.doc->setCharProperty(span_.start, span_.end, "CharColor", uno::Any(rgb), false,
                               [&](CharAttributes& a) { a.rgbColor = rgb; }, DocumentModel::Skip::Unchanged);
}

}  // namespace word
