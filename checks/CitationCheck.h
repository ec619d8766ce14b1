#pragma once

#include "checks/BodyState.h"
#include "word/msword.h"

#include <string_view>
#include <vector>

namespace quillmark {

class CheckSession;

namespace citations {

// A span "a-b" (or with an en dash) longer than this is read as its two ends.
inline constexpr int kLongestSpan = 100;

// The citation numbers written inside a citation mark, in order: each
// stretch of decimal digits is a number; a dash or en dash between two
// numbers stands for every number from the first to the last (a backwards
// span, or one of more than kLongestSpan numbers, for its two ends only).
// A stretch too large for an int is no number.
std::vector<int> numbersOf(std::string_view inner);

}  // namespace citations

// What the superscript walk leaves to the checks of the paragraph.
struct CitationWalk {
    word::Range lastRun;              // the paragraph's last run
    bool lastRunReportedAsText = false;  // a "正文" finding was posted for it
};

// The superscript checks of one paragraph that holds superscript text: the
// paragraph is cut into runs of equal superscript and subscript state; each
// run that is not subscript has its format compared (superscript runs with
// the superscript values, the others with the body-text values), and the
// numbers of each superscript run of three bytes or more go through the
// citation-order check. Settled points:
//  - a character of white space belongs to the run around it, as it does
//    when Word reads the state of a grown range;
//  - once a number of a run jumps ahead, the finding is posted and the check
//    is off; the run's later numbers still move the counter on but post
//    nothing more (one mark, one finding).
CitationWalk checkCitations(CheckSession& session, BodyState& state, const word::Range& paragraph);

}  // namespace quillmark
