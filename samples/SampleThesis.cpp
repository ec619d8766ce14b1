// Writes samples/bachelor-thesis.doc and samples/master-thesis.doc: a
// bachelor's and a master's thesis in the layout the checkers expect, with a
// few deliberate deviations, built through the engine so that they can be
// made again:
//   build/samples/make_sample_thesis samples/bachelor-thesis.doc samples/master-thesis.doc
#include "SampleCover.h"
#include "samples/SampleBody.h"
#include "support/DocBuilder.h"
#include "word/Engine.h"

#include <cstdio>
#include <string>

using quillmark::testing::DocBuilder;
using quillmark::testing::ParaStyle;
using quillmark::testing::Run;
using quillmark::testing::TextStyle;

namespace {

const TextStyle kBody{};
const TextStyle kLatin{.asianFont = "宋体", .latinFont = "Times New Roman", .size = 12};
const TextStyle kHeading1{.asianFont = "黑体", .size = 16, .bold = true};
const TextStyle kReference{};
const ParaStyle kCentred{.alignment = 1};

void chineseAbstract(DocBuilder& b) {
    // Deviation: the title is 15 points instead of 16.
    b.pageBreak().paragraph("摘要", {.asianFont = "黑体", .size = 15, .bold = true}, kCentred);
    b.blank();
    b.paragraph("论文格式是学位论文质量的重要组成部分。本文设计并实现了一个论文格式自动检查系统，"
                "它读取论文文档，逐项比较标题、正文和参考文献的字体、字号与段落格式，"
                "并给出修改意见。系统也能够自动修改可以修改的格式问题。");
    b.paragraph({{"实验表明，系统能够在数秒内完成一篇论文的检查，", kBody}, {"LibreOffice", kLatin},
                 {"作为文档引擎保证了页码与行号的准确。", kBody}});
    b.blank();
    b.paragraph({{"关键词：", {.asianFont = "黑体", .size = 14, .bold = true}}, {"论文格式，自动检查，文档引擎", kBody}});
    b.blank();
    b.paragraph("注：本文工作得到学院本科生创新项目资助。", {.size = 10.5f});
}

void englishAbstract(DocBuilder& b) {
    b.pageBreak().paragraph("Abstract", {.latinFont = "Times New Roman", .size = 16, .bold = true}, kCentred);
    b.blank();
    b.paragraph("The format of a thesis is an important part of its quality. This thesis designs and implements "
                "an automatic format checker that compares titles, text and references with a format "
                "template and reports every deviation.", kLatin);
    b.blank();
    // Deviation: one key word is set in Arial.
    b.paragraph({{"Key words: ", {.latinFont = "Times New Roman", .size = 14, .bold = true}},
                 {"thesis format, ", kLatin},
                 {"automatic checking, ", {.latinFont = "Arial", .size = 12}},
                 {"document engine", kLatin}});
}

void contents(DocBuilder& b) {
    b.pageBreak().paragraph("目    录", kHeading1, kCentred);
    b.tableOfContents();
}

void references(DocBuilder& b) {
    b.pageBreak().paragraph("参考文献", kHeading1, {.alignment = 1, .outlineLevel = 1});
    const char* entries[] = {
        "[1] 王五, 赵六. 学位论文格式规范研究[J]. 高等教育研究, 2018, 39(4): 45-49.",
        "[2] 陈七. 文档排版原理[M]. 北京: 清华大学出版社, 2015: 12-20.",
        "[3] 刘八. 论文自动检查方法研究[D]. 重庆: 重庆大学, 2019.",
        "[4] 周九. 高校论文质量调查[N]. 中国教育报, 2020-05-12(3).",
        // Deviation: a journal article without its issue number.
        "[5] 吴十. 排版系统的设计[J]. 计算机应用, 2017, 37: 10-15.",
        "[6] The Document Foundation. LibreOffice Developer's Guide[EB/OL]. 2022.",
    };
    for (const char* entry : entries) b.paragraph(entry, kReference, {.alignment = 0});
    b.pageBreak().paragraph("致    谢", kHeading1, {.alignment = 1, .outlineLevel = 1});
    b.paragraph("感谢指导教师在论文写作过程中给予的帮助。");
}

}  // namespace

int main(int argc, char** argv) {
    const std::string bachelorPath = argc > 1 ? argv[1] : "samples/bachelor-thesis.doc";
    const std::string masterPath = argc > 2 ? argv[2] : "samples/master-thesis.doc";
    for (const bool master : {false, true}) {
        DocBuilder b;
        if (master) quillmark::samples::masterCovers(b); else quillmark::samples::bachelorCover(b);
        chineseAbstract(b);
        englishAbstract(b);
        contents(b);
        quillmark::samples::bodyChapters(b);
        references(b);
        const std::string& path = master ? masterPath : bachelorPath;
        b.save(path);
        std::printf("%s\n", path.c_str());
    }
    word::Engine::instance().shutDown();
    return 0;
}
