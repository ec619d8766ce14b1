#pragma once

#include "checks/CheckSession.h"

namespace quillmark {

// What one body-text check run carries from paragraph to paragraph.
struct BodyState {
    long bodyStart = 0;  // the body: from the page after the table of contents
    long bodyEnd = 0;    // to the end of the document
    int chapter = 0;     // 0 while no chapter number is known
    int tables = 0;      // correctly numbered table captions since the last level-1 heading
    int figures = 0;     // correctly numbered figure captions since the last level-1 heading
    int citations = 0;   // highest citation number met in order; never reset
    bool citationOrderChecked = true;  // until the first citation-order finding

    // The place asked last (see locateItem).
    long locatedStart = -1;
    long locatedEnd = -1;
    Location located;
};

// Page and line of a body item. In check mode nothing the check writes moves
// text, so the place of the range asked last is remembered: the paragraph
// checks ask again for the run the superscript walk has just located.
Location locateItem(CheckSession& session, BodyState& state, const word::Range& item);

}  // namespace quillmark
