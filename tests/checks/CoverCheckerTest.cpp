// The cover checker on bachelor covers: each input document with the
// findings it must produce, in check mode and in auto-fix mode.
#include "checks/CoverChecker.h"

#include "CheckHarness.h"
#include "DocLayout.h"
#include "support/Engine.h"

#include <gtest/gtest.h>

namespace quillmark {
namespace {

using testing::CheckRunResult;
using testing::DocLayout;
using testing::ParaStyle;
using testing::Run;
using testing::TextStyle;
using testing::finding;
using testing::kMedium;
using testing::kSevere;
using testing::kUnmarked;


const ParaStyle kCentred{.alignment = 1};
const TextStyle kDegree{.asianFont = "黑体", .size = 26.0f, .bold = true};
const TextStyle kTitle{.asianFont = "黑体", .latinFont = "黑体", .size = 22.0f, .bold = true};
const TextStyle kForeignTitle{.asianFont = "黑体", .latinFont = "黑体", .size = 18.0f, .bold = true};
const TextStyle kLabel{.asianFont = "黑体", .latinFont = "黑体", .size = 16.0f, .bold = true};
const TextStyle kValue{.asianFont = "黑体", .latinFont = "黑体", .size = 16.0f, .bold = true, .underline = true};
const TextStyle kDate{.asianFont = "宋体", .size = 14.0f};

// One author-details line: a label and its underlined value.
struct DetailLine {
    std::string label;
    std::string value;
    TextStyle valueStyle = kValue;
};

// The cover on page 1, then an abstract page.
struct Cover {
    std::string degree = "本科毕业设计（论文）";
    int blanksAfterDegree = 2;
    std::string title = "论文格式自动检查系统的设计与实现";
    TextStyle titleStyle = kTitle;
    std::string foreignTitle = "Design of a Thesis Format Checker";
    TextStyle foreignTitleStyle = kForeignTitle;
    int blanksAfterTitle = 2;
    std::vector<DetailLine> details = {{"学    生：", "张  三"}, {"学    号：", "20230001"}, {"指导教师：", "李  四"}};
    int blanksAfterDetails = 3;
    std::string date = "二〇二三年五月";
    TextStyle dateStyle = kDate;
    bool abstractPage = true;

    // Paragraph numbers, filled by build().
    int titleIndex = 0;
    int foreignIndex = 0;
    int firstDetailIndex = 0;
    int dateIndex = 0;

    DocLayout build() {
        DocLayout d;
        d.paragraph(degree, kDegree, kCentred);
        d.blank(blanksAfterDegree);
        d.paragraph(title, titleStyle, kCentred);
        titleIndex = d.count();
        d.paragraph(foreignTitle, foreignTitleStyle, kCentred);
        foreignIndex = d.count();
        d.blank(blanksAfterTitle);
        firstDetailIndex = d.count() + 1;
        for (const DetailLine& line : details) {
            std::vector<Run> runs{{line.label, kLabel}};
            if (!line.value.empty()) runs.emplace_back(line.value, line.valueStyle);
            d.paragraph(runs, kCentred);
        }
        d.blank(blanksAfterDetails);
        d.paragraph(date, dateStyle, kCentred);
        dateIndex = d.count();
        if (abstractPage) {
            d.pageBreak();
            d.paragraph("摘要", {.asianFont = "黑体", .size = 16.0f, .bold = true}, kCentred);
        }
        return d;
    }

    // Where the value of detail line `i` (from 0) starts.
    long valueStart(const DocLayout& d, int i) const {
        return d.start(firstDetailIndex + i, testing::charCount(details[i].label));
    }
};

CheckRunResult check(const word::Document& doc, const FormatTemplate& tpl = FormatTemplate{}) {
    return testing::runCheck(CheckKind::Cover, doc, tpl, CheckMode::Check);
}

CheckRunResult fix(const word::Document& doc, const FormatTemplate& tpl = FormatTemplate{}) {
    return testing::runCheck(CheckKind::Cover, doc, tpl, CheckMode::AutoFix);
}

using Lines = std::vector<std::string>;

const std::string kTitleSize = "字号有误，请自行查找默认模板或您所设置的模板封面中中文论文题目相对应的字号";
const std::string kTitleBold = "封面中中文论文题目相对应的字体未加粗，应该加粗";
const std::string kTitleFont = "字体名有误，请自行查找默认模板或您所设置的模板封面中中文论文题目相对应的字体名";
const std::string kForeignSize = "字号有误，请自行查找默认模板或您所设置的模板封面中英文论文题目相对应的字号";
const std::string kDetailsSize = "字号有误，请自行查找默认模板或您所设置的模板封面中作者信息相对应的字号";
const std::string kDetailsFont = "字体名有误，请自行查找默认模板或您所设置的模板封面中作者信息相对应的字体名";

class CoverCheck : public testing::DocumentTest {};

// ------------------------------------------------------------ the frame

TEST_F(CoverCheck, RegisteredAndNamed) {
    auto checker = makeChecker(CheckKind::Cover);
    ASSERT_NE(checker, nullptr);
    EXPECT_EQ(checker->kind(), CheckKind::Cover);
    EXPECT_STREQ(checker->progressName(), "封面检测");
    EXPECT_TRUE(checker->frameSteps().collapseSelection);
    EXPECT_FALSE(checker->frameSteps().postCheckState);
}

TEST_F(CoverCheck, CleanCoverHasNoFindingsInEitherMode) {
    Cover c;
    DocLayout d = c.build();
    const word::Document doc = d.open();
    const CheckRunResult r = check(doc);
    EXPECT_EQ(r.lines(), Lines{});
    ASSERT_FALSE(r.progress.empty());
    EXPECT_EQ(r.progress.front().text, "封面检测");
    EXPECT_EQ(r.progress.front().totalPages, 2);
    EXPECT_EQ(r.checkStates, 0);
    EXPECT_EQ(doc.Range(0, d.end(c.dateIndex)).Font().Color(), kUnmarked);
    EXPECT_EQ(fix(doc).lines(), Lines{});
    EXPECT_EQ(doc.Range(0, d.end(c.dateIndex)).Font().Color(), kUnmarked);
}

TEST_F(CoverCheck, MissingDegreeLineIsSevereAtTheStartOfRunRange) {
    Cover c;
    c.degree = "本科毕业论文";
    c.titleStyle.size = 20.0f;  // would be a finding if the run went on
    DocLayout d = c.build();
    const word::Document doc = d.open();
    // The finding stands where the Selection stood when the run began.
    doc.Activate();
    testing::sharedApplication().Selection().SetRange(d.start(c.titleIndex), d.end(c.titleIndex));
    const Lines expected{finding(kSevere, 1, c.titleIndex, d.start(c.titleIndex),
                                 "找不到\"本科毕业设计论文\"字样，请自行添加\"本科毕业设计论文\"字样或检查模板设置是否有问题")};
    EXPECT_EQ(check(doc).lines(), expected);
    testing::sharedApplication().Selection().SetRange(d.start(c.titleIndex), d.end(c.titleIndex));
    EXPECT_EQ(fix(doc).lines(), expected);
    EXPECT_EQ(doc.Paragraphs().Item(c.titleIndex).Range().Font().Size(), 20.0f);
}

// ------------------------------------------------------------ the titles

TEST_F(CoverCheck, ChineseTitleRulesInOrderSizeBoldFont) {
    Cover c;
    c.titleStyle = {.asianFont = "宋体", .latinFont = "黑体", .size = 20.0f, .bold = false};
    DocLayout d = c.build();
    const word::Document doc = d.open();
    EXPECT_EQ(check(doc).lines(),
              Lines{finding(kMedium, 1, c.titleIndex, d.start(c.titleIndex),
                            "中文论文题目" + kTitleSize + "，" + kTitleBold + "，" + kTitleFont + "。")});
    EXPECT_EQ(doc.Paragraphs().Item(c.titleIndex).Range().Font().Color(), 192);
    EXPECT_EQ(doc.Paragraphs().Item(c.foreignIndex).Range().Font().Color(), kUnmarked);
}

TEST_F(CoverCheck, NotBoldTemplateTellsTheBoldTitle) {
    Cover c;
    FormatTemplate tpl;
    tpl.bachelorTitleBold = 0;
    c.foreignTitleStyle.bold = false;
    DocLayout d = c.build();
    const word::Document doc = d.open();
    EXPECT_EQ(check(doc, tpl).lines(),
              Lines{finding(kMedium, 1, c.titleIndex, d.start(c.titleIndex),
                            "中文论文题目封面中中文论文题目相对应的字体不应加粗。")});
}

TEST_F(CoverCheck, TitleFoundPastBlankAndWhiteSpaceLines) {
    Cover c;
    c.blanksAfterDegree = 0;
    DocLayout d;
    d.paragraph(c.degree, kDegree, kCentred);
    d.paragraph("    ", kTitle, kCentred);  // white space only: trimmed, no text
    d.paragraph(c.title, {.asianFont = "宋体", .size = 22.0f, .bold = true}, kCentred);
    d.paragraph(c.foreignTitle, kForeignTitle, kCentred);
    const word::Document doc = d.open();
    EXPECT_EQ(check(doc).lines(), Lines{finding(kMedium, 1, 3, d.start(3), "中文论文题目" + kTitleFont + "。")});
}

TEST_F(CoverCheck, EnglishTitleOfFiveBytesOrLessIsNotChecked) {
    Cover c;
    c.foreignTitle = "Abc";  // four bytes with its paragraph mark
    c.foreignTitleStyle = {.latinFont = "Arial", .size = 10.0f};
    DocLayout d = c.build();
    const word::Document doc = d.open();
    EXPECT_EQ(check(doc).lines(), Lines{});
}

TEST_F(CoverCheck, FiveByteEnglishLineBecomesAnAuthorDetailsLine) {
    // Not a title, so the author details begin right after the Chinese title:
    // the line is checked as a value that is not underlined.
    Cover c;
    c.foreignTitle = "Abcd";
    c.foreignTitleStyle = {.asianFont = "黑体", .latinFont = "黑体", .size = 10.0f, .bold = true};
    DocLayout d = c.build();
    const word::Document doc = d.open();
    EXPECT_EQ(check(doc).lines(), Lines{finding(kMedium, 1, c.foreignIndex, d.end(c.foreignIndex) - 1,
                                                "作者信息" + kDetailsSize + "。")});
}

TEST_F(CoverCheck, EnglishTitleSizeComesFromTheForeignTitleSize) {
    Cover c;
    c.foreignTitleStyle.size = 22.0f;  // the Chinese title's size
    DocLayout d = c.build();
    const word::Document doc = d.open();
    EXPECT_EQ(check(doc).lines(), Lines{finding(kMedium, 1, c.foreignIndex, d.start(c.foreignIndex),
                                                "英文论文题目" + kForeignSize + "。")});
    EXPECT_EQ(fix(doc).lines(), Lines{});
    const word::Font foreign = doc.Paragraphs().Item(c.foreignIndex).Range().Font();
    EXPECT_EQ(foreign.Size(), 18.0f);
    EXPECT_EQ(foreign.Color(), 0);
    EXPECT_EQ(doc.Paragraphs().Item(c.titleIndex).Range().Font().Size(), 22.0f);
    EXPECT_EQ(check(doc).lines(), Lines{});
}

TEST_F(CoverCheck, EnglishTitleComparedByItsLatinFont) {
    Cover c;
    c.foreignTitleStyle.latinFont = "Times New Roman";
    DocLayout d = c.build();
    const word::Document doc = d.open();
    EXPECT_EQ(check(doc).lines(),
              Lines{finding(kMedium, 1, c.foreignIndex, d.start(c.foreignIndex),
                            "英文论文题目字体名有误，请自行查找默认模板或您所设置的模板封面中英文论文题目相对应的字体名。")});
    EXPECT_EQ(fix(doc).lines(), Lines{});
    EXPECT_EQ(doc.Paragraphs().Item(c.foreignIndex).Range().Font().NameAscii(), "黑体");
}

// ------------------------------------------------------- author details

TEST_F(CoverCheck, EachUnderlinedValueIsOneItem) {
    Cover c;
    c.details[0].valueStyle.size = 14.0f;
    c.details[2].valueStyle.bold = false;
    c.details[2].valueStyle.size = 14.0f;
    DocLayout d = c.build();
    const word::Document doc = d.open();
    EXPECT_EQ(check(doc).lines(),
              (Lines{finding(kMedium, 1, c.firstDetailIndex, c.valueStart(d, 0), "作者信息" + kDetailsSize + "。"),
                     finding(kMedium, 1, c.firstDetailIndex + 2, c.valueStart(d, 2),
                             "作者信息" + kDetailsSize + "，封面中作者信息相对应的字体未加粗，应该加粗。")}));
    // Only the value is marked, not its label.
    EXPECT_EQ(doc.Range(c.valueStart(d, 0), d.end(c.firstDetailIndex) - 1).Font().Color(), 192);
    EXPECT_EQ(doc.Range(d.start(c.firstDetailIndex), c.valueStart(d, 0)).Font().Color(), kUnmarked);
}

TEST_F(CoverCheck, LineWithoutUnderlineIsCheckedAtItsEnd) {
    Cover c;
    c.details[1].valueStyle.underline = false;
    c.details[1].valueStyle.size = 12.0f;
    DocLayout d = c.build();
    const word::Document doc = d.open();
    const int line = c.firstDetailIndex + 1;
    EXPECT_EQ(check(doc).lines(),
              Lines{finding(kMedium, 1, line, d.end(line) - 1, "作者信息" + kDetailsSize + "。")});
    // The empty range holds nothing to mark.
    EXPECT_EQ(doc.Paragraphs().Item(line).Range().Font().Color(), kUnmarked);
}

TEST_F(CoverCheck, ShortLinesInsideTheDetailsAreSkipped) {
    // Lines of at most 4 bytes with their mark, in a wrong font: skipped.
    Cover c;
    const TextStyle wrong{.asianFont = "宋体", .latinFont = "Arial", .size = 9.0f, .underline = true};
    c.details.insert(c.details.begin() + 1, {{"", "abc", wrong}, {"", "一", wrong}, {"", "", wrong}});
    DocLayout d = c.build();
    const word::Document doc = d.open();
    EXPECT_EQ(check(doc).lines(), Lines{});
}

TEST_F(CoverCheck, LeadingSpacesAreNotPartOfTheLine) {
    // "  ab" holds 5 bytes with its mark, "ab" without the spaces only 3.
    Cover c;
    c.details.push_back({"  ", "ab", {.latinFont = "Arial", .size = 9.0f, .underline = true}});
    DocLayout d = c.build();
    const word::Document doc = d.open();
    EXPECT_EQ(check(doc).lines(), Lines{});
}

TEST_F(CoverCheck, RightChineseButWrongLatinFontDeviates) {
    Cover c;
    c.details[1].valueStyle.latinFont = "Times New Roman";
    DocLayout d = c.build();
    const word::Document doc = d.open();
    const int line = c.firstDetailIndex + 1;
    EXPECT_EQ(check(doc).lines(),
              Lines{finding(kMedium, 1, line, c.valueStart(d, 1), "作者信息" + kDetailsFont + "。")});
    EXPECT_EQ(fix(doc).lines(), Lines{});
    const word::Font value = doc.Range(c.valueStart(d, 1), d.end(line) - 1).Font();
    EXPECT_EQ(value.NameAscii(), "黑体");
    EXPECT_EQ(value.NameFarEast(), "黑体");
    EXPECT_EQ(value.Color(), 0);
}

TEST_F(CoverCheck, WrongChineseFontIsCorrectedAlone) {
    Cover c;
    c.details[0].valueStyle.asianFont = "楷体";
    c.details[0].valueStyle.latinFont = "Arial";  // no Latin text in the value: not read
    DocLayout d = c.build();
    const word::Document doc = d.open();
    EXPECT_EQ(check(doc).lines(), Lines{finding(kMedium, 1, c.firstDetailIndex, c.valueStart(d, 0),
                                                "作者信息" + kDetailsFont + "。")});
    EXPECT_EQ(fix(doc).lines(), Lines{});
    const word::Font value = doc.Range(c.valueStart(d, 0), d.end(c.firstDetailIndex) - 1).Font();
    EXPECT_EQ(value.NameFarEast(), "黑体");
    EXPECT_EQ(value.NameAscii(), "黑体");
}

TEST_F(CoverCheck, BottomLineAndTheBlankLinesAboveItAreNotDetails) {
    Cover c;
    c.dateStyle = {.asianFont = "楷体", .size = 9.0f, .underline = true};
    DocLayout d = c.build();
    const word::Document doc = d.open();
    EXPECT_EQ(check(doc).lines(), Lines{});
}

TEST_F(CoverCheck, AutoFixCorrectsEveryItemInPlace) {
    Cover c;
    c.titleStyle = {.asianFont = "宋体", .size = 20.0f, .bold = false};
    c.foreignTitleStyle = {.asianFont = "宋体", .latinFont = "Arial", .size = 16.0f, .bold = false};
    c.details[0].valueStyle = {.asianFont = "宋体", .latinFont = "宋体", .size = 12.0f, .bold = false, .underline = true};
    DocLayout d = c.build();
    const word::Document doc = d.open();
    EXPECT_EQ(fix(doc).lines(), Lines{});
    const word::Font title = doc.Paragraphs().Item(c.titleIndex).Range().Font();
    EXPECT_EQ(title.Size(), 22.0f);
    EXPECT_EQ(title.Bold(), -1);
    EXPECT_EQ(title.NameFarEast(), "黑体");
    EXPECT_EQ(title.Color(), 0);
    const word::Font foreign = doc.Paragraphs().Item(c.foreignIndex).Range().Font();
    EXPECT_EQ(foreign.NameAscii(), "黑体");
    EXPECT_EQ(foreign.Bold(), -1);
    EXPECT_EQ(check(doc).lines(), Lines{});
    // The label before the value is left as it was.
    EXPECT_EQ(doc.Range(d.start(c.firstDetailIndex), c.valueStart(d, 0)).Font().Color(), kUnmarked);
}

// ------------------------------------------------------- short covers

TEST_F(CoverCheck, DocumentEndingOnTheCoverPage) {
    Cover c;
    c.abstractPage = false;
    c.details[2].valueStyle.size = 12.0f;
    DocLayout d = c.build();
    const word::Document doc = d.open();
    EXPECT_EQ(check(doc).lines(), Lines{finding(kMedium, 1, c.firstDetailIndex + 2, c.valueStart(d, 2),
                                                "作者信息" + kDetailsSize + "。")});
}

TEST_F(CoverCheck, PageWithOnlyTheDegreeLine) {
    DocLayout d;
    d.paragraph("本科毕业设计（论文）", kDegree, kCentred);
    const word::Document doc = d.open();
    EXPECT_EQ(check(doc).lines(), Lines{});
    EXPECT_EQ(fix(doc).lines(), Lines{});

    DocLayout e;
    e.paragraph("本科毕业设计（论文）", kDegree, kCentred);
    e.paragraph("论文格式自动检查系统", {.size = 10.0f}, kCentred);
    const word::Document titleOnly = e.open("title-only.doc");
    EXPECT_EQ(check(titleOnly).lines().size(), 1u);
}

}  // namespace
}  // namespace quillmark
