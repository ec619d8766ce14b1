#pragma once

#include "shell/RunReporter.h"
#include "template/FormatTemplate.h"
#include "word/msword.h"

#include <functional>
#include <string>
#include <vector>

namespace quillmark {

// A format template read out of a model document: the university's own,
// correctly formatted thesis template.
struct DerivedTemplate {
    FormatTemplate formatTemplate;
    // One line per element that was sought and not found, whose members kept
    // the base's values: "未找到<element>，沿用<base>的值".
    std::vector<std::string> notFound;
};

struct DerivationRequest {
    std::int32_t thesisType = kBachelorThesis;  // only the covers of this type are read
    FormatTemplate base;                        // values of what is not found, and the check items
    std::string baseName = "默认模板";          // as the not-found lines name it
};

// Progress of a derivation: the reports of the checks whose locating steps it
// runs (their names, pages and lines).
using DerivationProgress = std::function<void(const ProgressReport&)>;

// Finds every element a template member describes with the checkers' own
// locating steps, in an open document, and reads its format: the value that
// covers the most characters (ties to the earlier element); Chinese fonts from
// the East Asian font of Chinese characters, Latin fonts from Latin
// characters; bold where most characters are bold; alignments from the title
// paragraph; the word forms from the text found; the caption-number
// separator from the caption numbers. The checkers mark what deviates from
// the base red in the document, as a check does: give it a working copy.
// Engine errors (word::WordError) are left to the caller.
DerivedTemplate deriveTemplate(const word::Document& model, word::Application& application,
                               const DerivationRequest& request, const DerivationProgress& progress = {});

// The separator of a caption number: what stands between the chapter number
// and the running number after "图"/"表" ("图2.1" gives ".", "表 3-2" gives
// "-"); empty when the text has no such number.
std::string captionNumberSeparator(const std::string& captionText);

}  // namespace quillmark
