#pragma once

#include "checks/Checker.h"

#include <string>

namespace quillmark {

// The Chinese abstract: its title ("摘要" or "要摘"), the keywords line
// ("关键词" / "关键字") with its label, colon, words and separators, the
// blank line before the keywords, and the abstract text between title and
// keywords, run by run. Settled points:
//  - an alignment of 3 or 4 in the template is told as "未两端对齐，应两端对齐"
//    and "未分散对齐，应分散对齐";
//  - an abstract region holding only short paragraphs has no abstract text:
//    the line-spacing and text checks are skipped, while the blank lines
//    before the keywords (all paragraphs of the region) are still counted,
//    and the blank-line finding is located at the keywords line.
class CnAbstractChecker final : public Checker {
public:
    CheckKind kind() const override { return CheckKind::CnAbstract; }
    const char* progressName() const override;
    FrameSteps frameSteps() const override { return {.collapseSelection = true, .postCheckState = true}; }
    void run(CheckSession& session) override;

private:
    struct Run;
};

}  // namespace quillmark
