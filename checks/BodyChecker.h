#pragma once

#include "checks/Checker.h"

#include <cstddef>

namespace quillmark {

// The body text: from the page after the table of contents (the second one
// of a master's thesis) to the end of the document, paragraph by paragraph.
// Superscript text goes to the citation checks (CitationCheck.h) first; then
// headings of outline levels 1 to 3 go to the heading checks
// (HeadingCheck.h), body-text paragraphs (level 10) to the paragraph and
// caption checks (BodyParagraphCheck.h, CaptionCheck.h); levels 4 to 9 are
// not checked. The run stops before the next paragraph once the user stops
// it. The Selection is neither collapsed nor is the check state announced.
class BodyChecker final : public Checker {
public:
    CheckKind kind() const override { return CheckKind::Body; }
    const char* progressName() const override;
    FrameSteps frameSteps() const override { return {}; }
    void run(CheckSession& session) override;

private:
    struct Run;
};

namespace body {

// Paragraphs of at most this many code page 936 bytes, mark included (an
// empty paragraph, or one Chinese character), are skipped.
inline constexpr std::size_t kSkippedParagraphBytes = 3;

}  // namespace body

}  // namespace quillmark
