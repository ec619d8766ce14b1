#pragma once

#include <span>
#include <string>
#include <string_view>

namespace quillmark {

// A traditional Chinese font-size name and the size it stands for.
struct SizeName {
    std::string_view name;
    std::string_view pointsText;
    float points;
};

// "二号" 22.0 down to "小五" 9.0, in lookup order.
std::span<const SizeName> sizeNames();

// The size with one decimal, like "%.1f" in the C locale, whatever the
// process locale says.
std::string formatPoints(float points);

// The text a size is shown as: its name when the table has its points text
// (10.5 gives "五号"), otherwise formatPoints (10.0 gives "10.0").
std::string pointsToSizeText(float points);

// The size a list text stands for: a name gives its points; any other text
// is read as a decimal number from its start ("10.5" gives 10.5); a text
// that does not begin with a number, or one too large for a float, gives 0.0.
float sizeTextToPoints(std::string_view text);

}  // namespace quillmark
