// The English-abstract checker: each input document with the findings it
// must produce, in check mode and in auto-fix mode, and the word scan it
// splits key words and abstract text with.
#include "checks/EnAbstractChecker.h"

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

const TextStyle kTitle{.size = 16.0f, .bold = true};
const ParaStyle kCentred{.alignment = 1};
const TextStyle kText{};
const TextStyle kLabel{.size = 14.0f, .bold = true};
const TextStyle kWords{};
const TextStyle kArial{.latinFont = "Arial"};

// Text never marked keeps its automatic colour (Word's wdColorAutomatic).


const std::string kTitleSize =
    "\"Abstract\"标题字号有误，请自行查找默认模板或您所设置的模板\"Abstract\"即英文摘要标题相对应的字号。";
const std::string kTitleNotAtTop = "\"Abstract\"标题没有另起一页或者没有置顶，请置顶。";
const std::string kMissingColon = "\"Key words\"标题与\"Key words\"正文之间应用冒号分隔开。";
const std::string kWordFont =
    "\"Key words\"正文字体名有误，请自行查找默认模板或您所设置的模板\"Key words\"即英文关键词（字）正文相对应的字体名。";
const std::string kTextFont =
    "\"Abstract\"正文字体名有误，请自行查找默认模板或您所设置的模板\"Abstract\"即英文摘要（要摘）正文相对应的字体名。";
const std::string kTextBold = "\"Abstract\"正文字体不应加粗。";

// Page 1 holds the Chinese abstract; page 2 the English one: blank lines at
// the top (none by default), the title, blank lines, the abstract text,
// blank lines and the "Key words" line.
struct EnAbstract {
    int blanksAtTop = 0;
    std::string title = "Abstract";
    TextStyle titleStyle = kTitle;
    int blanksAfterTitle = 1;
    std::vector<std::vector<Run>> text = {{{"This thesis checks the format of theses.", kText}}};
    int blanksBeforeKeywords = 1;
    std::vector<Run> keywordsLine = {{"Key words:", kLabel}, {" thesis; format; checking", kWords}};

    // Paragraph numbers, filled by build().
    int pageTop = 0;
    int titleIndex = 0;
    int firstTextIndex = 0;
    int keywordsIndex = 0;

    DocLayout build() {
        DocLayout d;
        d.paragraph("摘要", {.asianFont = "黑体", .size = 16.0f, .bold = true}, kCentred);
        d.paragraph("本文研究了学位论文格式检查的方法。");
        d.paragraph("关键词：格式检查，学位论文，自动修改");
        d.pageBreak();
        pageTop = d.count() + 1;
        if (blanksAtTop > 0) d.blank(blanksAtTop);
        d.paragraph(title, titleStyle, kCentred);
        titleIndex = d.count();
        if (blanksAfterTitle > 0) d.blank(blanksAfterTitle);
        firstTextIndex = d.count() + 1;
        for (const auto& runs : text) d.paragraph(runs);
        if (blanksBeforeKeywords > 0) d.blank(blanksBeforeKeywords);
        d.paragraph(keywordsLine);
        keywordsIndex = d.count();
        return d;
    }

    // Line on page 2: one line per paragraph.
    int line(int index) const { return index - pageTop + 1; }
};

CheckRunResult check(const word::Document& doc, const FormatTemplate& tpl = FormatTemplate{}) {
    return testing::runCheck(CheckKind::EnAbstract, doc, tpl, CheckMode::Check);
}

CheckRunResult fix(const word::Document& doc, const FormatTemplate& tpl = FormatTemplate{}) {
    return testing::runCheck(CheckKind::EnAbstract, doc, tpl, CheckMode::AutoFix);
}

void placeSelection(const word::Document& doc, long position) {
    doc.Activate();
    testing::sharedApplication().Selection().SetRange(position, position);
}

using Lines = std::vector<std::string>;

class EnAbstractCheck : public testing::DocumentTest {};

// ------------------------------------------------------------- word scan

std::vector<ScannedWord> scan(std::string_view text, StopCharacters stops) {
    return scanWords(text, 100, stops);
}

using Words = std::vector<ScannedWord>;
constexpr auto kKeyWords = StopCharacters::KeyWords;
constexpr auto kAbstractText = StopCharacters::AbstractText;

TEST(WordScan, StopCharactersOfTheTwoStretches) {
    // An ASCII comma stays part of a key word and ends a word of the text.
    EXPECT_EQ(scan("thesis, format\r", kKeyWords), (Words{{100, 107}, {108, 114}}));
    EXPECT_EQ(scan("thesis, format\r", kAbstractText), (Words{{100, 106}, {107, 107}, {108, 114}}));
    // A form feed ends only key words; a tab ends neither.
    EXPECT_EQ(scan("a\fb\r", kKeyWords), (Words{{100, 101}, {102, 103}}));
    EXPECT_EQ(scan("a\fb\r", kAbstractText), (Words{{100, 103}}));
    EXPECT_EQ(scan("a\tb\r", kKeyWords), (Words{{100, 103}}));
    // Full-width punctuation and Chinese characters end words; positions
    // count UTF-16 units.
    EXPECT_EQ(scan("ab，cd中e\r", kKeyWords), (Words{{100, 102}, {103, 105}, {106, 107}}));
    EXPECT_EQ(scan("a\xF0\x9F\x98\x80" "b\r", kAbstractText), (Words{{100, 101}, {103, 104}}));
}

TEST(WordScan, EmptyWordsAndTheEndOfTheScan) {
    EXPECT_EQ(scan("a  b\r", kAbstractText), (Words{{100, 101}, {102, 102}, {103, 104}}));
    EXPECT_EQ(scan("\r", kKeyWords), (Words{{100, 100}}));
    EXPECT_EQ(scan("ab", kKeyWords), (Words{{100, 102}}));
    EXPECT_EQ(scan("ab ", kKeyWords), (Words{{100, 102}}));
}

// ------------------------------------------------------------ the frame

TEST_F(EnAbstractCheck, CleanAbstractHasNoFindings) {
    auto checker = makeChecker(CheckKind::EnAbstract);
    ASSERT_NE(checker, nullptr);
    EXPECT_EQ(checker->kind(), CheckKind::EnAbstract);
    EXPECT_FALSE(checker->frameSteps().collapseSelection);
    EXPECT_FALSE(checker->frameSteps().postCheckState);

    EnAbstract a;
    DocLayout d = a.build();
    const word::Document doc = d.open();
    const CheckRunResult r = check(doc);
    EXPECT_EQ(r.lines(), Lines{});
    EXPECT_EQ(r.checkStates, 0);
    // Title found, page top, title: the clean text is passed over whole.
    ASSERT_EQ(r.progress.size(), 3u);
    EXPECT_EQ(r.progress.front().text, "英文摘要检测");
    EXPECT_EQ(r.progress.front().totalPages, 2);
    EXPECT_EQ(doc.Range(d.start(a.titleIndex), d.end(a.keywordsIndex)).Font().Color(), kUnmarked);
    EXPECT_EQ(fix(doc).lines(), Lines{});
}

// ------------------------------------------------------------ the title

TEST_F(EnAbstractCheck, TitleNotFoundIsSevereAndEndsTheRun) {
    EnAbstract a;
    a.title = "Summary";
    a.text = {{{"This thesis checks the format of theses.", kArial}}};  // would be findings
    const word::Document doc = a.build().open();
    const Lines expected{finding(kSevere, 1, 1, 0, "找不到\"Abstract\"标题，请自行添加\"Abstract\"标题。")};
    EXPECT_EQ(check(doc).lines(), expected);
    EXPECT_EQ(fix(doc).lines(), expected);
}

TEST_F(EnAbstractCheck, TitleInCapitalsIsFoundAndNamedAbstract) {
    EnAbstract a;
    a.title = "ABSTRACT";
    a.titleStyle.size = 15.0f;
    DocLayout d = a.build();
    EXPECT_EQ(check(d.open()).lines(), Lines{finding(kMedium, 2, 1, d.start(a.titleIndex), kTitleSize)});
}

TEST_F(EnAbstractCheck, OneCharacterMayStandBeforeTheTitleOnItsPageTwoMayNot) {
    EnAbstract one;
    one.blanksAtTop = 1;
    EXPECT_EQ(check(one.build().open("one.doc")).lines(), Lines{});
    EnAbstract two;
    two.blanksAtTop = 2;
    DocLayout d = two.build();
    // Located at the top of the title's page, which the rule moved to.
    EXPECT_EQ(check(d.open("two.doc")).lines(), Lines{finding(kMedium, 2, 1, d.start(two.titleIndex), kTitleNotAtTop)});
}

TEST_F(EnAbstractCheck, TitleWithItsThreeDeviationsAndNoAlignmentCheck) {
    EnAbstract a;
    a.titleStyle = {.latinFont = "Arial", .size = 12.0f, .bold = false};
    DocLayout d = a.build();
    const word::Document doc = d.open();
    EXPECT_EQ(check(doc).lines(),
              Lines{finding(kMedium, 2, 1, d.start(a.titleIndex),
                            "\"Abstract\"标题字体未加粗，应加粗,"
                            "字号有误，请自行查找默认模板或您所设置的模板\"Abstract\"即英文摘要标题相对应的字号,"
                            "字体名有误，请自行查找默认模板或您所设置的模板\"Abstract\"即英文摘要标题相对应的字体名。")});
    EXPECT_EQ(doc.Paragraphs().Item(a.titleIndex).Range().Font().Color(), 192);
    EXPECT_EQ(doc.Paragraphs().Item(a.firstTextIndex).Range().Font().Color(), kUnmarked);

    const word::Document again = d.open("fix.doc");
    EXPECT_EQ(fix(again).lines(), Lines{});
    const word::Font f = again.Paragraphs().Item(a.titleIndex).Range().Font();
    EXPECT_EQ(f.Bold(), -1);
    EXPECT_EQ(f.Size(), 16.0f);
    EXPECT_EQ(f.Name(), "Times New Roman");
    EXPECT_EQ(f.Color(), 0);
    EXPECT_EQ(check(again).lines(), Lines{});

    // Alignment is not looked at.
    DocLayout dl;
    dl.paragraph("摘要");
    dl.pageBreak();
    dl.paragraph("Abstract", kTitle, {.alignment = 0});
    dl.blank();
    dl.paragraph({{"Key words:", kLabel}, {" thesis; format; checking", kWords}});
    EXPECT_EQ(check(dl.open("left.doc")).lines(), Lines{});
}

// ------------------------------------------- where the title search starts

TEST_F(EnAbstractCheck, FirstOccurrenceAfterTheSelectionIsTheTitle) {
    EnAbstract a;
    a.text = {{{"The abstract of this thesis is short.", kText}}};
    DocLayout d = a.build();
    const word::Document doc = d.open();
    const int t = a.firstTextIndex;
    // From the end of the document the search wraps round to the title.
    placeSelection(doc, d.end(a.keywordsIndex) - 1);
    EXPECT_EQ(check(doc).lines(), Lines{});
    placeSelection(doc, d.start(t));
    EXPECT_EQ(check(doc).lines(),
              (Lines{finding(kMedium, 2, 1, d.start(t, 4), kTitleNotAtTop),
                     finding(kMedium, 2, a.line(t), d.start(t),
                             "\"Abstract\"标题字体未加粗，应加粗,"
                             "字号有误，请自行查找默认模板或您所设置的模板\"Abstract\"即英文摘要标题相对应的字号。")}));
    // The paragraph holding the word is taken for the title and marked.
    EXPECT_EQ(doc.Paragraphs().Item(t).Range().Font().Color(), 192);
    EXPECT_EQ(doc.Paragraphs().Item(a.titleIndex).Range().Font().Color(), kUnmarked);
}

// ------------------------------------------------------- "Key words" label

TEST_F(EnAbstractCheck, LabelMissingIsSevereAndEndsTheRun) {
    EnAbstract a;
    a.keywordsLine = {{"Keywords:", kLabel}, {" thesis; format; checking", kArial}};
    a.text = {{{"This thesis checks the format of theses.", kArial}}};
    DocLayout d = a.build();
    const word::Document doc = d.open();
    // Located at the Selection, left at the title start.
    const Lines expected{finding(kSevere, 2, 1, 0, "找不到\"Key words\"标题，请自行添加\"Key words\"标题。")};
    EXPECT_EQ(check(doc).lines(), expected);
    EXPECT_EQ(fix(doc).lines(), expected);
    EXPECT_EQ(doc.Paragraphs().Item(a.firstTextIndex).Range().Font().NameAscii(), "Arial");
}

TEST_F(EnAbstractCheck, MissingColonStillChecksTheLabelWord) {
    EnAbstract a;
    a.keywordsLine = {{"Key words", {.size = 12.0f, .bold = true}}, {" thesis; format; checking", kWords}};
    DocLayout d = a.build();
    const word::Document doc = d.open();
    const int k = a.keywordsIndex;
    const int line = a.line(k);
    EXPECT_EQ(check(doc).lines(),
              (Lines{finding(kMedium, 2, line, d.start(k), kMissingColon),
                     finding(kMedium, 2, line, d.start(k),
                             "\"Key words\"标题字号有误，请自行查找默认模板或您所设置的模板\"Key words\"即英文关键词（字）"
                             "标题相对应的字号。")}));
    // The label ends with the label word.
    EXPECT_EQ(doc.Range(d.start(k), d.start(k, 9)).Font().Color(), 192);
    EXPECT_EQ(doc.Range(d.start(k, 9), d.end(k) - 1).Font().Color(), kUnmarked);

    // Auto-fix corrects the label word and still posts the colon finding.
    const word::Document again = d.open("fix.doc");
    EXPECT_EQ(fix(again).lines(), Lines{finding(kMedium, 2, line, d.start(k), kMissingColon)});
    const word::Font label = again.Range(d.start(k), d.start(k, 9)).Font();
    EXPECT_EQ(label.Size(), 14.0f);
    EXPECT_EQ(label.Color(), 0);
    EXPECT_EQ(again.Range(d.start(k, 9), d.end(k) - 1).Font().Size(), 12.0f);
}

TEST_F(EnAbstractCheck, FullWidthColonBelongsToTheLabel) {
    EnAbstract a;
    // The colon's size counts with the label's, and it is marked with it.
    const TextStyle label{.size = 13.0f, .bold = true};
    a.keywordsLine = {{"Key words：", label}, {"thesis; format; checking", kWords}};
    DocLayout d = a.build();
    const word::Document doc = d.open();
    const int k = a.keywordsIndex;
    EXPECT_EQ(check(doc).lines(),
              Lines{finding(kMedium, 2, a.line(k), d.start(k),
                            "\"Key words\"标题字号有误，请自行查找默认模板或您所设置的模板\"Key words\"即英文关键词（字）"
                            "标题相对应的字号。")});
    EXPECT_EQ(doc.Range(d.start(k), d.start(k, 10)).Font().Color(), 192);
    EXPECT_EQ(doc.Range(d.start(k, 10), d.end(k) - 1).Font().Color(), kUnmarked);
}

// Word shows a full-width colon in the Asian font whatever Latin font the
// label has; an ASCII colon is shown in the label's Latin font.
TEST_F(EnAbstractCheck, TheLabelFontIsReadUpToAFullWidthColonAndOverAnAsciiOne) {
    const TextStyle arialLabel{.latinFont = "Arial", .size = 14.0f, .bold = true};
    EnAbstract a;
    a.keywordsLine = {{"Key words", kLabel}, {"：", kLabel}, {"thesis; format; checking", kWords}};
    DocLayout d = a.build();
    const word::Document doc = d.open();
    ASSERT_EQ(doc.Range(d.start(a.keywordsIndex), d.start(a.keywordsIndex, 10)).Font().Name(), "");
    EXPECT_EQ(check(doc).lines(), Lines{});

    EnAbstract ascii;
    ascii.keywordsLine = {{"Key words", kLabel}, {":", arialLabel}, {" thesis; format; checking", kWords}};
    DocLayout e = ascii.build();
    const int k = ascii.keywordsIndex;
    EXPECT_EQ(check(e.open("ascii.doc")).lines(),
              Lines{finding(kMedium, 2, ascii.line(k), e.start(k),
                            "\"Key words\"标题字体名有误，请自行查找默认模板或您所设置的模板\"Key words\"即英文关键词（字）"
                            "标题相对应的字体名。")});
}

// ------------------------------------------------------------- key words

TEST_F(EnAbstractCheck, KeyWordsSeparatedByCommaAndSpaceEndWithTheComma) {
    EnAbstract a;
    // "Key words:" 0-9, " " 10, "thesis," 11-17, " " 18, "format," 19-25, " " 26, "checking" 27-34
    a.keywordsLine = {{"Key words:", kLabel}, {" thesis, ", kWords}, {"format", kArial}, {", checking", kWords}};
    DocLayout d = a.build();
    const word::Document doc = d.open();
    const int k = a.keywordsIndex;
    EXPECT_EQ(check(doc).lines(), Lines{finding(kMedium, 2, a.line(k), d.start(k, 19), kWordFont)});
    EXPECT_EQ(doc.Range(d.start(k, 19), d.start(k, 26)).Font().Color(), 192);
    EXPECT_EQ(doc.Range(d.start(k, 26), d.start(k, 27)).Font().Color(), kUnmarked);
    EXPECT_EQ(doc.Range(d.start(k, 11), d.start(k, 19)).Font().Color(), kUnmarked);
}

TEST_F(EnAbstractCheck, KeyWordsWithChineseCommasEndAtEachComma) {
    EnAbstract a;
    // "Key words:" 0-9, "thesis" 10-15, "，" 16, "format" 17-22, "，" 23, "checking" 24-31
    a.keywordsLine = {{"Key words:", kLabel},
                      {"thesis，", kWords},
                      {"format", {.latinFont = "Arial", .size = 10.5f}},
                      {"，checking", kWords}};
    DocLayout d = a.build();
    const word::Document doc = d.open();
    const int k = a.keywordsIndex;
    EXPECT_EQ(check(doc).lines(),
              Lines{finding(kMedium, 2, a.line(k), d.start(k, 17),
                            "\"Key words\"正文字号有误，请自行查找默认模板或您所设置的模板\"Key words\"即英文关键词（字）"
                            "正文相对应的字号,字体名有误，请自行查找默认模板或您所设置的模板\"Key words\"即英文关键词（字）"
                            "正文相对应的字体名。")});
    EXPECT_EQ(doc.Range(d.start(k, 17), d.start(k, 23)).Font().Color(), 192);
    EXPECT_EQ(doc.Range(d.start(k, 23), d.start(k, 24)).Font().Color(), kUnmarked);

    const word::Document again = d.open("fix.doc");
    EXPECT_EQ(fix(again).lines(), Lines{});
    const word::Font f = again.Range(d.start(k, 17), d.start(k, 23)).Font();
    EXPECT_EQ(f.Name(), "Times New Roman");
    EXPECT_EQ(f.Size(), 12.0f);
    EXPECT_EQ(f.Color(), 0);
    EXPECT_EQ(check(again).lines(), Lines{});
}

// --------------------------------------------------------- abstract text

TEST_F(EnAbstractCheck, EachDeviatingWordOfTheTextIsOneFinding) {
    EnAbstract a;
    // "This " 0-4, "thesis" 5-10, " checks the " 11-22, "format" 23-28, ",theses" 29-35, "." 36
    a.text = {{{"This ", kText}, {"thesis", {.bold = true}}, {" checks the ", kText}, {"format", kArial},
               {",theses.", kText}}};
    DocLayout d = a.build();
    const word::Document doc = d.open();
    const int t = a.firstTextIndex;
    const int line = a.line(t);
    EXPECT_EQ(check(doc).lines(),
              (Lines{finding(kMedium, 2, line, d.start(t, 5), kTextBold),
                     finding(kMedium, 2, line, d.start(t, 23), kTextFont)}));
    // The ASCII comma ends "format"; only the words are marked.
    EXPECT_EQ(doc.Range(d.start(t, 23), d.start(t, 29)).Font().Color(), 192);
    EXPECT_EQ(doc.Range(d.start(t, 29), d.end(t) - 1).Font().Color(), kUnmarked);
    EXPECT_EQ(doc.Range(d.start(t, 11), d.start(t, 23)).Font().Color(), kUnmarked);

    const word::Document again = d.open("fix.doc");
    EXPECT_EQ(fix(again).lines(), Lines{});
    const word::Font f = again.Range(d.start(t), d.end(t) - 1).Font();
    EXPECT_EQ(f.Bold(), 0);
    EXPECT_EQ(f.Name(), "Times New Roman");
    EXPECT_EQ(again.Range(d.start(t, 5), d.start(t, 11)).Font().Color(), 0);
    EXPECT_EQ(again.Range(d.start(t), d.start(t, 5)).Font().Color(), kUnmarked);
    EXPECT_EQ(check(again).lines(), Lines{});
}

TEST_F(EnAbstractCheck, TwoSpacesInARowGiveAnEmptyWordWithoutFinding) {
    EnAbstract a;
    // "Two" 0-2, "  " 3-4, "spaces" 5-10, " here " 11-16, "Arial" 17-21
    a.text = {{{"Two  spaces here ", kText}, {"Arial", kArial}}};
    DocLayout d = a.build();
    const int t = a.firstTextIndex;
    const CheckRunResult r = check(d.open());
    EXPECT_EQ(r.lines(), Lines{finding(kMedium, 2, a.line(t), d.start(t, 17), kTextFont)});
    // Three steps before the text, then one per word that is not empty.
    EXPECT_EQ(r.progress.size(), 3u + 4u);
    EXPECT_EQ(r.progress.back().page, 2);
    EXPECT_EQ(r.progress.back().line, a.line(t));
}

TEST_F(EnAbstractCheck, BoldEnglishParagraphInTheRightSizeAndFontIsPassedOver) {
    EnAbstract a;
    const TextStyle bold{.bold = true};
    // The second paragraph holds Chinese characters: its language is mixed,
    // so it is scanned and its English words are reported; the Chinese
    // characters end words and are never checked.
    a.text = {{{"This whole paragraph is set in bold type.", bold}}, {{"Bold 中文 text", bold}}};
    DocLayout d = a.build();
    const word::Document doc = d.open();
    const int t = a.firstTextIndex + 1;
    EXPECT_EQ(check(doc).lines(),
              (Lines{finding(kMedium, 2, a.line(t), d.start(t), kTextBold),
                     finding(kMedium, 2, a.line(t), d.start(t, 8), kTextBold)}));
    EXPECT_EQ(doc.Paragraphs().Item(a.firstTextIndex).Range().Font().Color(), kUnmarked);
    EXPECT_EQ(doc.Range(d.start(t, 5), d.start(t, 7)).Font().Color(), kUnmarked);
}

TEST_F(EnAbstractCheck, ShortLineInsideTheTextIsNotChecked) {
    EnAbstract a;
    a.text = {{{"This thesis checks the format of theses.", kText}},
              {{"Results", kArial}},
              {{"The checker marks what it finds.", kText}}};
    DocLayout d = a.build();
    const word::Document doc = d.open();
    EXPECT_EQ(check(doc).lines(), Lines{});
    EXPECT_EQ(fix(doc).lines(), Lines{});
    EXPECT_EQ(doc.Paragraphs().Item(a.firstTextIndex + 1).Range().Font().NameAscii(), "Arial");
}

// ------------------------------------------------------------ both modes

TEST_F(EnAbstractCheck, BothModesInStepOrder) {
    EnAbstract a;
    a.blanksAtTop = 2;
    a.titleStyle.bold = false;
    a.text = {{{"This ", kText}, {"thesis", kArial}, {" checks theses.", kText}}};
    a.keywordsLine = {{"Key words", kLabel}, {" thesis; ", kWords}, {"format", kArial}};
    DocLayout d = a.build();
    const int t = a.firstTextIndex;
    const int k = a.keywordsIndex;
    const Lines unfixable{finding(kMedium, 2, 1, d.start(a.titleIndex), kTitleNotAtTop),
                          finding(kMedium, 2, a.line(k), d.start(k), kMissingColon)};
    const word::Document doc = d.open();
    EXPECT_EQ(check(doc).lines(),
              (Lines{unfixable[0],
                     finding(kMedium, 2, a.line(a.titleIndex), d.start(a.titleIndex), "\"Abstract\"标题字体未加粗，应加粗。"),
                     unfixable[1], finding(kMedium, 2, a.line(k), d.start(k, 18), kWordFont),
                     finding(kMedium, 2, a.line(t), d.start(t, 5), kTextFont)}));

    const word::Document again = d.open("fix.doc");
    EXPECT_EQ(fix(again).lines(), unfixable);
    EXPECT_EQ(again.Paragraphs().Item(a.titleIndex).Range().Font().Bold(), -1);
    EXPECT_EQ(again.Range(d.start(k, 18), d.start(k, 24)).Font().Name(), "Times New Roman");
    EXPECT_EQ(again.Range(d.start(t), d.end(t) - 1).Font().Name(), "Times New Roman");
    EXPECT_EQ(check(again).lines(), unfixable);
}

}  // namespace
}  // namespace quillmark
