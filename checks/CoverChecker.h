#pragma once

#include "checks/Checker.h"

namespace quillmark {

// The cover pages at the start of a thesis, chosen by the template's thesis
// type: the bachelor cover, or the master's outer, Chinese inner and English
// inner covers. Each cover item (degree line, titles, author name and
// details, date) is checked for size, bold and font name. Settled points:
//  - a cover shorter than expected (an item missing on its page, no page
//    after a cover) ends the run with what was found, without a finding;
//  - items of a cover are sought only on its own page.
class CoverChecker final : public Checker {
public:
    CheckKind kind() const override { return CheckKind::Cover; }
    const char* progressName() const override;
    FrameSteps frameSteps() const override { return {.collapseSelection = true}; }
    void run(CheckSession& session) override;
};

}  // namespace quillmark
