// The Chinese-abstract checker: each input document with the findings it
// must produce, in check mode and in auto-fix mode.
#include "checks/CnAbstractChecker.h"

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

const TextStyle kTitle{.asianFont = "黑体", .size = 16.0f, .bold = true};
const ParaStyle kCentred{.alignment = 1};
const TextStyle kText{};
const TextStyle kLabel{.asianFont = "黑体", .size = 14.0f, .bold = true};
const TextStyle kKeywords{};

// Text never marked keeps its automatic colour (Word's wdColorAutomatic).


// A thesis page 1 (a statement), then the abstract page: title, blank
// lines, abstract text, blank lines, keywords line.
struct Abstract {
    std::string title = "摘要";
    TextStyle titleStyle = kTitle;
    ParaStyle titlePara = kCentred;
    int blanksAfterTitle = 1;
    std::vector<std::vector<Run>> text = {{{"本文研究了学位论文格式检查的方法。", kText}}};
    ParaStyle textPara{};
    int blanksBeforeKeywords = 1;
    std::vector<Run> keywordsLine = {{"关键词：", kLabel}, {"格式检查，学位论文，自动修改", kKeywords}};

    // Paragraph numbers, filled by build().
    int titleIndex = 0;
    int firstTextIndex = 0;
    int keywordsIndex = 0;

    DocLayout build() {
        DocLayout d;
        d.paragraph("学位论文原创性声明的一段内容");
        d.pageBreak();
        d.paragraph(title, titleStyle, titlePara);
        titleIndex = d.count();
        if (blanksAfterTitle > 0) d.blank(blanksAfterTitle);
        firstTextIndex = d.count() + 1;
        for (const auto& runs : text) d.paragraph(runs, textPara);
        if (blanksBeforeKeywords > 0) d.blank(blanksBeforeKeywords);
        d.paragraph(keywordsLine);
        keywordsIndex = d.count();
        return d;
    }
};

// Lines on the abstract page: one line per paragraph, the title on line 1.
int lineOf(const Abstract& a, int index) {
    return index - a.titleIndex + 1;
}

CheckRunResult check(const word::Document& doc, const FormatTemplate& tpl = FormatTemplate{}) {
    return testing::runCheck(CheckKind::CnAbstract, doc, tpl, CheckMode::Check);
}

CheckRunResult fix(const word::Document& doc, const FormatTemplate& tpl = FormatTemplate{}) {
    return testing::runCheck(CheckKind::CnAbstract, doc, tpl, CheckMode::AutoFix);
}

using Lines = std::vector<std::string>;

class CnAbstractCheck : public testing::DocumentTest {};

// ------------------------------------------------------------ the frame

TEST_F(CnAbstractCheck, RegisteredAndNamed) {
    auto checker = makeChecker(CheckKind::CnAbstract);
    ASSERT_NE(checker, nullptr);
    EXPECT_EQ(checker->kind(), CheckKind::CnAbstract);
    EXPECT_STREQ(checker->progressName(), "中文摘要检测");
    EXPECT_TRUE(checker->frameSteps().collapseSelection);
    EXPECT_TRUE(checker->frameSteps().postCheckState);
}

TEST_F(CnAbstractCheck, CleanAbstractHasNoFindings) {
    Abstract a;
    DocLayout d = a.build();
    const word::Document doc = d.open();
    // Wherever the Selection stood, the search starts at the document start.
    doc.Activate();
    testing::sharedApplication().Selection().SetRange(d.end(d.count()) - 1, d.end(d.count()) - 1);

    const CheckRunResult r = check(doc);
    EXPECT_EQ(r.lines(), Lines{});
    EXPECT_EQ(r.checkStates, 1);
    ASSERT_FALSE(r.progress.empty());
    EXPECT_EQ(r.progress.front().text, "中文摘要检测");
    EXPECT_EQ(r.progress.front().totalPages, 2);
    EXPECT_EQ(doc.Range(d.start(a.titleIndex), d.end(a.keywordsIndex)).Font().Color(), kUnmarked);

    EXPECT_EQ(fix(doc).lines(), Lines{});
}

// ------------------------------------------------------------ the title

TEST_F(CnAbstractCheck, TitleNotFoundIsSevereAndEndsTheRun) {
    Abstract a;
    a.title = "内容提要";
    a.blanksBeforeKeywords = 3;  // would be a finding if the run went on
    const word::Document doc = a.build().open();
    const Lines expected{finding(kSevere, 1, 1, 0,
                                 "找不到\"摘要\"标题请自行设置\"摘要（要摘）\"标题或检查模板设置是否有问题。")};
    EXPECT_EQ(check(doc).lines(), expected);
    EXPECT_EQ(fix(doc).lines(), expected);
}

TEST_F(CnAbstractCheck, TitleSizeAndAlignmentGiveOneFinding) {
    Abstract a;
    a.titleStyle.size = 15.0f;
    a.titlePara.alignment = 0;
    DocLayout d = a.build();
    const word::Document doc = d.open();
    EXPECT_EQ(check(doc).lines(),
              Lines{finding(kMedium, 2, 1, d.start(a.titleIndex),
                            "\"摘要\"标题字号有误，请自行查找默认模板或您所设置的模板中文摘要（要摘）标题相对应的字号,"
                            "未居中，应居中。")});
    const word::Range title = doc.Paragraphs().Item(a.titleIndex).Range();
    EXPECT_EQ(title.Font().Color(), 192);
    EXPECT_EQ(doc.Paragraphs().Item(a.titleIndex + 1).Range().Font().Color(), kUnmarked);
}

TEST_F(CnAbstractCheck, TitleWithAllFourDeviations) {
    Abstract a;
    a.titleStyle = {.asianFont = "宋体", .size = 12.0f, .bold = false};
    a.titlePara.alignment = 2;
    DocLayout d = a.build();
    const word::Document doc = d.open();
    EXPECT_EQ(check(doc).lines(),
              Lines{finding(kMedium, 2, 1, d.start(a.titleIndex),
                            "\"摘要\"标题字体未加粗，应加粗,"
                            "字号有误，请自行查找默认模板或您所设置的模板中文摘要（要摘）标题相对应的字号,"
                            "字体名有误，请自行查找默认模板或您所设置的模板中文摘要（要摘）标题相对应的字体名,"
                            "未居中，应居中。")});
}

TEST_F(CnAbstractCheck, TitleAutoFixCorrectsAndBlackens) {
    Abstract a;
    a.titleStyle = {.asianFont = "宋体", .size = 12.0f, .bold = false};
    a.titlePara.alignment = 2;
    DocLayout d = a.build();
    const word::Document doc = d.open();
    EXPECT_EQ(fix(doc).lines(), Lines{});
    const word::Range title = doc.Paragraphs().Item(a.titleIndex).Range();
    const word::Font f = title.Font();
    EXPECT_EQ(f.Bold(), -1);
    EXPECT_EQ(f.Size(), 16.0f);
    EXPECT_EQ(f.NameFarEast(), "黑体");
    EXPECT_EQ(f.Color(), 0);
    EXPECT_EQ(title.Paragraphs().Alignment(), 1);
    // Corrected: a second check finds nothing.
    EXPECT_EQ(check(doc).lines(), Lines{});
}

TEST_F(CnAbstractCheck, TitleNotBoldTemplate) {
    Abstract a;
    FormatTemplate tpl;
    tpl.cnAbstractHeadingBold = 0;
    DocLayout d = a.build();
    const word::Document doc = d.open();
    EXPECT_EQ(check(doc, tpl).lines(),
              Lines{finding(kMedium, 2, 1, d.start(a.titleIndex), "\"摘要\"标题字体不应加粗。")});
}

TEST_F(CnAbstractCheck, JustifiedTemplateAlignmentHasItsOwnWording) {
    Abstract a;
    FormatTemplate tpl;
    tpl.cnAbstractHeadingAlign = 3;
    DocLayout d = a.build();
    const word::Document doc = d.open();
    EXPECT_EQ(check(doc, tpl).lines(),
              Lines{finding(kMedium, 2, 1, d.start(a.titleIndex), "\"摘要\"标题未两端对齐，应两端对齐。")});
    tpl.cnAbstractHeadingAlign = 4;
    EXPECT_EQ(check(doc, tpl).lines(),
              Lines{finding(kMedium, 2, 1, d.start(a.titleIndex), "\"摘要\"标题未分散对齐，应分散对齐。")});
}

TEST_F(CnAbstractCheck, TitleWithASpaceIsFoundAndNamedPlainly) {
    Abstract a;
    a.title = "摘  要";
    a.titleStyle.size = 18.0f;
    DocLayout d = a.build();
    const word::Document doc = d.open("spaced.docx");
    EXPECT_EQ(check(doc).lines(),
              Lines{finding(kMedium, 2, 1, d.start(a.titleIndex),
                            "\"摘要\"标题字号有误，请自行查找默认模板或您所设置的模板中文摘要（要摘）标题相对应的字号。")});
}

TEST_F(CnAbstractCheck, ReversedTitleForm) {
    FormatTemplate tpl;
    tpl.cnAbstractHeadingForm = 1;
    {
        Abstract a;
        a.title = "要摘";
        EXPECT_EQ(check(a.build().open("reversed.doc"), tpl).lines(), Lines{});
    }
    {
        Abstract a;  // "摘要" is not the title this template asks for
        EXPECT_EQ(check(a.build().open("plain.doc"), tpl).lines(),
                  Lines{finding(kSevere, 1, 1, 0,
                                "找不到\"要摘\"标题请自行设置\"摘要（要摘）\"标题或检查模板设置是否有问题。")});
    }
}

// ------------------------------------------------------- the keywords label

TEST_F(CnAbstractCheck, LabelMissing) {
    Abstract a;
    a.keywordsLine = {{"主题词：", kLabel}, {"格式检查，学位论文，自动修改", kKeywords}};
    const word::Document doc = a.build().open();
    EXPECT_EQ(check(doc).lines(),
              Lines{finding(kSevere, 2, 1, 0,
                            "找不到\"关键词\"标题请自行添加\"关键词（关键字）\"标题或检查模板设置是否有问题。")});
}

TEST_F(CnAbstractCheck, LabelMissingWithEitherForm) {
    Abstract a;
    a.keywordsLine = {{"主题词：", kLabel}, {"格式检查，学位论文，自动修改", kKeywords}};
    FormatTemplate tpl;
    tpl.cnKeywordsLabelForm = 2;
    const word::Document doc = a.build().open();
    const Lines expected{finding(
        kSevere, 2, 1, 0,
        "找不到\"关键词\"或\"关键字\"标题请自行添加\"关键词（关键字）\"标题或检查模板设置是否有问题。")};
    EXPECT_EQ(check(doc, tpl).lines(), expected);
    EXPECT_EQ(fix(doc, tpl).lines(), expected);
}

TEST_F(CnAbstractCheck, LabelFormsNameTheWordFound) {
    FormatTemplate zi;
    zi.cnKeywordsLabelForm = 0;
    FormatTemplate either;
    either.cnKeywordsLabelForm = 2;

    Abstract withZi;
    withZi.keywordsLine = {{"关键字", kLabel}, {" 格式检查，学位论文，自动修改", kKeywords}};
    DocLayout dz = withZi.build();
    const word::Document docZi = dz.open("zi.doc");
    const long ziEnd = dz.start(withZi.keywordsIndex, 3);
    const int kwLine = lineOf(withZi, withZi.keywordsIndex);
    EXPECT_EQ(check(docZi, zi).lines(),
              Lines{finding(kMedium, 2, kwLine, ziEnd, "\"关键字\"标题与\"关键字\"正文之间应用冒号分隔开。")});
    EXPECT_EQ(check(docZi, either).lines(),
              Lines{finding(kMedium, 2, kwLine, ziEnd, "\"关键字\"标题与\"关键字\"正文之间应用冒号分隔开。")});

    Abstract withCi;
    withCi.keywordsLine = {{"关键词", kLabel}, {" 格式检查，学位论文，自动修改", kKeywords}};
    DocLayout dc = withCi.build();
    const word::Document docCi = dc.open("ci.doc");
    EXPECT_EQ(check(docCi, either).lines(),
              Lines{finding(kMedium, 2, kwLine, dc.start(withCi.keywordsIndex, 3),
                            "\"关键词\"标题与\"关键词\"正文之间应用冒号分隔开。")});
}

TEST_F(CnAbstractCheck, MissingColonStillChecksLabelAndWords) {
    Abstract a;
    a.keywordsLine = {{"关键词", {.asianFont = "黑体", .size = 12.0f, .bold = true}},
                      {" 格式检查，", kKeywords},
                      {"XML", {.latinFont = "Times New Roman", .bold = true}},
                      {"，自动修改", kKeywords}};
    DocLayout d = a.build();
    const word::Document doc = d.open();
    const int k = a.keywordsIndex;
    const int line = lineOf(a, k);
    EXPECT_EQ(check(doc).lines(),
              (Lines{finding(kMedium, 2, line, d.start(k, 3), "\"关键词\"标题与\"关键词\"正文之间应用冒号分隔开。"),
                     finding(kMedium, 2, line, d.start(k),
                             "\"关键词\"标题字号有误，请自行查找默认模板或您所设置的模板关键词（关键字）标题相对应的字号。"),
                     finding(kMedium, 2, line, d.start(k, 9), "\"关键词\"正文字体不应加粗。")}));
    // The label range ends at the end of the label word.
    EXPECT_EQ(doc.Range(d.start(k), d.start(k, 3)).Font().Color(), 192);
    EXPECT_EQ(doc.Range(d.start(k, 3), d.start(k, 4)).Font().Color(), kUnmarked);
    EXPECT_EQ(doc.Range(d.start(k, 9), d.start(k, 12)).Font().Color(), 192);
}

TEST_F(CnAbstractCheck, LabelFontComparedByName) {
    Abstract a;
    a.keywordsLine = {{"关键词：", {.asianFont = "宋体", .size = 14.0f, .bold = true}},
                      {"格式检查，学位论文，自动修改", kKeywords}};
    DocLayout d = a.build();
    const word::Document doc = d.open();
    const int k = a.keywordsIndex;
    EXPECT_EQ(check(doc).lines(),
              Lines{finding(kMedium, 2, lineOf(a, k), d.start(k),
                            "\"关键词\"标题字体名有误，请自行查找默认模板或您所设置的模板关键词（关键字）标题相对应的字体名。")});
    EXPECT_EQ(doc.Range(d.start(k), d.start(k, 4)).Font().Color(), 192);

    const word::Document again = d.open("fix.doc");
    EXPECT_EQ(fix(again).lines(), Lines{});
    const word::Font label = again.Range(d.start(k), d.start(k, 4)).Font();
    EXPECT_EQ(label.NameFarEast(), "黑体");
    EXPECT_EQ(label.Color(), 0);
}

// Word shows an ASCII colon in the Latin font whatever Asian font the label
// has: the label's font is read before it, and auto-fix, which writes the
// Asian font, leaves nothing to find again. A full-width colon is read.
TEST_F(CnAbstractCheck, LabelFontIsReadBeforeAnAsciiColonAndOverAFullWidthOne) {
    Abstract a;
    a.keywordsLine = {{"关键词", kLabel}, {":", kLabel}, {"格式检查，学位论文，自动修改", kKeywords}};
    DocLayout d = a.build();
    const int k = a.keywordsIndex;
    const word::Document doc = d.open();
    ASSERT_EQ(doc.Range(d.start(k), d.start(k, 4)).Font().Name(), "");
    EXPECT_EQ(check(doc).lines(), Lines{});

    Abstract wrong;
    wrong.keywordsLine = {{"关键词", kLabel}, {"：", {.asianFont = "宋体", .size = 14.0f, .bold = true}},
                          {"格式检查，学位论文，自动修改", kKeywords}};
    DocLayout e = wrong.build();
    EXPECT_EQ(check(e.open("wide.doc")).lines(),
              Lines{finding(kMedium, 2, lineOf(wrong, k), e.start(k),
                            "\"关键词\"标题字体名有误，请自行查找默认模板或您所设置的模板关键词（关键字）标题相对应的字体名。")});
}

// ----------------------------------------------------------- the keywords

TEST_F(CnAbstractCheck, EnglishKeywordInAWrongFont) {
    Abstract a;
    a.keywordsLine = {{"关键词：", kLabel},
                      {"格式检查，", kKeywords},
                      {"LaTeX", {.latinFont = "Arial"}},
                      {"，自动修改", kKeywords}};
    DocLayout d = a.build();
    const int k = a.keywordsIndex;
    const word::Document doc = d.open();
    EXPECT_EQ(check(doc).lines(),
              Lines{finding(kMedium, 2, lineOf(a, k), d.start(k, 9),
                            "\"关键词\"正文字体名有误，请自行查找默认模板或您所设置的模板关键词（关键字）正文相对应的字体名。")});
    EXPECT_EQ(doc.Range(d.start(k, 9), d.start(k, 14)).Font().Color(), 192);
    EXPECT_EQ(doc.Range(d.start(k, 4), d.start(k, 9)).Font().Color(), kUnmarked);

    const word::Document again = d.open("fix.doc");
    EXPECT_EQ(fix(again).lines(), Lines{});
    const word::Font w = again.Range(d.start(k, 9), d.start(k, 14)).Font();
    EXPECT_EQ(w.NameAscii(), "Times New Roman");
    EXPECT_EQ(w.NameFarEast(), "宋体");
    EXPECT_EQ(w.Color(), 0);
}

TEST_F(CnAbstractCheck, KeywordSizeAndLeadingSpacesSkipped) {
    Abstract a;
    a.keywordsLine = {{"关键词：", kLabel},
                      {"  \t", {.size = 9.0f}},
                      {"格式检查，", kKeywords},
                      {"XML", {.size = 10.5f}},
                      {"，自动修改", kKeywords}};
    DocLayout d = a.build();
    const int k = a.keywordsIndex;
    const word::Document doc = d.open();
    EXPECT_EQ(check(doc).lines(),
              Lines{finding(kMedium, 2, lineOf(a, k), d.start(k, 12),
                            "\"关键词\"正文字号有误，请自行查找默认模板或您所设置的模板关键词（关键字）正文相对应的字号。")});
    const word::Document again = d.open("fix.doc");
    EXPECT_EQ(fix(again).lines(), Lines{});
    EXPECT_EQ(again.Range(d.start(k, 12), d.start(k, 15)).Font().Size(), 12.0f);
    // The spaces before the keywords are not keywords.
    EXPECT_EQ(again.Range(d.start(k, 4), d.start(k, 7)).Font().Size(), 9.0f);
}

TEST_F(CnAbstractCheck, TwoToFourSeparatorsPass) {
    for (const char* line : {"格式检查，学位论文，自动修改", "格式,学位论文,自动修改,检查", "一一，二二，三三，四四，五五"}) {
        Abstract a;
        a.keywordsLine = {{"关键词：", kLabel}, {line, kKeywords}};
        EXPECT_EQ(check(a.build().open()).lines(), Lines{}) << line;
    }
}

TEST_F(CnAbstractCheck, OneOrFiveSeparatorsGiveTheCountFinding) {
    for (const char* line : {"格式检查，学位论文", "一一，二二，三三，四四，五五，六六"}) {
        Abstract a;
        a.keywordsLine = {{"关键词：", kLabel}, {line, kKeywords}};
        DocLayout d = a.build();
        const int k = a.keywordsIndex;
        const std::string text = line;
        // The Selection stands after the last separator.
        const long afterLast = d.start(k, 4) + testing::charCount(text.substr(0, text.rfind("，"))) + 1;
        for (CheckMode mode : {CheckMode::Check, CheckMode::AutoFix}) {
            const word::Document doc = d.open();
            const CheckRunResult r = testing::runCheck(CheckKind::CnAbstract, doc, FormatTemplate{}, mode);
            EXPECT_EQ(r.lines(), Lines{finding(kMedium, 2, lineOf(a, k), afterLast, "关键词一般为3～5个。")}) << line;
            // The whole keyword text is marked, in both modes.
            EXPECT_EQ(doc.Range(d.start(k, 4), d.end(k) - 1).Font().Color(), 192) << line;
            EXPECT_EQ(doc.Range(d.start(k), d.start(k, 4)).Font().Color(), kUnmarked) << line;
        }
    }
}

TEST_F(CnAbstractCheck, NoSeparatorGivesOnlyTheCommaFinding) {
    Abstract a;
    a.keywordsLine = {{"关键词：", kLabel}, {"格式检查、学位论文、自动修改", kKeywords}};
    DocLayout d = a.build();
    const int k = a.keywordsIndex;
    const word::Document doc = d.open();
    EXPECT_EQ(check(doc).lines(),
              Lines{finding(kMedium, 2, lineOf(a, k), d.start(k, 4), "每一关键词之间应用逗号分开。")});
    EXPECT_EQ(doc.Range(d.start(k, 4), d.end(k) - 1).Font().Color(), 192);
}

// ------------------------------------------------------ the abstract text

TEST_F(CnAbstractCheck, TwoBlankLinesBeforeKeywords) {
    Abstract a;
    a.blanksBeforeKeywords = 2;
    DocLayout d = a.build();
    const word::Document doc = d.open();
    const Lines expected{finding(kMedium, 2, lineOf(a, a.firstTextIndex), d.start(a.keywordsIndex),
                                 "\"摘要\"正文与\"关键词\"标题之间应该且只间隔一行。")};
    EXPECT_EQ(check(doc).lines(), expected);
    EXPECT_EQ(fix(doc).lines(), expected);
}

TEST_F(CnAbstractCheck, NoBlankLineBeforeKeywords) {
    Abstract a;
    a.blanksBeforeKeywords = 0;
    DocLayout d = a.build();
    EXPECT_EQ(check(d.open()).lines(),
              Lines{finding(kMedium, 2, lineOf(a, a.firstTextIndex), d.start(a.keywordsIndex),
                            "\"摘要\"正文与\"关键词\"标题之间应该且只间隔一行。")});
}

TEST_F(CnAbstractCheck, BlankLinesAfterTitleAreNotCounted) {
    Abstract a;
    a.blanksAfterTitle = 3;
    a.titleStyle.size = 16.0f;
    a.blanksBeforeKeywords = 1;
    EXPECT_EQ(check(a.build().open()).lines(), Lines{});
    Abstract none;
    none.blanksAfterTitle = 0;
    EXPECT_EQ(check(none.build().open()).lines(), Lines{});
}

TEST_F(CnAbstractCheck, ShortLinesAroundTheTextCountAsBlank) {
    Abstract a;
    a.text = {{{"短行", kText}}, {{"本文研究了学位论文格式检查的方法。", kText}}, {{"一二三四五六", kText}}};
    a.blanksBeforeKeywords = 0;
    DocLayout d = a.build();
    EXPECT_EQ(check(d.open()).lines(), Lines{});
}

TEST_F(CnAbstractCheck, RegionWithoutTextStillCountsBlankLines) {
    {
        Abstract a;
        a.text = {};
        a.blanksAfterTitle = 1;
        a.blanksBeforeKeywords = 0;
        a.textPara.lineSpacing = 12.0f;
        EXPECT_EQ(check(a.build().open("one.doc")).lines(), Lines{});
    }
    {
        Abstract a;
        a.text = {{{"短短的", kText}}};
        a.textPara.lineSpacing = 12.0f;  // no text: no line-spacing finding
        DocLayout d = a.build();
        // Blank, short line, blank: three short paragraphs before the keywords.
        EXPECT_EQ(check(d.open("three.doc")).lines(),
                  Lines{finding(kMedium, 2, lineOf(a, a.keywordsIndex), d.start(a.keywordsIndex),
                                "\"摘要\"正文与\"关键词\"标题之间应该且只间隔一行。")});
    }
    {
        Abstract a;
        a.text = {};
        a.blanksAfterTitle = 0;
        a.blanksBeforeKeywords = 0;
        DocLayout d = a.build();
        EXPECT_EQ(check(d.open("none.doc")).lines(),
                  Lines{finding(kMedium, 2, lineOf(a, a.keywordsIndex), d.start(a.keywordsIndex),
                                "\"摘要\"正文与\"关键词\"标题之间应该且只间隔一行。")});
    }
}

TEST_F(CnAbstractCheck, LineSpacingIsReportedNeverFixed) {
    Abstract a;
    a.text = {{{"本文研究了学位论文格式检查的方法。", kText}}, {{"并给出了一个自动修改的实现。", kText}}};
    a.textPara.lineSpacing = 12.0f;
    DocLayout d = a.build();
    const Lines expected{finding(kMedium, 2, lineOf(a, a.firstTextIndex), d.start(a.firstTextIndex),
                                 "摘要正文行距应设为1.5倍行距。")};
    const word::Document doc = d.open();
    EXPECT_EQ(check(doc).lines(), expected);
    EXPECT_EQ(fix(doc).lines(), expected);
    EXPECT_EQ(doc.Paragraphs().Item(a.firstTextIndex).LineSpacing(), 12.0f);
    EXPECT_EQ(doc.Paragraphs().Item(a.firstTextIndex).Range().Font().Color(), kUnmarked);
}

TEST_F(CnAbstractCheck, EnglishRunInTheChineseFontDeviates) {
    Abstract a;
    a.text = {{{"本文研究了", kText}, {"LaTeX", {.latinFont = "宋体"}}, {"排版的方法与实现。", kText}}};
    DocLayout d = a.build();
    const int t = a.firstTextIndex;
    const word::Document doc = d.open();
    EXPECT_EQ(check(doc).lines(),
              Lines{finding(kMedium, 2, lineOf(a, t), d.start(t, 5),
                            "\"摘要\"正文字体名有误，请自行查找默认模板或您所设置的模板中文摘要（要摘）正文相对应的字体名。")});
    EXPECT_EQ(doc.Range(d.start(t, 5), d.start(t, 10)).Font().Color(), 192);
    EXPECT_EQ(doc.Range(d.start(t), d.start(t, 5)).Font().Color(), kUnmarked);
    EXPECT_EQ(doc.Range(d.start(t, 10), d.end(t) - 1).Font().Color(), kUnmarked);

    const word::Document again = d.open("fix.doc");
    EXPECT_EQ(fix(again).lines(), Lines{});
    const word::Font f = again.Range(d.start(t, 5), d.start(t, 10)).Font();
    EXPECT_EQ(f.NameAscii(), "Times New Roman");
    EXPECT_EQ(f.NameFarEast(), "宋体");
    EXPECT_EQ(f.Color(), 0);
}

TEST_F(CnAbstractCheck, EachDeviatingRunIsOneFinding) {
    Abstract a;
    a.text = {{{"本文研究了", kText},
               {"加粗的话", {.bold = true}},
               {"和", kText},
               {"大号文字", {.size = 14.0f}},
               {"以及结尾。", kText}},
              {{"第二段的文字完全正确。", kText}}};
    DocLayout d = a.build();
    const int t = a.firstTextIndex;
    const word::Document doc = d.open();
    const int line = lineOf(a, t);
    EXPECT_EQ(check(doc).lines(),
              (Lines{finding(kMedium, 2, line, d.start(t, 5), "\"摘要\"正文字体不应加粗。"),
                     finding(kMedium, 2, line, d.start(t, 10),
                             "\"摘要\"正文字号有误，请自行查找默认模板或您所设置的模板中文摘要（要摘）正文相对应的字号。")}));

    const word::Document again = d.open("fix.doc");
    EXPECT_EQ(fix(again).lines(), Lines{});
    const word::Font f = again.Range(d.start(t), d.end(t) - 1).Font();
    EXPECT_EQ(f.Bold(), 0);
    EXPECT_EQ(f.Size(), 12.0f);
    // Corrected runs turn black; the others keep their colour.
    EXPECT_EQ(again.Range(d.start(t, 5), d.start(t, 9)).Font().Color(), 0);
    EXPECT_EQ(again.Range(d.start(t, 10), d.start(t, 14)).Font().Color(), 0);
    EXPECT_EQ(again.Range(d.start(t), d.start(t, 5)).Font().Color(), kUnmarked);
}

TEST_F(CnAbstractCheck, BoldTemplateWalksEveryParagraphWithTheSameFindings) {
    auto build = [](bool bold) {
        Abstract a;
        const TextStyle text{.bold = bold};
        a.text = {{{"本文研究了学位论文格式检查的方法。", text}},
                  {{"其中有", text}, {"大号文字", {.size = 14.0f, .bold = bold}}, {"的段落。", text}}};
        return a;
    };
    Abstract plainA = build(false);
    DocLayout plain = plainA.build();
    Abstract boldA = build(true);
    DocLayout bold = boldA.build();
    FormatTemplate boldTemplate;
    boldTemplate.cnAbstractBodyBold = 1;

    const CheckRunResult plainRun = check(plain.open("plain.doc"));
    const CheckRunResult boldRun = check(bold.open("bold.doc"), boldTemplate);
    const int t = plainA.firstTextIndex + 1;
    EXPECT_EQ(plainRun.lines(),
              Lines{finding(kMedium, 2, lineOf(plainA, plainA.firstTextIndex), plain.start(t, 3),
                            "\"摘要\"正文字号有误，请自行查找默认模板或您所设置的模板中文摘要（要摘）正文相对应的字号。")});
    EXPECT_EQ(boldRun.lines(), plainRun.lines());
    // The clean first paragraph is passed over only under the not-bold
    // template; under the bold one its run is walked and reported on.
    EXPECT_EQ(boldRun.progress.size(), plainRun.progress.size() + 1);
}

TEST_F(CnAbstractCheck, AutoFixStillPostsWhatItCannotFix) {
    Abstract a;
    a.titleStyle.size = 15.0f;
    a.text = {{{"本文研究了", kText}, {"大号文字", {.size = 14.0f}}, {"的方法。", kText}}};
    a.textPara.lineSpacing = 12.0f;
    a.blanksBeforeKeywords = 2;
    a.keywordsLine = {{"关键词", kLabel}, {" 格式检查，学位论文", kKeywords}};
    DocLayout d = a.build();
    const int k = a.keywordsIndex;
    const int t = a.firstTextIndex;
    const int kwLine = lineOf(a, k);
    const int textLine = lineOf(a, t);
    const word::Document doc = d.open();
    EXPECT_EQ(fix(doc).lines(),
              (Lines{finding(kMedium, 2, kwLine, d.start(k, 3), "\"关键词\"标题与\"关键词\"正文之间应用冒号分隔开。"),
                     finding(kMedium, 2, kwLine, d.start(k, 9), "关键词一般为3～5个。"),
                     finding(kMedium, 2, textLine, d.start(k), "\"摘要\"正文与\"关键词\"标题之间应该且只间隔一行。"),
                     finding(kMedium, 2, textLine, d.start(t), "摘要正文行距应设为1.5倍行距。")}));
    EXPECT_EQ(doc.Paragraphs().Item(a.titleIndex).Range().Font().Size(), 16.0f);
    EXPECT_EQ(doc.Range(d.start(t), d.end(t) - 1).Font().Size(), 12.0f);
    EXPECT_EQ(doc.Range(d.start(k, 4), d.end(k) - 1).Font().Color(), 192);
}

TEST_F(CnAbstractCheck, CheckModeReportsInDocumentOrder) {
    Abstract a;
    a.titleStyle.bold = false;
    a.text = {{{"本文研究了", kText}, {"大号文字", {.size = 14.0f}}, {"的方法。", kText}}};
    a.textPara.lineSpacing = 12.0f;
    a.blanksBeforeKeywords = 0;
    a.keywordsLine = {{"关键词：", {.asianFont = "黑体", .size = 14.0f}}, {"格式检查，学位论文", kKeywords}};
    DocLayout d = a.build();
    const int k = a.keywordsIndex;
    const int t = a.firstTextIndex;
    const int kwLine = lineOf(a, k);
    const int textLine = lineOf(a, t);
    EXPECT_EQ(check(d.open()).lines(),
              (Lines{finding(kMedium, 2, 1, d.start(a.titleIndex), "\"摘要\"标题字体未加粗，应加粗。"),
                     finding(kMedium, 2, kwLine, d.start(k), "\"关键词\"标题字体未加粗，应加粗。"),
                     finding(kMedium, 2, kwLine, d.start(k, 9), "关键词一般为3～5个。"),
                     finding(kMedium, 2, textLine, d.start(k), "\"摘要\"正文与\"关键词\"标题之间应该且只间隔一行。"),
                     finding(kMedium, 2, textLine, d.start(t), "摘要正文行距应设为1.5倍行距。"),
                     finding(kMedium, 2, textLine, d.start(t, 5),
                             "\"摘要\"正文字号有误，请自行查找默认模板或您所设置的模板中文摘要（要摘）正文相对应的字号。")}));
}

}  // namespace
}  // namespace quillmark
