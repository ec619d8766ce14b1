#pragma once

#include "Span.h"

#include <string>

namespace word {

// Options of Find.Execute, named and defaulted as Word's.
struct FindOptions {
    bool matchCase = false;
    bool matchWholeWord = false;
    bool matchWildcards = false;
    bool matchSoundsLike = false;
    bool matchAllWordForms = false;
    bool forward = true;
    int wrap = 0;  // wdFindStop, wdFindContinue, wdFindAsk
    bool format = false;
};

// Find on a Range or the Selection. A hit moves the searched span onto the
// match; a miss leaves it where it was.
class Find {
public:
    explicit Find(SpanPtr span) : span_(std::move(span)) {}

    void ClearFormatting() {}
    void SetMatchFuzzy(bool) {}
    bool Execute(const std::string& findText, const FindOptions& options = {});
    bool Found() const;

private:
    SpanPtr span_;
};

}  // namespace word
