#pragma once

#include <string>
#include <string_view>

namespace quillmark {

// The name a thesis goes by: its file name (UTF-8) less the last four bytes
// of its code page 936 form, never leaving half a character. "论文.doc" gives
// "论文", "thesis.docx" gives "thesis.".
std::string displayNameFor(std::string_view fileName);

}  // namespace quillmark
