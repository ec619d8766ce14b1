// The cover checker on master covers: the outer cover, the Chinese inner
// cover and the English inner cover, in check mode and in auto-fix mode.
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
const ParaStyle kSingle{.alignment = 1, .lineSpacing = 12.0f};

// Items compared by the shown font name carry one font for both scripts.
TextStyle songti(float size, bool bold = false) {
    return {.asianFont = "宋体", .latinFont = "宋体", .size = size, .bold = bold};
}
TextStyle heiti(float size, bool bold = false) {
    return {.asianFont = "黑体", .latinFont = "黑体", .size = size, .bold = bold};
}
TextStyle latin(const std::string& font, float size, bool bold = false) {
    return {.latinFont = font, .size = size, .bold = bold};
}

const std::string kTopTitle = "A Dissertation Submitted to Norvale for the Degree of Doctor of Philosophy";

// Three cover pages and an abstract page, in the default template's format.
struct MasterThesis {
    // Outer cover.
    std::string degree = "Norvale工学硕士学位论文";
    TextStyle degreeStyle = songti(18, true);
    TextStyle typeStyle = songti(12);
    int blanksBeforeTitle = 1;
    std::vector<std::string> title = {"论文格式自动检查系统"};
    TextStyle titleStyle = heiti(22);
    std::string afterTitle;  // a short line right after the title, when set
    TextStyle authorStyle = songti(16);
    TextStyle dateStyle = songti(14);
    // Chinese inner cover.
    bool innerCover = true;
    TextStyle topInfoStyle = songti(14);
    TextStyle innerDegreeStyle = songti(18, true);
    TextStyle innerTitleStyle = heiti(22);
    TextStyle innerValueStyle = {.asianFont = "宋体", .latinFont = "宋体", .size = 14, .underline = true};
    // English inner cover.
    bool englishCover = true;
    std::string englishTop = kTopTitle;
    TextStyle englishTopStyle = latin("Times New Roman", 16);
    int blanksBeforeEnglishTitle = 1;
    int blanksBeforeEnglishName = 6;
    int blanksBeforeEnglishDetails = 6;
    ParaStyle englishPara = kCentred;
    ParaStyle englishDetailsPara = kSingle;
    TextStyle englishDetailsStyle = latin("Arial", 12);
    bool abstractPage = true;
    std::string abstractText = "摘要";

    // Paragraph numbers, filled by build().
    int typeIndex = 0;
    int titleIndex = 0;
    int authorIndex = 0;
    int dateIndex = 0;
    int innerFirst = 0;
    int innerDegreeIndex = 0;
    int innerTitleIndex = 0;
    int innerDetailIndex = 0;
    int englishFirst = 0;
    int englishTitleIndex = 0;
    int englishNameIndex = 0;
    int englishDetailsIndex = 0;
    int englishLast = 0;

    DocLayout build() {
        DocLayout d;
        d.paragraph(degree, degreeStyle, kCentred);
        d.blank();
        d.paragraph("学术学位", typeStyle, kCentred);
        typeIndex = d.count();
        d.blank(blanksBeforeTitle);
        titleIndex = d.count() + 1;
        for (const std::string& line : title) d.paragraph(line, titleStyle, kCentred);
        if (!afterTitle.empty()) d.paragraph(afterTitle, {.latinFont = "Arial", .size = 9}, kCentred);
        d.blank();
        d.paragraph("张  三", authorStyle, kCentred);
        authorIndex = d.count();
        d.blank();
        d.paragraph("二〇二三年五月", dateStyle, kCentred);
        dateIndex = d.count();
        if (innerCover) {
            d.pageBreak();
            d.paragraph("分类号：TP311", topInfoStyle, {.alignment = 0});
            innerFirst = d.count();
            d.paragraph("密  级：公开", topInfoStyle, {.alignment = 0});
            d.blank();
            d.paragraph("Norvale硕士学位论文", innerDegreeStyle, kCentred);
            innerDegreeIndex = d.count();
            d.paragraph("学术学位", songti(12), kCentred);
            d.blank();
            d.paragraph("论文格式自动检查系统", innerTitleStyle, kCentred);
            innerTitleIndex = d.count();
            d.blank();
            d.paragraph("张  三", songti(16), kCentred);
            d.blank();
            innerDetailIndex = d.count() + 1;
            d.paragraph({{"学科专业：", songti(14)}, {"计算机科学与技术", innerValueStyle}}, kCentred);
            d.paragraph({{"指导教师：", songti(14)}, {"李  四  教授", innerValueStyle}}, kCentred);
        }
        if (englishCover) {
            d.pageBreak();
            d.paragraph(englishTop, englishTopStyle, englishPara);
            englishFirst = d.count();
            d.blank(blanksBeforeEnglishTitle, {}, englishPara);
            d.paragraph("Design of a Thesis Format Checker", latin("Arial", 18), englishPara);
            englishTitleIndex = d.count();
            d.blank(blanksBeforeEnglishName, {}, englishPara);
            d.paragraph("By Zhang San", latin("Arial", 15, true), englishPara);
            englishNameIndex = d.count();
            d.paragraph("Supervised by Li Si", latin("Arial", 15, true), englishPara);
            d.blank(blanksBeforeEnglishDetails, {}, englishPara);
            d.paragraph("Computer Science", englishDetailsStyle, englishDetailsPara);
            englishDetailsIndex = d.count();
            d.paragraph("Norvale University", englishDetailsStyle, englishDetailsPara);
            englishLast = d.count();
        }
        if (abstractPage) {
            d.pageBreak();
            d.paragraph(abstractText, heiti(16, true), kCentred);
        }
        return d;
    }
};

FormatTemplate masterTemplate() {
    FormatTemplate tpl;
    tpl.thesisType = kMasterThesis;
    return tpl;
}

CheckRunResult check(const word::Document& doc, const FormatTemplate& tpl = masterTemplate()) {
    return testing::runCheck(CheckKind::Cover, doc, tpl, CheckMode::Check);
}

CheckRunResult fix(const word::Document& doc, const FormatTemplate& tpl = masterTemplate()) {
    return testing::runCheck(CheckKind::Cover, doc, tpl, CheckMode::AutoFix);
}

using Lines = std::vector<std::string>;

const std::string kPrompt = "请自行查找默认模板或您所设置的模板";
const std::string kTitleSize = "字号有误，" + kPrompt + "封面中中文论文题目相对应的字号";
const std::string kTitleFont = "字体名有误，" + kPrompt + "封面中中文论文题目相对应的字体名";
const std::string kInfoSize = "字号有误，" + kPrompt + "封面中作者信息相对应的字号";
const std::string kInfoFont = "字体名有误，" + kPrompt + "封面中作者信息相对应的字体名";

// Line of paragraph `index` on a page whose first paragraph is `first`:
// every paragraph of the covers is one line.
int lineOn(int first, int index) {
    return index - first + 1;
}

class MasterCoverCheck : public testing::DocumentTest {};

// --------------------------------------------------------- the whole walk

TEST_F(MasterCoverCheck, CleanCoversHaveNoFindingsAndNameEachCover) {
    MasterThesis m;
    DocLayout d = m.build();
    const word::Document doc = d.open();
    const CheckRunResult r = check(doc);
    EXPECT_EQ(r.lines(), Lines{});
    std::vector<std::string> names;
    for (const ProgressReport& p : r.progress) {
        if (names.empty() || names.back() != p.text) names.push_back(p.text);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"外封面", "内封面", "英文封面"}));
    EXPECT_EQ(doc.Range(0, d.end(m.englishLast)).Font().Color(), kUnmarked);
    // Nothing to add on a cover laid out as asked: the paragraphs stay.
    EXPECT_EQ(doc.Paragraphs().Count(), d.count());
    EXPECT_EQ(fix(doc).lines(), Lines{});
}

TEST_F(MasterCoverCheck, BachelorTemplateLooksForTheBachelorDegreeLine) {
    MasterThesis m;
    const word::Document doc = m.build().open();
    const CheckRunResult r = check(doc, FormatTemplate{});
    ASSERT_EQ(r.findings.size(), 1u);
    EXPECT_EQ(r.findings[0].level, kSevere);
}

// ----------------------------------------------------------- outer cover

TEST_F(MasterCoverCheck, MissingOuterDegreeLineEndsTheRun) {
    MasterThesis m;
    m.degree = "Norvale硕士学位论文";
    m.innerTitleStyle.size = 20;  // the inner cover is not checked
    const word::Document doc = m.build().open();
    const Lines expected{finding(kSevere, 1, 1, 0,
                                 "找不到\"Norvale工学硕士学位论文\"字样，请自行添加\"Norvale工学硕士学位论文\"字样")};
    EXPECT_EQ(check(doc).lines(), expected);
    EXPECT_EQ(fix(doc).lines(), expected);
}

TEST_F(MasterCoverCheck, OuterDegreeLineIsTheFoundText) {
    MasterThesis m;
    m.degreeStyle = songti(16, false);
    DocLayout d = m.build();
    const word::Document doc = d.open();
    EXPECT_EQ(check(doc).lines(),
              Lines{finding(kMedium, 1, 1, 0,
                            "外封面最顶标题字号有误，" + kPrompt + "硕士学位论文外封面最顶标题相对应的字号，"
                            "硕士学位论文外封面最顶标题相对应的字体未加粗，应当加粗。")});
}

TEST_F(MasterCoverCheck, TwoLineOuterTitleGivesTwoItems) {
    MasterThesis m;
    m.title = {"论文格式自动检查系统", "的设计与实现"};
    m.titleStyle = heiti(20);
    DocLayout d = m.build();
    const word::Document doc = d.open();
    const std::string text = "外封面论文标题字号有误，" + kPrompt + "硕士学位论文外封面论文标题相对应的字号。";
    EXPECT_EQ(check(doc).lines(), (Lines{finding(kMedium, 1, m.titleIndex, d.start(m.titleIndex), text),
                                         finding(kMedium, 1, m.titleIndex + 1, d.start(m.titleIndex + 1), text)}));
}

TEST_F(MasterCoverCheck, BlankLinesAndAShortLineAroundTheTitle) {
    // Two blank lines before the title are skipped; a 3-byte line after it
    // ends the title and is skipped on the way to the author name.
    MasterThesis m;
    m.blanksBeforeTitle = 2;
    m.afterTitle = "ab";
    m.authorStyle = songti(14);
    DocLayout d = m.build();
    const word::Document doc = d.open();
    EXPECT_EQ(check(doc).lines(),
              Lines{finding(kMedium, 1, m.authorIndex, d.start(m.authorIndex),
                            "外封面作者姓名字号有误，" + kPrompt + "硕士学位论文外封面作者姓名相对应的字号。")});
}

TEST_F(MasterCoverCheck, AuthorNameBoldAgainstTheTemplateFlag) {
    MasterThesis m;
    m.authorStyle = songti(16, true);
    DocLayout d = m.build();
    const word::Document doc = d.open();
    FormatTemplate tpl = masterTemplate();
    tpl.masterAuthorInfoBold = 1;
    EXPECT_EQ(check(doc, tpl).lines(), Lines{});
    tpl.masterAuthorInfoBold = 0;
    EXPECT_EQ(check(doc, tpl).lines(),
              Lines{finding(kMedium, 1, m.authorIndex, d.start(m.authorIndex),
                            "外封面作者姓名硕士学位论文外封面作者姓名相对应的字体不应加粗。")});
    // Any flag other than 0 asks for bold on the outer cover.
    tpl.masterAuthorInfoBold = 2;
    EXPECT_EQ(check(doc, tpl).lines(), Lines{});
}

TEST_F(MasterCoverCheck, OuterTextsOfDegreeTypeAndDate) {
    MasterThesis m;
    m.dateStyle = heiti(12, true);
    DocLayout d = m.build();
    const word::Document doc = d.open();
    FormatTemplate tpl = masterTemplate();
    tpl.masterDegreeTypeBold = 1;
    EXPECT_EQ(check(doc, tpl).lines(),
              (Lines{finding(kMedium, 1, m.typeIndex, d.start(m.typeIndex),
                             "外封面学位类型硕士学位论文外封面学位类型相对应的字体未加粗，应当加粗。"),
                     finding(kMedium, 1, m.dateIndex, d.start(m.dateIndex),
                             "外封面日期字号有误，" + kPrompt + "硕士学位论文外封面日期相对应的字号，"
                             "硕士学位论文外封面日期不应加粗，"
                             "字体名有误，" + kPrompt + "硕士学位论文外封面日期相对应的字体名。")}));
}

TEST_F(MasterCoverCheck, OuterCoverAutoFixSetsTheShownFont) {
    MasterThesis m;
    m.titleStyle = songti(22, true);
    DocLayout d = m.build();
    const word::Document doc = d.open();
    EXPECT_EQ(fix(doc).lines(), Lines{});
    const word::Font title = doc.Paragraphs().Item(m.titleIndex).Range().Font();
    EXPECT_EQ(title.Name(), "黑体");
    EXPECT_EQ(title.Bold(), 0);
    EXPECT_EQ(title.Color(), 0);
    EXPECT_EQ(check(doc).lines(), Lines{});
}

TEST_F(MasterCoverCheck, OuterCoverAloneEndsTheRunQuietly) {
    MasterThesis m;
    m.innerCover = false;
    m.englishCover = false;
    m.abstractPage = false;
    m.dateStyle = songti(12);
    DocLayout d = m.build();
    const word::Document doc = d.open();
    ASSERT_EQ(check(doc).lines().size(), 1u);

    DocLayout only;
    only.paragraph("Norvale工学硕士学位论文", songti(18, true), kCentred);
    EXPECT_EQ(check(only.open("degree-only.doc")).lines(), Lines{});
}

// ---------------------------------------------------- Chinese inner cover

TEST_F(MasterCoverCheck, InnerItemsUseTheBachelorTextsAfterTheirLabels) {
    MasterThesis m;
    m.topInfoStyle = songti(12);
    m.innerDegreeStyle = {.asianFont = "黑体", .latinFont = "黑体", .size = 16, .bold = true};
    DocLayout d = m.build();
    const word::Document doc = d.open();
    const int first = m.innerFirst;
    EXPECT_EQ(check(doc).lines(),
              (Lines{finding(kMedium, 2, 1, d.start(first), "内封面顶部信息" + kTitleSize + "。"),
                     finding(kMedium, 2, lineOn(first, m.innerDegreeIndex), d.start(m.innerDegreeIndex),
                             "内封面顶部标题" + kTitleSize + "," + kTitleFont + "。")}));
}

TEST_F(MasterCoverCheck, InnerTopInformationStartsAtThePageTop) {
    // Both of its lines are read, and marked.
    MasterThesis m;
    m.topInfoStyle = {.asianFont = "宋体", .latinFont = "宋体", .size = 14, .bold = true};
    DocLayout d = m.build();
    const word::Document doc = d.open();
    FormatTemplate tpl = masterTemplate();
    EXPECT_EQ(check(doc, tpl).lines(),
              Lines{finding(kMedium, 2, 1, d.start(m.innerFirst),
                            "内封面顶部信息封面中中文论文题目相对应的字体不应加粗。")});
    EXPECT_EQ(doc.Range(d.start(m.innerFirst), d.end(m.innerFirst + 1) - 1).Font().Color(), 192);
    EXPECT_EQ(fix(doc, tpl).lines(), Lines{});
    EXPECT_EQ(doc.Range(d.start(m.innerFirst), d.end(m.innerFirst + 1)).Font().Bold(), 0);
}

TEST_F(MasterCoverCheck, InnerTitleFontCorrectedInBothScripts) {
    MasterThesis m;
    m.innerTitleStyle = {.asianFont = "宋体", .latinFont = "Arial", .size = 22};
    DocLayout d = m.build();
    const word::Document doc = d.open();
    EXPECT_EQ(check(doc).lines(), Lines{finding(kMedium, 2, lineOn(m.innerFirst, m.innerTitleIndex),
                                                d.start(m.innerTitleIndex), "内封面论文题目" + kTitleFont + "。")});
    EXPECT_EQ(fix(doc).lines(), Lines{});
    const word::Font title = doc.Paragraphs().Item(m.innerTitleIndex).Range().Font();
    EXPECT_EQ(title.NameFarEast(), "黑体");
    EXPECT_EQ(title.NameAscii(), "黑体");
}

TEST_F(MasterCoverCheck, InnerAuthorDetailsWithoutUnderlineAtTheLineEnd) {
    MasterThesis m;
    m.innerValueStyle = {.asianFont = "宋体", .latinFont = "宋体", .size = 12};
    DocLayout d = m.build();
    const word::Document doc = d.open();
    const int first = m.innerDetailIndex;
    EXPECT_EQ(check(doc).lines(),
              (Lines{finding(kMedium, 2, lineOn(m.innerFirst, first), d.end(first) - 1, "内封面作者信息" + kInfoSize + "。"),
                     finding(kMedium, 2, lineOn(m.innerFirst, first + 1), d.end(first + 1) - 1,
                             "内封面作者信息" + kInfoSize + "。")}));
}

TEST_F(MasterCoverCheck, InnerAuthorDetailsValueIsTheUnderlinedPart) {
    MasterThesis m;
    m.innerValueStyle.size = 12;
    DocLayout d = m.build();
    const word::Document doc = d.open();
    const int first = m.innerDetailIndex;
    const long value = d.start(first, testing::charCount("学科专业："));
    EXPECT_EQ(check(doc).lines()[0], finding(kMedium, 2, lineOn(m.innerFirst, first), value,
                                             "内封面作者信息" + kInfoSize + "。"));
    EXPECT_EQ(fix(doc).lines(), Lines{});
    EXPECT_EQ(doc.Range(value, d.end(first) - 1).Font().Size(), 14.0f);
}

TEST_F(MasterCoverCheck, MasterThesisWithoutAThirdPage) {
    MasterThesis m;
    m.englishCover = false;
    m.abstractPage = false;
    m.innerTitleStyle = heiti(20);
    DocLayout d = m.build();
    const word::Document doc = d.open();
    EXPECT_EQ(check(doc).lines(), Lines{finding(kMedium, 2, lineOn(m.innerFirst, m.innerTitleIndex),
                                                d.start(m.innerTitleIndex), "内封面论文题目" + kTitleSize + "。")});
}

// ---------------------------------------------------- English inner cover

TEST_F(MasterCoverCheck, EnglishTopTitleOnlyOnItsOwnPage) {
    MasterThesis m;
    m.englishTop = "A Thesis Submitted to Norvale";
    m.abstractText = kTopTitle;  // on the page after the English cover
    DocLayout d = m.build();
    const word::Document doc = d.open();
    const Lines expected{finding(kSevere, 3, 1, d.start(m.englishFirst),
                                 "找不到\"顶部标题\"字样，请自行添加\"A Dissertation Submitted to Norvale for the "
                                 "Degree of Doctor of Philosophy")};
    EXPECT_EQ(check(doc).lines(), expected);
}

TEST_F(MasterCoverCheck, EnglishTopTitleUsesTheOuterDegreeTexts) {
    MasterThesis m;
    m.englishTopStyle = latin("Arial", 16, true);
    DocLayout d = m.build();
    const word::Document doc = d.open();
    EXPECT_EQ(check(doc).lines(),
              Lines{finding(kMedium, 3, 1, d.start(m.englishFirst),
                            "英文封面顶部标题硕士学位论文外封面最顶标题相对应的字体不应加粗，"
                            "字体名有误，" + kPrompt + "硕士学位论文外封面最顶标题相对应的字体名。")});
}

TEST_F(MasterCoverCheck, NoBlankLineBeforeTheEnglishTitleGetsOne) {
    MasterThesis m;
    m.blanksBeforeEnglishTitle = 0;
    DocLayout d = m.build();
    const word::Document doc = d.open();
    EXPECT_EQ(check(doc).lines(), Lines{});
    EXPECT_EQ(doc.Paragraphs().Count(), d.count() + 1);
    const word::Range blank = doc.Paragraphs().Item(m.englishFirst + 1).Range();
    EXPECT_EQ(blank.Text(), "\r");
    EXPECT_EQ(doc.Paragraphs().Item(m.englishFirst + 2).Range().Text(), "Design of a Thesis Format Checker\r");
}

TEST_F(MasterCoverCheck, BlankLinesMadeUpBeforeTheAuthorNameAndDetails) {
    MasterThesis m;
    m.blanksBeforeEnglishName = 3;
    m.blanksBeforeEnglishDetails = 6;
    DocLayout d = m.build();
    const word::Document doc = d.open();
    EXPECT_EQ(check(doc).lines(), Lines{});
    // Three more before the name, none before the details; in check mode too.
    EXPECT_EQ(doc.Paragraphs().Count(), d.count() + 3);
    EXPECT_EQ(doc.Paragraphs().Item(m.englishNameIndex + 3).Range().Text(), "By Zhang San\r");
    for (int i = m.englishTitleIndex + 1; i < m.englishNameIndex + 3; ++i) {
        EXPECT_EQ(doc.Paragraphs().Item(i).Range().Text(), "\r") << i;
    }
}

TEST_F(MasterCoverCheck, FindingsAfterInsertedLinesStandWhereTheTextMoved) {
    MasterThesis m;
    m.blanksBeforeEnglishName = 3;
    m.englishDetailsStyle = latin("Times New Roman", 12);
    DocLayout d = m.build();
    const word::Document doc = d.open();
    // The top title runs over two lines; three blank lines come in before the name.
    const int line = lineOn(m.englishFirst, m.englishDetailsIndex) + 1 + 3;
    EXPECT_EQ(check(doc).lines(), Lines{finding(kMedium, 3, line, d.start(m.englishDetailsIndex) + 3,
                                                "英文封面中作者信息" + kInfoFont + "。")});
    EXPECT_EQ(doc.Range(d.start(m.englishDetailsIndex) + 3, d.end(m.englishLast) + 3 - 1).Font().Color(), 192);
}

TEST_F(MasterCoverCheck, EnglishPageSpacingSetToZeroWithoutAFinding) {
    MasterThesis m;
    m.englishPara.spaceBefore = 6;
    m.englishPara.spaceAfter = 6;
    m.englishDetailsPara.spaceAfter = 12;
    DocLayout d = m.build();
    const word::Document doc = d.open();
    EXPECT_EQ(doc.Paragraphs().Item(m.englishFirst).Format().SpaceBefore(), 6.0f);
    EXPECT_EQ(check(doc).lines(), Lines{});
    const word::ParagraphFormat page = doc.Range(d.start(m.englishFirst), d.end(m.englishLast)).ParagraphFormat();
    EXPECT_EQ(page.SpaceBefore(), 0.0f);
    EXPECT_EQ(page.SpaceAfter(), 0.0f);
}

TEST_F(MasterCoverCheck, EnglishLineSpacingRules) {
    MasterThesis m;
    m.englishPara.lineSpacing = 12;        // titles and name single: set to 1.5 lines
    m.englishDetailsPara.lineSpacing = 18;  // details at 1.5 lines: set to single
    DocLayout d = m.build();
    const word::Document doc = d.open();
    EXPECT_EQ(check(doc).lines(), Lines{});
    const word::Paragraphs p = doc.Paragraphs();
    EXPECT_EQ(p.Item(m.englishFirst).Format().LineSpacingRule(), 1);
    EXPECT_EQ(p.Item(m.englishTitleIndex).Format().LineSpacingRule(), 1);
    EXPECT_EQ(p.Item(m.englishNameIndex).Format().LineSpacingRule(), 1);
    EXPECT_EQ(p.Item(m.englishNameIndex + 1).Format().LineSpacingRule(), 1);
    EXPECT_EQ(p.Item(m.englishDetailsIndex).Format().LineSpacingRule(), 0);
    EXPECT_EQ(p.Item(m.englishLast).Format().LineSpacingRule(), 0);
}

TEST_F(MasterCoverCheck, EnglishItemsInCheckAndAutoFix) {
    MasterThesis m;
    m.englishDetailsStyle = latin("Times New Roman", 12);
    DocLayout d = m.build();
    const word::Document doc = d.open();
    // The top title runs over two lines.
    const int line = lineOn(m.englishFirst, m.englishDetailsIndex) + 1;
    EXPECT_EQ(check(doc).lines(), Lines{finding(kMedium, 3, line, d.start(m.englishDetailsIndex),
                                                "英文封面中作者信息" + kInfoFont + "。")});
    EXPECT_EQ(fix(doc).lines(), Lines{});
    EXPECT_EQ(doc.Range(d.start(m.englishDetailsIndex), d.end(m.englishLast)).Font().NameAscii(), "Arial");
    EXPECT_EQ(check(doc).lines(), Lines{});
}

}  // namespace
}  // namespace quillmark
