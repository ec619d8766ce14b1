#pragma once

#include <string>

namespace quillmark::bench {

// Writes a thesis-like document of about `pages` pages: cover, abstracts, a
// table of contents, chapters with three heading levels, body paragraphs
// mixing Chinese and Latin text with superscript citations, figure and
// table captions with tables, and a reference list of `references`
// entries. Returns the path.
std::string generateThesis(const std::string& path, int pages, int references);

}  // namespace quillmark::bench
