#pragma once

// A model document: a whole thesis front matter and body built through the
// engine, every element formatted to the values of one template.

#include "support/DocBuilder.h"
#include "template/FormatTemplate.h"

#include <string>

namespace quillmark::testing {

struct ModelThesis {
    FormatTemplate format;        // the values every element is formatted to
    bool covers = true;           // the covers of format.thesisType
    bool englishAbstract = true;  // "Abstract" and its key words
    bool body = true;             // table of contents, headings, text, table, captions

    DocBuilder build() const;
};

// A template whose every format member differs from the built-in one (the
// word forms and the separator included); its check items are off or on
// against the built-in ones too.
FormatTemplate unusualTemplate(std::int32_t thesisType);

}  // namespace quillmark::testing
