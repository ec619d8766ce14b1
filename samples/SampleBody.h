#pragma once

#include "support/DocBuilder.h"

namespace quillmark::samples {

// The chapters of the sample thesis: three levels of headings, body text
// with superscript citations, figure and table captions, tables and a note,
// with three deliberate deviations (a heading in the wrong size, a caption
// with a wrong number, a citation out of order).
void bodyChapters(testing::DocBuilder& b);

}  // namespace quillmark::samples
