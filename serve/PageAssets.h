#pragma once

#include <string_view>

namespace quillmark::serve {

// The upload page, its script and its style sheet, built into the program
// (serve/page/): the page needs nothing from outside the server.
extern const std::string_view kPageHtml;
extern const std::string_view kPageScript;
extern const std::string_view kPageStyle;

}  // namespace quillmark::serve
