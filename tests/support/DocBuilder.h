#pragma once

#include "word/msword.h"

#include <string>
#include <utility>
#include <vector>

namespace quillmark::testing {

// Character formatting of a run in a built document.
struct TextStyle {
    std::string asianFont = "宋体";
    std::string latinFont = "Times New Roman";
    float size = 12.0f;
    bool bold = false;
    bool italic = false;
    bool superscript = false;
    bool subscript = false;
    bool underline = false;
    std::string latinLocale = "en-US";  // BCP 47; Word language 1033
    std::string asianLocale = "zh-CN";  // Word language 2052
};

// Paragraph formatting, in Word's numbers.
struct ParaStyle {
    long alignment = 3;          // 0 left, 1 centred, 2 right, 3 justified, 4 distributed
    int outlineLevel = 10;       // 1..9 headings, 10 body text
    float lineSpacing = 18.0f;   // points as Word reports them: 12 single, 18 one and a half
    bool exactLineSpacing = false;
    bool pageBreakBefore = false;
    bool numbered = false;       // part of an arabic numbered list
    float spaceBefore = 0.0f;    // points
    float spaceAfter = 0.0f;     // points
    int restartPageNumber = 0;   // > 0: a new section begins here, its pages numbered from this
};

using Run = std::pair<std::string, TextStyle>;

// Builds a small document through the engine, so that a test states its
// input in a few lines:
//
//   DocBuilder b;
//   b.paragraph("摘要", {.asianFont = "黑体", .size = 16, .bold = true}, {.alignment = 1});
//   b.paragraph("正文……");
//   std::string path = b.save(dir + "/t.doc");
class DocBuilder {
public:
    DocBuilder& paragraph(const std::string& text, const TextStyle& text_style = {}, const ParaStyle& para = {});
    DocBuilder& paragraph(const std::vector<Run>& runs, const ParaStyle& para = {});
    DocBuilder& blank(int count = 1, const TextStyle& text_style = {}, const ParaStyle& para = {});
    // Many paragraphs of one format, handed to the engine in one piece: for
    // long documents. Not after pageBreak(); none of the texts may hold "\r".
    DocBuilder& paragraphs(const std::vector<std::string>& texts, const TextStyle& text_style = {},
                           const ParaStyle& para = {});
    // The next paragraph begins a new page.
    DocBuilder& pageBreak();
    // A table of contents over the headings (outline levels 1 to 3).
    DocBuilder& tableOfContents();
    // A table whose cells hold the given texts, one paragraph each.
    DocBuilder& table(const std::vector<std::vector<std::string>>& cells, const TextStyle& text_style = {});

    // Builds the document in the engine and saves it; ".docx" writes Word
    // 2007 XML, anything else Word 97-2003. Returns the path.
    std::string save(const std::string& path) const;

private:
    struct Block {
        enum Kind { Paragraph, Toc, Table, Bulk } kind = Paragraph;
        std::vector<Run> runs;  // a Bulk block: one run, its paragraphs joined by "\r"
        ParaStyle para;
        std::vector<std::vector<std::string>> cells;
        TextStyle cellStyle;
    };
    std::vector<Block> blocks_;
    bool breakBeforeNext_ = false;
};

}  // namespace quillmark::testing
