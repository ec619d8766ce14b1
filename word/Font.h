#pragma once

#include "Span.h"

#include <string>

namespace word {

// Character formatting of a stretch, read and written with Word's values:
// Bold -1/0, sizes in points, 9999999 (wdUndefined) for a number that differs
// over the stretch and "" for such a name.
class Font {
public:
    explicit Font(Span span) : span_(std::move(span)) {}

    // The font the stretch's characters are shown in: the Asian font for East
    // Asian characters, the Latin font for the others.
    std::string Name() const;
    void SetName(const std::string& name);
    std::string NameFarEast() const;
    void SetNameFarEast(const std::string& name);
    std::string NameAscii() const;
    void SetNameAscii(const std::string& name);

    float Size() const;
    void SetSize(float points);
    long Bold() const;
    void SetBold(long value);  // -1/1 bold, 0 not bold, wdToggle toggles
    long Italic() const;
    void SetItalic(long value);
    long Superscript() const;
    void SetSuperscript(long value);
    long Subscript() const;
    void SetSubscript(long value);
    long Underline() const;
    void SetUnderline(long value);
    long Color() const;  // 0x00BBGGRR
    void SetColor(long bgr);

private:
    Span span_;
};

}  // namespace word
