// The body-text checker: theses with a table of contents on page 1 and the
// body from page 2, with the findings each must give, in check mode and in
// auto-fix mode.
#include "checks/BodyChecker.h"

#include "CheckHarness.h"
#include "shell/RunFlags.h"
#include "support/DocBuilder.h"
#include "support/Engine.h"

#include <gtest/gtest.h>

#include <atomic>

namespace quillmark {
namespace {

using testing::CheckRunResult;
using testing::DocBuilder;
using testing::ParaStyle;
using testing::Run;
using testing::TextStyle;
using testing::finding;
using testing::kMedium;
using testing::kMinor;
using testing::kSevere;
using testing::kUnmarked;


const TextStyle kH1{.asianFont = "黑体", .size = 16.0f, .bold = true};
const TextStyle kH2{.asianFont = "黑体", .size = 12.0f, .bold = true};
const TextStyle kH3{.asianFont = "黑体", .size = 12.0f};
const TextStyle kText{};
const TextStyle kCitation{.superscript = true};
const TextStyle kTableCaption{.asianFont = "黑体", .size = 10.5f, .bold = true};
const TextStyle kFigureCaption{.size = 10.5f};
const TextStyle kNote{.size = 9.0f};
const ParaStyle kLevel1{.alignment = 1, .outlineLevel = 1};
const ParaStyle kLevel2{.alignment = 0, .outlineLevel = 2};
const ParaStyle kLevel3{.alignment = 0, .outlineLevel = 3};
const ParaStyle kCentred{.alignment = 1};
const ParaStyle kLeft{.alignment = 0};

const std::string kTocMissing = "找不到目录，或者引入目录错误，请重新调整目录规范，否则正文将无法检测";
const std::string kNotAtTop = "一级标题没有置顶！请自行更正！";
const std::string kCitationOrder = "上标序号有误，请自行检查或修改您的论文中正文部分相对应的上标序号。";
const std::string kTextSize = "正文字号有误！请自行查找默认模板或您所设置的模板正文相对应的字号。";

using Lines = std::vector<std::string>;

// A thesis whose page 1 holds its table(s) of contents; the body starts on
// page 2 with a level-1 heading.
struct Thesis {
    DocBuilder b;

    explicit Thesis(int tablesOfContents = 1) {
        b.paragraph("目录页", kText, kCentred);
        for (int i = 0; i < tablesOfContents; ++i) b.tableOfContents();
    }
    Thesis& chapter(const std::string& title, const TextStyle& style = kH1, ParaStyle para = kLevel1) {
        b.pageBreak().paragraph(title, style, para);
        return *this;
    }
    Thesis& text(const std::string& text, const TextStyle& style = kText, const ParaStyle& para = {}) {
        b.paragraph(text, style, para);
        return *this;
    }
    Thesis& runs(const std::vector<Run>& runs, const ParaStyle& para = {}) {
        b.paragraph(runs, para);
        return *this;
    }
    word::Document open() {
        return testing::openCopy(b.save(testing::scratchDir() + "/body.doc"));
    }
};

// Start of the last paragraph that begins with `prefix` (headings also
// stand in the table of contents, before the body), plus `offset`.
long at(const word::Document& doc, const std::string& prefix, long offset = 0) {
    const word::Paragraphs paragraphs = doc.Paragraphs();
    for (long i = paragraphs.Count(); i >= 1; --i) {
        const word::Range range = paragraphs.Item(i).Range();
        if (range.Text().starts_with(prefix)) return range.Start() + offset;
    }
    throw std::logic_error("no paragraph begins with " + prefix);
}

word::Range paragraphAt(const word::Document& doc, const std::string& prefix) {
    const long start = at(doc, prefix);
    return doc.Range(start, start).Paragraphs().First().Range();
}

CheckRunResult run(const word::Document& doc, CheckMode mode, const FormatTemplate& tpl = FormatTemplate{}) {
    return testing::runCheck(CheckKind::Body, doc, tpl, mode);
}
CheckRunResult check(const word::Document& doc, const FormatTemplate& tpl = FormatTemplate{}) {
    return run(doc, CheckMode::Check, tpl);
}
CheckRunResult fix(const word::Document& doc, const FormatTemplate& tpl = FormatTemplate{}) {
    return run(doc, CheckMode::AutoFix, tpl);
}

class BodyCheck : public testing::DocumentTest {};

// ------------------------------------------------------ run and body

TEST_F(BodyCheck, RegisteredAndNamed) {
    auto checker = makeChecker(CheckKind::Body);
    ASSERT_NE(checker, nullptr);
    EXPECT_STREQ(checker->progressName(), "正文检测");
    EXPECT_FALSE(checker->frameSteps().collapseSelection);
    EXPECT_FALSE(checker->frameSteps().postCheckState);
}

TEST_F(BodyCheck, WellFormedThesisHasNoFindings) {
    Thesis t;
    t.chapter("1 绪论").text("1.1 研究背景", kH2, kLevel2).text("1.1.1 问题的提出", kH3, kLevel3);
    t.runs({{"论文格式检查需要准确定位每一处问题", kText}, {"[1]", kCitation}, {"。", kText}});
    t.text("表1.1 检查项目", kTableCaption, kCentred);
    t.b.table({{"检查项", "说明"}, {"字体", "中文字体"}}, {.size = 10.5f});
    t.text("图1.1 系统结构", kFigureCaption, kCentred);
    t.text("注：数据来自调查。", kNote, kLeft);
    t.text("Fig. 1 System structure", kFigureCaption, kCentred);
    const word::Document doc = t.open();

    const CheckRunResult r = check(doc);
    EXPECT_EQ(r.lines(), Lines{});
    ASSERT_FALSE(r.progress.empty());
    EXPECT_EQ(r.progress.front().text, "正文检测");
    EXPECT_EQ(r.progress.front().totalPages, 2);
    EXPECT_EQ(r.progress.front().page, 2);
    EXPECT_EQ(doc.Range(at(doc, "1 绪论"), doc.Content().End()).Font().Color(), kUnmarked);
    EXPECT_EQ(fix(doc).lines(), Lines{});
}

TEST_F(BodyCheck, WithoutTableOfContentsNothingIsChecked) {
    Thesis t(0);
    t.chapter("1 绪论", {.size = 9.0f});
    const word::Document doc = t.open();
    const Lines expected{finding(kSevere, 1, 1, 1, kTocMissing)};
    EXPECT_EQ(check(doc).lines(), expected);
    EXPECT_EQ(fix(doc).lines(), expected);
}

TEST_F(BodyCheck, MasterThesisNeedsASecondTableOfContents) {
    FormatTemplate master;
    master.thesisType = kMasterThesis;
    Thesis one;
    one.chapter("1 绪论", {.size = 9.0f});
    const word::Document doc = one.open();
    EXPECT_EQ(check(doc, master).lines(), Lines{finding(kSevere, 1, 1, 1, kTocMissing)});

    Thesis two(2);
    two.chapter("1 绪论").text("正文段落的字号不对。", {.size = 10.0f});
    const word::Document doc2 = two.open();
    EXPECT_EQ(check(doc2, master).lines(), Lines{finding(kMedium, 2, 2, at(doc2, "正文段落"), kTextSize)});
}

TEST_F(BodyCheck, TheBodyStartsOnThePageAfterTheTableOfContents) {
    Thesis t;
    t.text("目录页上字号不对的段落。", {.size = 10.0f});  // still on page 1
    t.chapter("1 绪论").text("正文中字号不对的段落。", {.size = 10.0f});
    const word::Document doc = t.open();
    EXPECT_EQ(check(doc).lines(), Lines{finding(kMedium, 2, 2, at(doc, "正文中"), kTextSize)});
}

TEST_F(BodyCheck, ParagraphsOfThreeBytesAreSkipped) {
    Thesis t;
    t.chapter("1 绪论").text("一", {.size = 10.0f}).text("一1", {.size = 10.0f});
    const word::Document doc = t.open();
    EXPECT_EQ(check(doc).lines(), Lines{finding(kMedium, 2, 3, at(doc, "一1"), kTextSize)});
}

TEST_F(BodyCheck, OutlineLevelsFourToNineAreNotChecked) {
    Thesis t;
    t.chapter("1 绪论");
    t.text("1.1.1.1 第四级标题", {.size = 9.0f}, {.alignment = 0, .outlineLevel = 4});
    t.text("正文段落字号不对。", {.size = 9.0f});
    const word::Document doc = t.open();
    EXPECT_EQ(check(doc).lines(), Lines{finding(kMedium, 2, 3, at(doc, "正文段落"), kTextSize)});
}

TEST_F(BodyCheck, StoppingEndsTheWalkBeforeTheNextParagraph) {
    Thesis t;
    t.chapter("1 绪论", {.asianFont = "宋体", .size = 16.0f, .bold = true});
    t.text("正文段落字号不对。", {.size = 9.0f});
    const word::Document doc = t.open();

    // The flag drops with the first progress report, which follows the
    // heading's check.
    std::atomic<bool> allowed{true};
    struct StoppingReporter : testing::CollectingReporter {
        std::atomic<bool>* allowed = nullptr;
        void postProgress(const ProgressReport& report) override {
            CollectingReporter::postProgress(report);
            allowed->store(false);
        }
    } reporter;
    reporter.allowed = &allowed;
    ThreadRunFlag flag(allowed);
    const FormatTemplate tpl;
    CheckContext context;
    context.wordDocument = doc;
    context.wordApplication = &testing::sharedApplication();
    context.formatTemplate = &tpl;
    context.fileName = testing::kTestFileName;
    context.reporter = &reporter;
    auto checker = makeChecker(CheckKind::Body);
    runChecker(*checker, context, CheckMode::Check);
    ASSERT_EQ(reporter.findings.size(), 1u);
    EXPECT_EQ(reporter.findings[0].description,
              "一级标题字体名有误！请自行查找默认模板或您所设置的模板一级标题相对应的字体名。");
    EXPECT_EQ(reporter.progress.size(), 1u);
}

// ----------------------------------------------------------- headings

TEST_F(BodyCheck, HeadingFormatPerLevel) {
    Thesis t;
    t.chapter("1 绪论", {.asianFont = "宋体", .size = 15.0f, .bold = true}, {.alignment = 0, .outlineLevel = 1});
    t.text("1.1 研究背景", {.asianFont = "宋体", .size = 14.0f, .bold = true}, kLevel2);
    t.text("1.2 研究内容", kH2, {.alignment = 2, .outlineLevel = 2});  // alignment is not tested below level 1
    t.text("1.2.1 问题", {.asianFont = "黑体", .size = 12.0f, .bold = true}, kLevel3);
    const word::Document doc = t.open();
    EXPECT_EQ(check(doc).lines(),
              (Lines{finding(kMedium, 2, 1, at(doc, "1 绪论"),
                             "一级标题字体名字号对齐方式有误！请自行查找默认模板或您所设置的模板一级标题相对应的"
                             "字体名字号对齐方式。"),
                     finding(kMedium, 2, 2, at(doc, "1.1 研究背景"),
                             "二级标题字体名字号有误！请自行查找默认模板或您所设置的模板二级标题相对应的字体名字号。"),
                     finding(kMedium, 2, 4, at(doc, "1.2.1 问题"),
                             "三级标题加粗情况有误！请自行查找默认模板或您所设置的模板三级标题相对应的加粗情况。")}));
    EXPECT_EQ(paragraphAt(doc, "1 绪论").Font().Color(), 192);
    EXPECT_EQ(paragraphAt(doc, "1.2 研究内容").Font().Color(), kUnmarked);
}

TEST_F(BodyCheck, HeadingAutoFixCorrectsEveryDeviation) {
    Thesis t;
    t.chapter("1 绪论", {.asianFont = "宋体", .size = 15.0f}, {.alignment = 0, .outlineLevel = 1});
    t.text("1.1.1 问题", {.asianFont = "黑体", .size = 12.0f, .bold = true}, kLevel3);
    const word::Document doc = t.open();
    EXPECT_EQ(fix(doc).lines(), Lines{});
    const word::Range h1 = paragraphAt(doc, "1 绪论");
    EXPECT_EQ(h1.Font().Bold(), -1);
    EXPECT_EQ(h1.Font().NameFarEast(), "黑体");
    EXPECT_EQ(h1.Font().Size(), 16.0f);
    EXPECT_EQ(h1.Paragraphs().Alignment(), 1);
    EXPECT_EQ(h1.Font().Color(), 0);
    EXPECT_EQ(paragraphAt(doc, "1.1.1 问题").Font().Bold(), 0);
    EXPECT_EQ(check(doc).lines(), Lines{});
}

TEST_F(BodyCheck, PartlyBoldHeadingCountsAsNotBold) {
    Thesis t;
    t.chapter("1 绪论");
    t.runs({{"1.1 研究", kH2}, {"背景", kH3}}, kLevel2);
    const word::Document doc = t.open();
    const std::string notBold =
        "二级标题加粗情况有误！请自行查找默认模板或您所设置的模板二级标题相对应的加粗情况。";
    EXPECT_EQ(check(doc).lines(), Lines{finding(kMedium, 2, 2, at(doc, "1.1 研究"), notBold)});
    FormatTemplate plain;
    plain.heading2Bold = 0;
    EXPECT_EQ(check(doc, plain).lines(), Lines{});
}

TEST_F(BodyCheck, LevelOneHeadingAfterTextOnItsPage) {
    Thesis t;
    t.chapter("1 绪论").text("第一章的正文。");
    t.text("2 系统设计", kH1, kLevel1);  // on the same page
    const word::Document doc = t.open();
    const Lines expected{finding(kMedium, 2, 3, at(doc, "2 系统设计"), kNotAtTop)};
    EXPECT_EQ(check(doc).lines(), expected);
    EXPECT_EQ(paragraphAt(doc, "2 系统设计").Font().Color(), 192);
    paragraphAt(doc, "2 系统设计").Font().SetColor(0);
    EXPECT_EQ(fix(doc).lines(), expected);
    EXPECT_EQ(paragraphAt(doc, "2 系统设计").Font().Color(), 192);
    EXPECT_EQ(paragraphAt(doc, "2 系统设计").Font().Size(), 16.0f);
}

TEST_F(BodyCheck, LevelOneHeadingThatTextPushesToTheTopOfAPage) {
    auto build = [](int lines) {
        Thesis t;
        t.chapter("1 绪论");
        std::vector<std::string> texts;
        for (int i = 1; i <= lines; ++i) texts.push_back("正文第" + std::to_string(i) + "行。");
        t.b.paragraphs(texts);
        t.text("2 系统设计", kH1, kLevel1);
        return t.open();
    };
    // How many lines of text fit on page 2 below the first heading.
    const word::Document probe = build(80);
    const word::Paragraphs paragraphs = probe.Paragraphs();
    int onPage2 = 0;
    for (long i = 1; i <= paragraphs.Count(); ++i) {
        const word::Range range = paragraphs.Item(i).Range();
        if (range.Text().starts_with("正文第") && range.Information(word::wdActiveEndPageNumber) == 2) ++onPage2;
    }
    ASSERT_GT(onPage2, 10);

    const word::Document doc = build(onPage2);
    const word::Range heading = paragraphAt(doc, "2 系统设计");
    ASSERT_EQ(heading.Information(word::wdActiveEndPageNumber), 3);
    ASSERT_EQ(heading.Paragraphs().First().Format().PageBreakBefore(), 0);
    EXPECT_EQ(check(doc).lines(), Lines{});
}

// ----------------------------------------------------------- citations

TEST_F(BodyCheck, CitationsMayRepeatButNotJumpAhead) {
    Thesis t;
    t.chapter("1 绪论");
    t.runs({{"甲", kText}, {"[1]", kCitation}, {"乙", kText}, {"[2]", kCitation}});
    t.runs({{"丙", kText}, {"[1]", kCitation}, {"丁", kText}, {"[3]", kCitation}});
    t.runs({{"戊", kText}, {"[5]", kCitation}, {"己", kText}, {"[9]", kCitation}});
    const word::Document doc = t.open();
    const Lines expected{finding(kMedium, 2, 4, at(doc, "戊", 1), kCitationOrder)};
    EXPECT_EQ(check(doc).lines(), expected);
    EXPECT_EQ(doc.Range(at(doc, "戊", 1), at(doc, "戊", 4)).Font().Color(), 192);
    EXPECT_EQ(doc.Range(at(doc, "戊", 5), at(doc, "戊", 8)).Font().Color(), kUnmarked);
    EXPECT_EQ(fix(doc).lines(), expected);
}

TEST_F(BodyCheck, FirstCitationTwoAndSpans) {
    Thesis t;
    t.chapter("1 绪论");
    t.runs({{"甲", kText}, {"[2]", kCitation}, {"乙", kText}, {"[1-3]", kCitation}});
    const word::Document doc = t.open();
    EXPECT_EQ(check(doc).lines(), Lines{finding(kMedium, 2, 2, at(doc, "甲", 1), kCitationOrder)});

    Thesis spans;
    spans.chapter("1 绪论");
    spans.runs({{"甲", kText}, {"[1]", kCitation}, {"乙", kText}, {"[2–5]", kCitation}, {"丙", kText}, {"[6]", kCitation}});
    EXPECT_EQ(check(spans.open()).lines(), Lines{});
}

TEST_F(BodyCheck, UnitsAndSubscriptsAreNoCitations) {
    Thesis t;
    t.chapter("1 绪论");
    t.runs({{"面积为5m", kText}, {"2", {.size = 10.0f, .superscript = true}}, {"，水的分子式为H", kText},
            {"2", {.size = 8.0f, .subscript = true}}, {"O。", kText}});
    const word::Document doc = t.open();
    EXPECT_EQ(check(doc).lines(),
              Lines{finding(kMedium, 2, 2, at(doc, "面积", 5),
                            "上标字号有误！请自行查找默认模板或您所设置的模板正文上标相对应的字号。")});
    EXPECT_EQ(fix(doc).lines(), Lines{});
    EXPECT_EQ(doc.Range(at(doc, "面积", 5), at(doc, "面积", 6)).Font().Size(), 12.0f);
    EXPECT_EQ(doc.Range(at(doc, "面积", 14), at(doc, "面积", 15)).Font().Size(), 8.0f);
}

TEST_F(BodyCheck, EachWrongRunIsReportedOnce) {
    const TextStyle small{.size = 10.0f};
    Thesis t;
    t.chapter("1 绪论");
    t.runs({{"引用前的正文", small}, {"[1]", kCitation}, {"引用后的正文", small}});
    const word::Document doc = t.open();
    EXPECT_EQ(check(doc).lines(), (Lines{finding(kMedium, 2, 2, at(doc, "引用前"), kTextSize),
                                         finding(kMedium, 2, 2, at(doc, "引用前", 9), kTextSize)}));
    // Progress: the heading, each of the three runs twice, the paragraph.
    EXPECT_EQ(check(doc).progress.size(), 8u);
    EXPECT_EQ(fix(doc).lines(), Lines{});
    EXPECT_EQ(paragraphAt(doc, "引用前").Font().Size(), 12.0f);
}

TEST_F(BodyCheck, CitationInALevelOneHeading) {
    Thesis t;
    t.chapter("1 绪论");
    t.b.pageBreak().paragraph({{"2 系统设计", kH1}, {"[1]", kCitation}}, kLevel1);
    t.text("表2.1 第二章的表", kTableCaption, kCentred);
    const word::Document doc = t.open();
    EXPECT_EQ(doc.Range(at(doc, "2 系统"), at(doc, "2 系统")).Paragraphs().First().Format().PageBreakBefore(), -1);
    EXPECT_EQ(doc.Range(at(doc, "表2.1"), at(doc, "表2.1")).Paragraphs().First().Format().PageBreakBefore(), 0);
    // The runs of any paragraph with superscript text are compared with the
    // body text, and its last run as the heading; the chapter number and the
    // page top are the whole heading's.
    EXPECT_EQ(check(doc).lines(),
              (Lines{finding(kMedium, 3, 1, at(doc, "2 系统"),
                             "正文字号字体名有误！请自行查找默认模板或您所设置的模板正文相对应的字号字体名。"),
                     finding(kMedium, 3, 1, at(doc, "2 系统", 6),
                             "一级标题加粗情况字体名字号有误！请自行查找默认模板或您所设置的模板一级标题相对应的"
                             "加粗情况字体名字号。")}));
}

// ------------------------------------------------ body text, notes, tables

TEST_F(BodyCheck, BodyTextComparesItsChineseFontAndSize) {
    Thesis t;
    t.chapter("1 绪论");
    t.text("中文字体不对的段落。", {.asianFont = "楷体"});
    t.runs({{"中文正确而", kText}, {"Latin", {.latinFont = "Arial"}}, {"字体不对。", kText}});
    t.text("注，这一段是正文。", {.size = 9.0f});
    const word::Document doc = t.open();
    EXPECT_EQ(check(doc).lines(),
              (Lines{finding(kMedium, 2, 2, at(doc, "中文字体"),
                             "正文字体名有误！请自行查找默认模板或您所设置的模板正文相对应的字体名。"),
                     finding(kMedium, 2, 4, at(doc, "注，"), kTextSize)}));
}

TEST_F(BodyCheck, AutoFixBringsRedBodyTextBackToBlack) {
    Thesis t;
    t.chapter("1 绪论").text("格式正确但被标红的段落。").text("字号不对的段落。", {.size = 10.0f});
    const word::Document doc = t.open();
    paragraphAt(doc, "格式正确").Font().SetColor(192);
    EXPECT_EQ(fix(doc).lines(), Lines{});
    EXPECT_EQ(paragraphAt(doc, "格式正确").Font().Color(), 0);
    EXPECT_EQ(paragraphAt(doc, "字号不对").Font().Color(), 0);
    EXPECT_EQ(paragraphAt(doc, "字号不对").Font().Size(), 12.0f);
}

TEST_F(BodyCheck, NotesLeftAlignedAndCentred) {
    Thesis t;
    t.chapter("1 绪论");
    t.text("注：本表数据来自调查。", kText, kLeft);
    t.text("注:本图数据来自实验。", kText, kCentred);
    const word::Document doc = t.open();
    EXPECT_EQ(check(doc).lines(),
              (Lines{finding(kMedium, 2, 2, at(doc, "注："),
                             "表注或图注字号有误！请自行查找默认模板或您所设置的模板表注或图注相对应的字号。"
                             "\r\n\t(如果是图名，请确保是居中且图后回车)"),
                     finding(kMinor, 2, 3, at(doc, "注:"),
                             "表名或图名字号有误！请自行查找默认模板或您所设置的模板表名或图名相对应的字号。"
                             "\r\n\t(如果此错误不是图名，请不要居中；如果真是图名，请确保是居中，以“图”字开头且图后回车)")}));
}

TEST_F(BodyCheck, TableTextEvenWhenCentred) {
    Thesis t;
    t.chapter("1 绪论");
    t.b.table({{"检查项", "说明"}, {"字体", "中文字体"}}, kText);
    t.text("表后的正文。");
    const word::Document doc = t.open();
    doc.Range(at(doc, "检查项"), at(doc, "检查项")).Paragraphs().SetAlignment(1);
    const std::string tableSize =
        "表格正文字号有误！请自行查找默认模板或您所设置的模板表格正文相对应的字号。";
    const Lines found = check(doc).lines();
    ASSERT_EQ(found.size(), 4u);
    EXPECT_EQ(found[0], finding(kMedium, 2, 2, at(doc, "检查项"), tableSize));
    for (const std::string& line : found) EXPECT_TRUE(line.ends_with(tableSize)) << line;
}

// ----------------------------------------------------------- captions

TEST_F(BodyCheck, CaptionNumbersCountWithinTheChapter) {
    Thesis t;
    t.chapter("1 绪论").text("表1.1 第一章的表", kTableCaption, kCentred);
    t.chapter("2 系统设计");
    for (const char* caption : {"表2.1 甲", "表 2.2 乙", "表2.4 丙"}) t.text(caption, kTableCaption, kCentred);
    t.text("图2.1 结构", kFigureCaption, kCentred);
    const word::Document doc = t.open();
    const Lines expected{finding(kMedium, 3, 4, at(doc, "表2.4"), "表序号有误，请自行更正！")};
    EXPECT_EQ(check(doc).lines(), expected);
    EXPECT_EQ(paragraphAt(doc, "表2.4").Font().Color(), 192);
    EXPECT_EQ(fix(doc).lines(), expected);
}

TEST_F(BodyCheck, CaptionNumberForms) {
    Thesis t;
    t.chapter("1 绪论");
    for (int i = 1; i <= 9; ++i) t.text("图1." + std::to_string(i) + " 图", kFigureCaption, kCentred);
    t.text("图1.10 第十张图", kFigureCaption, kCentred);
    t.text("表10.1 两位章号", kTableCaption, kCentred);
    const word::Document doc = t.open();
    EXPECT_EQ(check(doc).lines(), Lines{finding(kMedium, 2, 12, at(doc, "表10.1"), "无表序号！")});
}

TEST_F(BodyCheck, SeparatorFromTheTemplate) {
    Thesis t;
    t.chapter("2 系统设计").text("表2.1 点号", kTableCaption, kCentred).text("表2-1 连字符", kTableCaption, kCentred);
    const word::Document doc = t.open();
    FormatTemplate dash;
    dash.numberSeparator = "-";
    EXPECT_EQ(check(doc, dash).lines(), Lines{finding(kMedium, 2, 2, at(doc, "表2.1"), "无表序号！")});
}

TEST_F(BodyCheck, ChapterNumberFromListOrText) {
    Thesis t;
    t.chapter("第一章 绪论").text("图3.7 不检查序号", kFigureCaption, kCentred).text("表 没有序号", kTableCaption, kCentred);
    const word::Document doc = t.open();
    // Chapter 0: numbers are not tested; a missing number still is.
    EXPECT_EQ(check(doc).lines(), Lines{finding(kMedium, 2, 3, at(doc, "表 没有"), "无表序号！")});

    Thesis listed;
    listed.chapter("绪论", kH1, {.alignment = 1, .outlineLevel = 1, .numbered = true});
    listed.chapter("设计", kH1, {.alignment = 1, .outlineLevel = 1, .numbered = true});
    listed.chapter("1 实现", kH1, {.alignment = 1, .outlineLevel = 1, .numbered = true});
    listed.text("表3.1 第三章的表", kTableCaption, kCentred).text("表1.1 不是第三章的表", kTableCaption, kCentred);
    const word::Document doc2 = listed.open();
    EXPECT_EQ(check(doc2).lines(), Lines{finding(kMedium, 4, 3, at(doc2, "表1.1"), "表序号有误，请自行更正！")});
}

TEST_F(BodyCheck, CaptionKindsAndTheirFormats) {
    Thesis t;
    t.chapter("1 绪论");
    t.text("Fig. 1 Right Latin font", {.asianFont = "黑体", .size = 14.0f, .bold = true}, kCentred);
    t.text("Tab. 1 Wrong Latin font", {.latinFont = "Arial", .size = 10.5f}, kCentred);
    t.text(" Figure 2 Not a known caption", {.size = 10.5f}, kCentred);
    t.text("图1.1 字号不对", {.size = 12.0f}, kCentred);
    t.text("表1.1 不加粗", {.asianFont = "黑体", .size = 10.5f}, kCentred);
    const word::Document doc = t.open();
    EXPECT_EQ(check(doc).lines(),
              (Lines{finding(kMedium, 2, 3, at(doc, "Tab."),
                             "英文表名字体名有误！请自行查找默认模板或您所设置的模板英文表名相对应的字体名。"),
                     finding(kMinor, 2, 4, at(doc, " Figure", 1),  // at its first word
                             "表名或图名字号有误！请自行查找默认模板或您所设置的模板表名或图名相对应的字号。"
                             "\r\n\t(如果此错误不是图名，请不要居中；如果真是图名，请确保是居中，以“图”字开头且图后回车)"),
                     finding(kMedium, 2, 5, at(doc, "图1.1"),
                             "图名字号有误！请自行查找默认模板或您所设置的模板图名相对应的字号。"),
                     finding(kMedium, 2, 6, at(doc, "表1.1"),
                             "表名加粗情况有误！请自行查找默认模板或您所设置的模板表名相对应的加粗情况。")}));
    EXPECT_EQ(fix(doc).lines(), Lines{});
    EXPECT_EQ(paragraphAt(doc, "表1.1").Font().Bold(), -1);
    EXPECT_EQ(paragraphAt(doc, "图1.1").Font().Size(), 10.5f);
    EXPECT_EQ(paragraphAt(doc, "Tab.").Font().NameAscii(), "Times New Roman");
}

}  // namespace
}  // namespace quillmark
