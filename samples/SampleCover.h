#pragma once

#include "support/DocBuilder.h"

namespace quillmark::samples {

// The bachelor cover of the sample thesis, with two deliberate deviations.
void bachelorCover(testing::DocBuilder& b);

// The three covers of the master sample (outer, Chinese inner, English
// inner), with one deliberate deviation.
void masterCovers(testing::DocBuilder& b);

}  // namespace quillmark::samples
