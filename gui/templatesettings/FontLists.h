#pragma once

#include "template/FormatTemplate.h"

#include <functional>
#include <string>
#include <vector>

namespace quillmark::gui {

// The items of the font lists of the settings pages: every font family
// once, in UTF-8.
struct FontLists {
    std::vector<std::string> sorted;    // alphabetical, for most font lists
    std::vector<std::string> reported;  // in the order the font source reports them
};

// Font lists from names in reporting order (repeats allowed).
FontLists fontListsFrom(const std::vector<std::string>& reported);

// Font lists of `families` (in reporting order) and, reported after them,
// of the names that are no family: every font name of `shown`, so that
// "确定" keeps what the dialog showed, and those of the built-in defaults
// that `answered` says the machine shows with another family.
FontLists fontListsWithStandIns(std::vector<std::string> families, const FormatTemplate& shown,
                                const std::function<bool(const std::string&)>& answered);

// Font lists of the families installed on this machine, from Qt's font
// database, then the font names of `shown`, then those of the built-in
// defaults that the font configuration answers with another family, as it
// does for 宋体 or Times New Roman outside Windows.
FontLists installedFontLists(const FormatTemplate& shown);

}  // namespace quillmark::gui
