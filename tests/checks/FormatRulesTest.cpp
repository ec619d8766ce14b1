// The shared rules on ranges of real documents.
#include "checks/FormatRules.h"

#include "CheckHarness.h"
#include "DocLayout.h"
#include "support/Engine.h"

#include <gtest/gtest.h>

namespace quillmark {
namespace {

using testing::DocLayout;
using testing::TextStyle;
using testing::ParaStyle;

class EngineTest : public testing::DocumentTest {};
class FormatRulesOnRanges : public EngineTest {};
class MarkAndFix : public EngineTest {};
class PageTop : public EngineTest {};
class RunWalk : public EngineTest {};
class Search : public EngineTest {};
class ShortParagraphs : public EngineTest {};

const TextStyle kBody{};
const TextStyle kBold{.bold = true};

word::Selection activeSelection(const word::Document& doc) {
    doc.Activate();
    return testing::sharedApplication().Selection();
}

TEST_F(FormatRulesOnRanges, MixedBoldReadsUndefinedAndDeviatesBothWays) {
    DocLayout d;
    d.paragraph({{"加粗文字", kBold}, {"普通文字", kBody}});
    const word::Document doc = d.open();
    const word::Range r = doc.Range(d.start(1), d.start(1, 8));
    EXPECT_EQ(r.Font().Bold(), word::wdUndefined);
    EXPECT_TRUE(boldDeviates(r.Font(), 1));
    EXPECT_TRUE(boldDeviates(r.Font(), 0));
    EXPECT_FALSE(boldDeviates(doc.Range(d.start(1), d.start(1, 4)).Font(), 1));
    EXPECT_FALSE(boldDeviates(doc.Range(d.start(1, 4), d.start(1, 8)).Font(), 0));
}

TEST_F(FormatRulesOnRanges, SizeHasNoTolerance) {
    DocLayout d;
    d.paragraph("十点五磅的文字内容", {.size = 10.5f});
    d.paragraph({{"十二磅", {.size = 12.0f}}, {"十四磅", {.size = 14.0f}}});
    const word::Document doc = d.open();
    const word::Font small = doc.Range(d.start(1), d.start(1, 9)).Font();
    EXPECT_EQ(small.Size(), 10.5f);
    EXPECT_FALSE(sizeDeviates(small, 10.5f));
    EXPECT_TRUE(sizeDeviates(small, 10.4f));
    EXPECT_TRUE(sizeDeviates(small, 10.0f));
    const word::Font mixed = doc.Range(d.start(2), d.start(2, 6)).Font();
    EXPECT_EQ(mixed.Size(), static_cast<float>(word::wdUndefined));
    EXPECT_TRUE(sizeDeviates(mixed, 12.0f));
    EXPECT_TRUE(sizeDeviates(mixed, 14.0f));
}

TEST_F(FormatRulesOnRanges, FontNameComparesTheChosenPropertyCaseSensitively) {
    DocLayout d;
    d.paragraph({{"标题文字", {.asianFont = "黑体", .latinFont = "Arial"}}});
    d.paragraph({{"Latin words", {.latinFont = "Times New Roman"}}});
    const word::Document doc = d.open();
    const word::Font cn = doc.Range(d.start(1), d.start(1, 4)).Font();
    EXPECT_FALSE(fontNameDeviates(cn, FontNameProperty::NameFarEast, "黑体"));
    EXPECT_FALSE(fontNameDeviates(cn, FontNameProperty::Name, "黑体"));
    EXPECT_FALSE(fontNameDeviates(cn, FontNameProperty::NameAscii, "Arial"));
    EXPECT_TRUE(fontNameDeviates(cn, FontNameProperty::NameFarEast, "宋体"));
    const word::Font en = doc.Range(d.start(2), d.start(2, 11)).Font();
    EXPECT_FALSE(fontNameDeviates(en, FontNameProperty::NameAscii, "Times New Roman"));
    EXPECT_TRUE(fontNameDeviates(en, FontNameProperty::NameAscii, "times new roman"));
    EXPECT_TRUE(fontNameDeviates(en, FontNameProperty::NameAscii, "TIMES NEW ROMAN"));
}

TEST_F(FormatRulesOnRanges, LanguageFontRule) {
    DocLayout d;
    d.paragraph({{"中文", kBody},
                 {"English", kBody},
                 {"Deutsch", {.latinLocale = "de-DE"}},
                 {"Wrong", {.latinFont = "宋体"}}});
    const word::Document doc = d.open();
    const long s = d.start(1);
    const word::Range cn = doc.Range(s, s + 2);
    const word::Range en = doc.Range(s + 2, s + 9);
    const word::Range de = doc.Range(s + 9, s + 16);
    const word::Range wrong = doc.Range(s + 16, s + 21);
    EXPECT_EQ(cn.LanguageID(), 2052);
    EXPECT_EQ(en.LanguageID(), 1033);
    EXPECT_NE(de.LanguageID(), 1033);
    EXPECT_NE(de.LanguageID(), 2052);
    EXPECT_FALSE(languageFontDeviates(cn, "宋体", "Times New Roman"));
    EXPECT_FALSE(languageFontDeviates(en, "宋体", "Times New Roman"));
    EXPECT_TRUE(languageFontDeviates(de, "宋体", "Times New Roman"));
    EXPECT_TRUE(languageFontDeviates(wrong, "宋体", "Times New Roman"));
    EXPECT_TRUE(languageFontDeviates(cn, "黑体", "Times New Roman"));
}

TEST_F(FormatRulesOnRanges, AlignmentOfTheRangesParagraphs) {
    DocLayout d;
    d.paragraph("居中的一段文字内容", kBody, {.alignment = 1});
    d.paragraph("左对齐的一段文字内容", kBody, {.alignment = 0});
    const word::Document doc = d.open();
    const word::Range centred = doc.Range(d.start(1), d.start(1, 2));
    EXPECT_FALSE(alignmentDeviates(centred, 1));
    EXPECT_TRUE(alignmentDeviates(centred, 0));
    const word::Range both = doc.Range(d.start(1), d.end(2));
    EXPECT_EQ(both.Paragraphs().Alignment(), word::wdUndefined);
    EXPECT_TRUE(alignmentDeviates(both, 0));
    EXPECT_TRUE(alignmentDeviates(both, 1));
}

TEST_F(FormatRulesOnRanges, LineSpacingMustBeEighteenPointsThroughout) {
    DocLayout d;
    d.paragraph("一倍半行距的一段文字", kBody, {.lineSpacing = 18.0f});
    d.paragraph("一倍半行距的又一段文字", kBody, {.lineSpacing = 18.0f});
    d.paragraph("单倍行距的一段文字内容", kBody, {.lineSpacing = 12.0f});
    const word::Document doc = d.open();
    EXPECT_FALSE(lineSpacingDeviates(doc.Range(d.start(1), d.end(2))));
    EXPECT_TRUE(lineSpacingDeviates(doc.Range(d.start(3), d.end(3))));
    EXPECT_TRUE(lineSpacingDeviates(doc.Range(d.start(2), d.end(3))));
}

// The walk as literally stated: grow [p, p+k] and read the whole range.
std::vector<TextRun> growingRuns(const word::Document& doc, const word::Range& paragraph) {
    std::vector<TextRun> runs;
    const long end = paragraph.End();
    long p = paragraph.Start();
    while (p < end - 1) {
        word::Range r = doc.Range(p, p + 1);
        const std::string name = r.Font().Name();
        const long bold = r.Font().Bold();
        const float size = r.Font().Size();
        const long lang = r.LanguageID();
        long q = p + 1;
        while (q + 1 < end) {
            r.SetRange(p, q + 1);
            const word::Font f = r.Font();
            if (f.Name() != name || name.empty() || f.Bold() != bold || f.Size() != size || r.LanguageID() != lang) {
                break;
            }
            ++q;
        }
        runs.push_back(TextRun{p, q, name, bold, size, lang});
        p = q;
    }
    return runs;
}

TEST_F(RunWalk, SplitsAtEveryChangeOfNameBoldSizeOrLanguage) {
    DocLayout d;
    d.paragraph({{"中文", kBody},
                 {"ABC", kBody},
                 {"粗体", kBold},
                 {"大字", {.size = 14.0f}},
                 {"尾巴", kBody}});
    const word::Document doc = d.open();
    const word::Range para = doc.Paragraphs().Item(1).Range();
    const std::vector<TextRun> runs = runsOf(doc, para);
    const long s = d.start(1);
    ASSERT_EQ(runs.size(), 5u);
    EXPECT_EQ(runs[0].start, s);
    EXPECT_EQ(runs[0].end, s + 2);
    EXPECT_EQ(runs[0].fontName, "宋体");
    EXPECT_EQ(runs[0].language, 2052);
    EXPECT_EQ(runs[1].end, s + 5);
    EXPECT_EQ(runs[1].fontName, "Times New Roman");
    EXPECT_EQ(runs[1].language, 1033);
    EXPECT_EQ(runs[2].end, s + 7);
    EXPECT_EQ(runs[2].bold, -1);
    EXPECT_EQ(runs[3].end, s + 9);
    EXPECT_EQ(runs[3].size, 14.0f);
    EXPECT_EQ(runs[4].end, s + 11);
    EXPECT_EQ(runs[4].end, para.End() - 1);

    const std::vector<TextRun> literal = growingRuns(doc, para);
    ASSERT_EQ(literal.size(), runs.size());
    for (std::size_t i = 0; i < runs.size(); ++i) {
        EXPECT_EQ(literal[i].start, runs[i].start) << i;
        EXPECT_EQ(literal[i].end, runs[i].end) << i;
        EXPECT_EQ(literal[i].fontName, runs[i].fontName) << i;
        EXPECT_EQ(literal[i].bold, runs[i].bold) << i;
        EXPECT_EQ(literal[i].size, runs[i].size) << i;
        EXPECT_EQ(literal[i].language, runs[i].language) << i;
    }
}

TEST_F(RunWalk, UniformParagraphIsOneRunAndBlankHasNone) {
    DocLayout d;
    d.paragraph("一段格式一致的文字");
    d.blank();
    const word::Document doc = d.open();
    const std::vector<TextRun> runs = runsOf(doc, doc.Paragraphs().Item(1).Range());
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].start, d.start(1));
    EXPECT_EQ(runs[0].end, d.start(1, 9));
    EXPECT_TRUE(runsOf(doc, doc.Paragraphs().Item(2).Range()).empty());
}

TEST_F(RunWalk, VisitorMayCorrectEachRunAsItIsFound) {
    DocLayout d;
    d.paragraph({{"小字", {.size = 10.0f}}, {"正常", kBody}, {"大字", {.size = 14.0f}}});
    const word::Document doc = d.open();
    int visited = 0;
    walkRuns(doc, doc.Paragraphs().Item(1).Range(), [&](const TextRun& run) {
        ++visited;
        doc.Range(run.start, run.end).Font().SetSize(12.0f);
    });
    EXPECT_EQ(visited, 3);
    EXPECT_EQ(doc.Range(d.start(1), d.start(1, 6)).Font().Size(), 12.0f);
}

TEST_F(ShortParagraphs, OnRealParagraphs) {
    DocLayout d;
    d.blank();
    d.paragraph("一二三四五六");
    d.paragraph("一二三四五六七");
    const word::Document doc = d.open();
    EXPECT_TRUE(isShortParagraph(doc.Paragraphs().Item(1).Range()));
    EXPECT_TRUE(isShortParagraph(doc.Paragraphs().Item(2).Range()));
    EXPECT_FALSE(isShortParagraph(doc.Paragraphs().Item(3).Range()));
}

TEST_F(Search, PlainWildcardAndStretch) {
    DocLayout d;
    d.paragraph("摘 要", {.asianFont = "黑体", .size = 16.0f, .bold = true}, {.alignment = 1});
    d.paragraph("关键词:格式，检查");
    d.paragraph("后面还有一个冒号：在这里");
    const word::Document doc = d.open();
    word::Selection sel = activeSelection(doc);
    sel.SetRange(0, 0);
    EXPECT_FALSE(findInSelection(sel, "摘要", false, word::wdFindStop));
    EXPECT_EQ(sel.Start(), 0);
    ASSERT_TRUE(findInSelection(sel, "摘^w要", false, word::wdFindStop));
    EXPECT_EQ(sel.Start(), d.start(1));
    EXPECT_EQ(sel.End(), d.start(1, 3));

    // Limited to the keywords paragraph: the ASCII colon is found, the
    // full-width one of the next paragraph is out of reach.
    ASSERT_TRUE(findInStretch(sel, d.start(2, 3), d.end(2), "[：:]", true));
    EXPECT_EQ(sel.Start(), d.start(2, 3));
    EXPECT_EQ(sel.End(), d.start(2, 4));
    EXPECT_FALSE(findInStretch(sel, d.start(2, 4), d.end(2), "[：:]", true));
    EXPECT_EQ(sel.Start(), d.start(2, 4));
    EXPECT_EQ(sel.End(), d.end(2));
    // Nothing to find in an empty stretch.
    EXPECT_FALSE(findInStretch(sel, d.start(2, 4), d.start(2, 4), "[：:]", true));

    // Wrap 1 goes on from the start of the document.
    sel.SetRange(d.start(3), d.start(3));
    ASSERT_TRUE(findInSelection(sel, "关键词", false, word::wdFindContinue));
    EXPECT_EQ(sel.Start(), d.start(2));
    sel.SetRange(d.start(3), d.start(3));
    EXPECT_FALSE(findInSelection(sel, "关键词", false, word::wdFindStop));
}

TEST_F(PageTop, TitleBeginningItsPageAndTitleInsideAPage) {
    DocLayout d;
    d.paragraph("第一页上的一段正文内容");
    d.pageBreak();
    d.paragraph("Abstract", {.latinFont = "Times New Roman", .size = 16.0f, .bold = true});
    d.paragraph("第二页上的一段正文内容");
    d.paragraph("Middle title");
    const word::Document doc = d.open();
    word::Selection sel = activeSelection(doc);
    sel.SetRange(d.start(2), d.start(2, 8));
    EXPECT_EQ(sel.Information(word::wdActiveEndPageNumber), 2);
    EXPECT_TRUE(beginsPage(sel, d.start(2)));
    sel.SetRange(d.start(4), d.start(4, 6));
    EXPECT_FALSE(beginsPage(sel, d.start(4)));
}

TEST_F(MarkAndFix, MarkingIsRed) {
    DocLayout d;
    d.paragraph("需要标红的一段文字");
    const word::Document doc = d.open();
    const word::Range r = doc.Range(d.start(1, 2), d.start(1, 5));
    markFaulty(r);
    EXPECT_EQ(r.Font().Color(), 192);
    EXPECT_EQ(doc.Range(d.start(1), d.start(1, 2)).Font().Color(), -16777216);  // automatic
}

TEST_F(MarkAndFix, CorrectionsInOrderEachEndingBlack) {
    DocLayout d;
    d.paragraph("需要修改的一段文字", {.asianFont = "宋体", .latinFont = "Arial", .size = 10.0f}, {.alignment = 0});
    const word::Document doc = d.open();
    const word::Range r = doc.Paragraphs().Item(1).Range();
    markFaulty(r);
    const Deviations all{true, true, true, true};
    applyCorrections(r, all, Correction{16.0f,
                                        {{FontNameProperty::NameFarEast, "黑体"},
                                         {FontNameProperty::NameAscii, "Times New Roman"}},
                                        1});
    const word::Font f = r.Font();
    EXPECT_EQ(f.Bold(), -1);
    EXPECT_EQ(f.Size(), 16.0f);
    EXPECT_EQ(f.NameFarEast(), "黑体");
    EXPECT_EQ(f.NameAscii(), "Times New Roman");
    EXPECT_EQ(f.Color(), 0);
    EXPECT_EQ(r.Paragraphs().Alignment(), 1);
}

TEST_F(MarkAndFix, OnlyFlaggedDeviationsAreCorrected) {
    DocLayout d;
    d.paragraph("只改字号的一段文字", {.size = 10.0f, .bold = true}, {.alignment = 0});
    const word::Document doc = d.open();
    const word::Range r = doc.Paragraphs().Item(1).Range();
    Deviations sizeOnly;
    sizeOnly.size = true;
    applyCorrections(r, sizeOnly, Correction{12.0f, {{FontNameProperty::NameFarEast, "黑体"}}, 1});
    EXPECT_EQ(r.Font().Size(), 12.0f);
    EXPECT_EQ(r.Font().Bold(), -1);
    EXPECT_EQ(r.Font().NameFarEast(), "宋体");
    EXPECT_EQ(r.Paragraphs().Alignment(), 0);
}

TEST_F(MarkAndFix, ToggleOnMixedBoldLeavesOneValue) {
    DocLayout d;
    d.paragraph({{"加粗文字", kBold}, {"普通文字", kBody}});
    const word::Document doc = d.open();
    const word::Range r = doc.Range(d.start(1), d.start(1, 8));
    Deviations bold;
    bold.bold = true;
    applyCorrections(r, bold, Correction{});
    EXPECT_EQ(r.Font().Bold(), -1);  // Word makes a mixed range bold
}

}  // namespace
}  // namespace quillmark
