#include "bench/ThesisGenerator.h"

#include "support/DocBuilder.h"

namespace quillmark::bench {

using testing::DocBuilder;
using testing::ParaStyle;
using testing::TextStyle;

namespace {

// A table caption and a small table: the body check reads both.
void addTable(DocBuilder& b, int chapter, int table) {
    b.paragraph("表" + std::to_string(chapter) + "." + std::to_string(table) + " 检查项目",
                {.asianFont = "黑体", .size = 10.5f, .bold = true}, {.alignment = 1});
    b.table({{"检查项", "说明"}, {"字体", "中文字体"}, {"字号", "以磅为单位"}}, {.size = 10.5f});
}

}  // namespace

std::string generateThesis(const std::string& path, int pages, int references) {
    const TextStyle body{};
    const TextStyle heading1{.asianFont = "黑体", .size = 16, .bold = true};
    const TextStyle heading2{.asianFont = "黑体", .size = 14, .bold = true};
    const TextStyle latin{.asianFont = "宋体", .latinFont = "Times New Roman", .size = 12};
    const std::string sentence =
        "本文研究论文格式自动检查的方法，分析了文档结构、字体字号与段落格式之间的关系，并给出实现。";
    DocBuilder b;
    b.paragraph("摘要", heading1, {.alignment = 1});
    b.paragraph(sentence + sentence);
    b.blank();
    b.paragraph({{"关键词：", {.asianFont = "黑体", .size = 14, .bold = true}}, {"论文；格式；检查", body}});
    b.pageBreak().paragraph("Abstract", {.size = 16, .bold = true}, {.alignment = 1});
    b.paragraph("This thesis studies the automatic checking of thesis formats.", latin);
    b.paragraph("Key words: thesis, format, checking", latin);
    b.pageBreak().paragraph("目录", heading1, {.alignment = 1});
    b.tableOfContents();
    // Three sections of twenty three-line paragraphs fill about ten pages.
    const int chapters = std::max(1, pages / 10);
    for (int c = 1; c <= chapters; ++c) {
        b.pageBreak().paragraph(std::to_string(c) + " 绪论", heading1, {.alignment = 1, .outlineLevel = 1});
        for (int s = 1; s <= 3; ++s) {
            b.paragraph(std::to_string(c) + "." + std::to_string(s) + " 研究背景", heading2, {.alignment = 0, .outlineLevel = 2});
            for (int p = 0; p < 20; ++p) {
                b.paragraph({{sentence, body}, {" Word and LibreOffice ", latin}, {sentence + sentence, body},
                             {"[" + std::to_string(p + 1) + "]", {.superscript = true}}});
            }
            b.paragraph("图" + std::to_string(c) + "." + std::to_string(s) + " 系统结构", {.size = 10.5f}, {.alignment = 1});
            addTable(b, c, s);
        }
    }
    b.pageBreak().paragraph("参考文献", heading1, {.alignment = 1, .outlineLevel = 1});
    for (int r = 1; r <= references; ++r) {
        b.paragraph("[" + std::to_string(r) + "] 作者甲, 作者乙. 文章题名[J]. 刊名, 2008, 44(3): 45-49.", {.size = 10.5f});
    }
    b.pageBreak().paragraph("致谢", heading1, {.alignment = 1, .outlineLevel = 1});
    b.paragraph(sentence);
    return b.save(path);
}

}  // namespace quillmark::bench
