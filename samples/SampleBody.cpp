#include "samples/SampleBody.h"

#include <string>

namespace quillmark::samples {

using testing::DocBuilder;
using testing::ParaStyle;
using testing::TextStyle;

namespace {

const TextStyle kBody{};
const TextStyle kHeading1{.asianFont = "黑体", .size = 16, .bold = true};
const TextStyle kHeading2{.asianFont = "黑体", .size = 12, .bold = true};
const TextStyle kHeading3{.asianFont = "黑体", .size = 12};
const TextStyle kCitation{.superscript = true};
const TextStyle kFigureCaption{.size = 10.5f};
const TextStyle kTableCaption{.asianFont = "黑体", .size = 10.5f, .bold = true};
const TextStyle kTableText{.size = 10.5f};
const TextStyle kNote{.size = 9};
const ParaStyle kCentred{.alignment = 1};

struct Chapter {
    int number;
    std::string title;
    int firstCitation;
};

std::string citation(int n) {
    return "[" + std::to_string(n) + "]";
}

void section(DocBuilder& b, const Chapter& c, int s, int cited) {
    const std::string number = std::to_string(c.number) + "." + std::to_string(s);
    // Deviation: the heading of section 2.2 is 14 points instead of 12.
    const bool wrongSize = c.number == 2 && s == 2;
    b.paragraph(number + " 研究内容", wrongSize ? TextStyle{.asianFont = "黑体", .size = 14, .bold = true} : kHeading2,
                {.alignment = 0, .outlineLevel = 2});
    b.paragraph(number + ".1 问题的提出", kHeading3, {.alignment = 0, .outlineLevel = 3});
    b.paragraph({{"论文格式检查需要准确定位每一处格式问题，并说明应当如何修改", kBody},
                 {citation(cited), kCitation},
                 {"。检查结果包括问题的严重程度、页码、行号以及字符位置。", kBody}});
    b.paragraph("系统按照学校的格式模板逐项比较论文的各个部分，模板规定了各级标题、正文、图表标题和参考文献的格式。");
    // Deviation: chapter 2 numbers its second figure 2.3.
    const int figure = c.number == 2 && s == 2 ? 3 : s;
    b.paragraph("图" + std::to_string(c.number) + "." + std::to_string(figure) + " 系统结构示意", kFigureCaption,
                kCentred);
    b.paragraph("表" + number + " 检查项目一览", kTableCaption, kCentred);
    b.table({{"检查项", "说明"}, {"字体", "中文与英文字体"}, {"字号", "以磅为单位"}}, kTableText);
    b.paragraph("注：表中的字号以磅为单位。", kNote, {.alignment = 0});
}

}  // namespace

void bodyChapters(DocBuilder& b) {
    // Deviation: chapter 3 cites [6] before [5].
    const Chapter chapters[] = {{1, "绪论", 1}, {2, "系统设计", 3}, {3, "实现与测试", 6}};
    for (const Chapter& c : chapters) {
        b.pageBreak().paragraph(std::to_string(c.number) + " " + c.title, kHeading1, {.alignment = 1, .outlineLevel = 1});
        section(b, c, 1, c.firstCitation);
        section(b, c, 2, c.number == 3 ? 5 : c.firstCitation + 1);
    }
    b.paragraph("Fig. 1 Structure of the checker", {.latinFont = "Times New Roman", .size = 10.5f}, kCentred);
}

}  // namespace quillmark::samples
