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

// Font lists of `families` (in reporting order) and of the stand-ins: the
// font names of `shown` and of the built-in defaults that are no family but
// that `answered` says the machine shows with one; they are reported after
// the families.
FontLists fontListsWithStandIns(std::vector<std::string> families, const FormatTemplate& shown,
                                const std::function<bool(const std::string&)>& answered);

// Font lists of the families installed on this machine, from Qt's font
// database. A font name of `shown` (or of the built-in defaults) that is not
// an installed family but that the font configuration answers with one, as
// it does for 宋体 or Times New Roman outside Windows, is reported after
// the installed families.
FontLists installedFontLists(const FormatTemplate& shown);

}  // namespace quillmark::gui
