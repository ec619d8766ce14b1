#pragma once

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
};

}  // namespace quillmark
