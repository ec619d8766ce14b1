#pragma once

// Theses with a table of contents and a reference list, built through the
// engine, with the positions of their paragraphs.

#include "support/DocBuilder.h"

#include <functional>
#include <string>
#include <vector>

namespace quillmark::testing {

// A DocBuilder that knows where its paragraphs start, also behind a table
// of contents, whose length is known only once the engine has built it.
class TocLayout {
public:
    TocLayout& paragraph(const std::string& text, const TextStyle& style = {}, const ParaStyle& para = {});
    TocLayout& blank(int count = 1, const TextStyle& style = {}, const ParaStyle& para = {});
    // Many paragraphs of one format at once (DocBuilder::paragraphs).
    TocLayout& paragraphs(const std::vector<std::string>& texts, const TextStyle& style = {}, const ParaStyle& para = {});
    TocLayout& pageBreak();
    TocLayout& tableOfContents();

    // Saves into a scratch folder and opens a working copy; from then on the
    // positions below are those of the opened document.
    word::Document open(const std::string& name = "thesis.doc");

    // Start of paragraph `index` (from 1, in the order added) and of the
    // character `offset` characters into it; end = after its mark.
    long start(int index, long offset = 0) const;
    long end(int index) const;
    int count() const { return static_cast<int>(texts_.size()); }
    // The end of the document's main story.
    long documentEnd() const { return documentEnd_; }

private:
    void add(const std::string& text);

    DocBuilder builder_;
    std::vector<std::string> texts_;
    std::vector<long> starts_;     // as if the table of contents were empty
    int firstAfterToc_ = 0;        // index of the first paragraph behind it, 0 without one
    long tocLength_ = 0;           // characters the table of contents takes
    long documentEnd_ = 0;
};

// A thesis: a cover line (page 1), the table of contents (page 2), chapter 1
// (page 3), then from a new page the reference title and the entries, then
// whatever `after` adds.
struct ReferenceThesis {
    bool tableOfContents = true;
    std::vector<std::string> chapterText = {"本章介绍研究的背景和意义。"};
    ParaStyle chapterPara{};
    std::string title = "参考文献";
    ParaStyle titlePara{.alignment = 1, .outlineLevel = 1};
    std::vector<std::string> entries;
    ParaStyle entryPara{.alignment = 0};
    std::function<void(TocLayout&)> after;

    // Paragraph numbers, filled by build().
    int titleIndex = 0;
    int firstEntryIndex = 0;

    TocLayout build();
    int entryIndex(int i) const { return firstEntryIndex + i; }  // i from 0
};

}  // namespace quillmark::testing
