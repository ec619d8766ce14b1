#pragma once

// A DocBuilder that remembers where each paragraph starts, so that tests
// state expected positions by paragraph instead of by counted characters.

#include "support/DocBuilder.h"

#include <string>
#include <vector>

namespace quillmark::testing {

class DocLayout {
public:
    DocLayout& paragraph(const std::string& text, const TextStyle& style = {}, const ParaStyle& para = {});
    DocLayout& paragraph(const std::vector<Run>& runs, const ParaStyle& para = {});
    DocLayout& blank(int count = 1, const TextStyle& style = {}, const ParaStyle& para = {});
    DocLayout& pageBreak();

    // Start of paragraph `index` (from 1) and of the character `offset`
    // characters into it.
    long start(int index, long offset = 0) const { return starts_.at(index - 1) + offset; }
    long end(int index) const { return ends_.at(index - 1); }  // after the paragraph mark
    int count() const { return static_cast<int>(starts_.size()); }

    // Saves into a scratch folder and opens a working copy.
    word::Document open(const std::string& name = "doc.doc") const;

private:
    void add(long length);

    DocBuilder builder_;
    std::vector<long> starts_;
    std::vector<long> ends_;
};

}  // namespace quillmark::testing
