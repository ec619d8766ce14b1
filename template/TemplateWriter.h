#pragma once

#include "template/FormatTemplate.h"
#include "template/TemplateKeys.h"

#include <string>

namespace quillmark {

// The template as the text of a template file (UTF-8, LF line ends): every
// section and key in canonical order, integers in decimal, sizes with one
// decimal at least and every decimal they have, texts quoted only where
// reading them back needs it. Loading the text gives the same template,
// except that texts longer than a file can hold are cut.
std::string formatTemplateFile(const FormatTemplate& tmpl);

// The text after "key=" for one key.
std::string formatTemplateValue(const FormatTemplate& tmpl, const TemplateKey& key);

}  // namespace quillmark
