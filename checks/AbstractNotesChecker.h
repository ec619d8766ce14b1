#pragma once

#include "checks/Checker.h"

#include <string_view>

namespace quillmark {

// The note that follows the Chinese keywords line and comes before the
// English title "Abstract": its font size, and that it stands on the page of
// the keywords label. Nothing is corrected: the size finding and its mark
// and the page finding are the same in both modes. A missing label or title
// ends the run without a finding (the abstract checkers report those).
// Settled points:
//  - the note is the last paragraph with text between the keywords
//    paragraph and the title; paragraph marks, page breaks and section
//    breaks (form feeds) after it do not belong to it, nor does a paragraph
//    that holds nothing but such breaks;
//  - when there is no note (nothing but blank lines and breaks between the
//    keywords paragraph and the title, or the title before the keywords),
//    the run posts nothing and leaves the document as it is.
class AbstractNotesChecker final : public Checker {
public:
    CheckKind kind() const override { return CheckKind::AbstractNotes; }
    const char* progressName() const override;
    void run(CheckSession& session) override;

private:
    struct Run;
};

// A paragraph with no text of its own: its mark alone, or its mark after
// page or section breaks.
bool holdsNoText(std::string_view paragraphText);

// How many characters at the end of `text` are paragraph marks or page or
// section breaks: the stretch a note's end moves back over.
long trailingBreaks(std::string_view text);

}  // namespace quillmark
