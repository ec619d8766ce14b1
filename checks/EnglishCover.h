#pragma once

namespace quillmark {

class CheckSession;

// The English inner cover of a master's thesis on the page after the one
// holding `previousCoverPosition`. Besides the font of its top title, thesis
// title, author name and author details, the walk sets its layout in both
// modes: no paragraph spacing on the page, one and a half lines for the
// titles and the author name, single lines for the author details, and the
// blank lines between the blocks (one before the thesis title, six before the
// author name and before the author details) are made up when there are
// fewer.
void checkEnglishCover(CheckSession& session, long previousCoverPosition);

}  // namespace quillmark
