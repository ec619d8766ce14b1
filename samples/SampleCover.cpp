#include "SampleCover.h"

namespace quillmark::samples {

using testing::DocBuilder;
using testing::ParaStyle;
using testing::TextStyle;

namespace {

const ParaStyle kCentred{.alignment = 1};
const ParaStyle kLeft{.alignment = 0};

TextStyle both(const char* font, float size, bool bold = false, bool underline = false) {
    return {.asianFont = font, .latinFont = font, .size = size, .bold = bold, .underline = underline};
}

TextStyle latin(const char* font, float size, bool bold = false) {
    return {.latinFont = font, .size = size, .bold = bold};
}

}  // namespace

void bachelorCover(DocBuilder& b) {
    b.paragraph("本科毕业设计（论文）", {.asianFont = "黑体", .size = 26, .bold = true}, kCentred);
    b.blank(2);
    // Deviation: the Chinese title is set in 宋体 instead of 黑体.
    b.paragraph("论文格式自动检查系统的设计与实现", both("宋体", 22, true), kCentred);
    b.paragraph("Design and Implementation of a Thesis Format Checker", both("黑体", 18, true), kCentred);
    b.blank(2);
    const TextStyle label = both("黑体", 16, true);
    const TextStyle value = both("黑体", 16, true, true);
    b.paragraph({{"学    生：", label}, {"  张  三  ", value}}, kCentred);
    b.paragraph({{"学    号：", label}, {"  20230001  ", value}}, kCentred);
    // Deviation: the supervisor's name is not bold.
    b.paragraph({{"指导教师：", label}, {"  李  四  ", both("黑体", 16, false, true)}}, kCentred);
    b.paragraph({{"专    业：", label}, {"  计算机科学与技术  ", value}}, kCentred);
    b.blank(3);
    b.paragraph("二〇二三年五月", both("宋体", 14), kCentred);
}

void masterCovers(DocBuilder& b) {
    // Outer cover.
    b.paragraph("Norvale工学硕士学位论文", both("宋体", 18, true), kCentred);
    b.blank();
    b.paragraph("学术学位", both("宋体", 12), kCentred);
    b.blank(2);
    b.paragraph("论文格式自动检查系统", both("黑体", 22), kCentred);
    b.paragraph("的设计与实现", both("黑体", 22), kCentred);
    b.blank(3);
    b.paragraph("张  三", both("宋体", 16), kCentred);
    b.blank(3);
    b.paragraph("二〇二三年五月", both("宋体", 14), kCentred);

    // Chinese inner cover.
    b.pageBreak().paragraph("分类号：TP311", both("宋体", 14), kLeft);
    b.paragraph("密  级：公开", both("宋体", 14), kLeft);
    b.blank();
    b.paragraph("Norvale硕士学位论文", both("宋体", 18, true), kCentred);
    b.paragraph("学术学位", both("宋体", 12), kCentred);
    b.blank();
    b.paragraph("论文格式自动检查系统的设计与实现", both("黑体", 22), kCentred);
    b.blank();
    b.paragraph("张  三", both("宋体", 16), kCentred);
    b.blank();
    const TextStyle label = both("宋体", 14);
    const TextStyle value = both("宋体", 14, false, true);
    b.paragraph({{"学科专业：", label}, {"计算机科学与技术", value}}, kCentred);
    b.paragraph({{"指导教师：", label}, {"李  四  教授", value}}, kCentred);
    b.paragraph({{"答辩日期：", label}, {"2023年5月20日", value}}, kCentred);

    // English inner cover.
    const ParaStyle english{.alignment = 1};
    b.pageBreak().paragraph("A Dissertation Submitted to Norvale for the Degree of Doctor of Philosophy",
                            latin("Times New Roman", 16), english);
    b.blank(1, {}, english);
    b.paragraph("Design and Implementation of a Thesis Format Checker", latin("Arial", 18), english);
    b.blank(6, {}, english);
    // Deviation: the author name is not bold.
    b.paragraph("By Zhang San", latin("Arial", 15), english);
    b.paragraph("Supervised by Prof. Li Si", latin("Arial", 15), english);
    b.blank(6, {}, english);
    const ParaStyle single{.alignment = 1, .lineSpacing = 12};
    b.paragraph("Computer Science and Technology", latin("Arial", 12), single);
    b.paragraph("Norvale University", latin("Arial", 12), single);
    b.paragraph("May, 2023", latin("Arial", 12), single);
}

}  // namespace quillmark::samples
