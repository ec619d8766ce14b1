#pragma once

#include "template/FormatTemplate.h"

#include <span>
#include <string>
#include <vector>

namespace quillmark {

// The names of the font lists of the settings pages, as the font source
// reports them (a family can be reported several times, e.g. once per
// character set): each name once, where it was first reported; empty names
// are dropped.
std::vector<std::string> uniqueFontNames(std::span<const std::string> reported);

// The distinct font names a template holds, in member order. The settings
// pages offer all of them, installed or not, so that confirming the dialog
// keeps the fonts it showed.
std::vector<std::string> templateFontNames(const FormatTemplate& tmpl);

}  // namespace quillmark
