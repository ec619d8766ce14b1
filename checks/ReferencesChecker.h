#pragma once

#include "checks/Checker.h"

#include <cstddef>
#include <string_view>

namespace quillmark {

// The reference list: its centred title "参考文献" after the first table of
// contents, the list's extent (up to the next heading of level 1 to 3 or the
// document end) and the format of every entry (ReferenceEntryFormat.h). It
// reports and marks; it corrects nothing, in either mode, and reports no
// progress. Settled points:
//  - an occurrence of the title words that is not the title (its paragraph is
//    not centred, or holds more than the title) is passed over: the search
//    goes on from the end of the occurrence to the document end, so every
//    occurrence is looked at once and the search always ends;
//  - the list starts after the title's paragraph mark, also when the title
//    paragraph holds a few characters besides the title words ("参考文献：");
//  - a list that holds nothing but paragraph marks and page breaks has no
//    entries and gives no finding.
class ReferencesChecker final : public Checker {
public:
    CheckKind kind() const override { return CheckKind::References; }
    const char* progressName() const override;
    // The frame's default steps: the Selection stays where it stands.
    FrameSteps frameSteps() const override { return {}; }
    void run(CheckSession& session) override;

private:
    struct Run;
};

namespace references {

// The two forms of the title search (plain Find; "^w" is any white space).
inline constexpr const char* kSpacedTitleSearch = "参^w考^w文^w献";
inline constexpr const char* kTitleSearch = "参考文献";

// A found occurrence whose paragraph is longer than it by more than this
// many code page 936 bytes (paragraph mark included) is not the title.
inline constexpr std::size_t kTitleSlackBytes = 3;

inline constexpr std::string_view kTitleNotFoundText =
    "找不到“参考文献”标题。若没有该标题，请添加；若有该标题但没有设置“居中”对齐格式，请设置。";

// The end of a list whose text is `listText` and which ends at `end`, less
// the paragraph marks (13) and page breaks (12) at its end.
long endWithoutTrailingBreaks(std::string_view listText, long end);

}  // namespace references

}  // namespace quillmark
