#pragma once

namespace quillmark {

class CheckSession;

// The three covers of a master's thesis, in turn: the outer cover, found by
// its degree line, with its degree type, title lines, author name and date;
// the Chinese inner cover on the next page with its top information, degree
// line and type, title lines, author name and the underlined author details;
// then the English inner cover on the page after it.
void checkMasterCovers(CheckSession& session);

}  // namespace quillmark
