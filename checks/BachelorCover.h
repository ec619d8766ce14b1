#pragma once

namespace quillmark {

class CheckSession;

// The bachelor cover: found by its degree line ("本科毕业设计"), then the
// Chinese title, the English title (when its line holds more than 5 bytes)
// and the underlined value of each author-details line, which end above the
// blank lines over the bottom line of the page.
void checkBachelorCover(CheckSession& session);

}  // namespace quillmark
