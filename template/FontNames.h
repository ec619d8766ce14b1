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
// pages offer those among them that the machine can show, so that a font
// that stands in for a thesis font under the thesis font's own name (as
// 宋体 or Times New Roman often do outside Windows) is not lost when the
// dialog is confirmed.
std::vector<std::string> templateFontNames(const FormatTemplate& tmpl);

}  // namespace quillmark
