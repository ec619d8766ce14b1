// The reference checker: where it finds the title, where the list ends and
// which paragraphs it takes for entries. The format of single entries is
// ReferenceEntryFormatTest.cpp.
#include "checks/ReferencesChecker.h"

#include "checks/ReferenceEntryFormat.h"
#include "CheckHarness.h"
#include "ReferenceThesis.h"
#include "support/Engine.h"

#include <gtest/gtest.h>

#include <chrono>

namespace quillmark {
namespace {

using testing::CheckRunResult;
using testing::ParaStyle;
using testing::ReferenceThesis;
using testing::TocLayout;
using testing::finding;
using testing::kMedium;
using testing::kSevere;
using testing::kUnmarked;

const std::string kTitleNotFound =
    "找不到“参考文献”标题。若没有该标题，请添加；若有该标题但没有设置“居中”对齐格式，请设置。";
const std::string kBare = "排版有误（请检查是否有正确设置参考文献的标识。若没有，请添加；若有，请检查其正确格式）！";

const std::string kGood = "[1] 作者甲. 书名[M]. 出版地: 出版者, 2005: 12-20.";
const std::string kBad = "[2] 作者乙 书名 出版地 出版者";  // no full stop, no marker

// The reference list starts a page: page 1 holds the cover line and the
// table of contents, page 2 chapter 1.
constexpr int kReferencePage = 3;

using Lines = std::vector<std::string>;

CheckRunResult run(const word::Document& doc, CheckMode mode, const FormatTemplate& tpl = FormatTemplate{}) {
    return testing::runCheck(CheckKind::References, doc, tpl, mode);
}

CheckRunResult check(const word::Document& doc, const FormatTemplate& tpl = FormatTemplate{}) {
    return run(doc, CheckMode::Check, tpl);
}

// A bare entry finding for paragraph `index` on line `line` of the reference page.
std::string bareEntry(const TocLayout& d, int index, int line) {
    return finding(kMedium, kReferencePage, line, d.start(index), kBare);
}

// Line of an entry on the reference page: the title takes line 1.
int lineOf(const ReferenceThesis& t, int index) { return index - t.titleIndex + 1; }

long colourOf(const word::Document& doc, const TocLayout& d, int index) {
    return doc.Range(d.start(index), d.end(index) - 1).Font().Color();
}

// Where the engine leaves the caret when a selection of the whole document
// collapses to its end.
long caretAfterWholeDocument(const word::Document& doc) {
    doc.Activate();
    doc.Select();
    word::Selection sel = testing::sharedApplication().Selection();
    sel.MoveRight(word::wdCharacter, 1);
    return sel.Start();
}

class ReferencesCheck : public ::testing::Test {
protected:
    void TearDown() override { testing::closeAllDocuments(); }

    // Checks in both modes, each on a fresh copy, and expects the same findings.
    Lines bothModes(TocLayout& d, const FormatTemplate& tpl = FormatTemplate{}) {
        const Lines checked = check(d.open("check.doc"), tpl).lines();
        const Lines fixed = run(d.open("fix.doc"), CheckMode::AutoFix, tpl).lines();
        EXPECT_EQ(fixed, checked) << "auto-fix reports as check mode";
        return checked;
    }
};

// ------------------------------------------------------------ the frame

TEST_F(ReferencesCheck, RegisteredWithTheFrameDefaults) {
    auto checker = makeChecker(CheckKind::References);
    ASSERT_NE(checker, nullptr);
    EXPECT_EQ(checker->kind(), CheckKind::References);
    EXPECT_FALSE(checker->frameSteps().collapseSelection);
    EXPECT_FALSE(checker->frameSteps().postCheckState);
}

// ------------------------------------------------------------ the title

TEST_F(ReferencesCheck, SpacedAndPlainCentredTitlesAreFound) {
    for (const char* title : {"参 考 文 献", "参考文献", "参\t考　文  献"}) {
        ReferenceThesis t;
        t.title = title;
        t.entries = {kGood, kBad};
        TocLayout d = t.build();
        const word::Document doc = d.open();
        const CheckRunResult r = check(doc);
        EXPECT_EQ(r.lines(), Lines{bareEntry(d, t.entryIndex(1), lineOf(t, t.entryIndex(1)))}) << title;
        EXPECT_TRUE(r.progress.empty());
        EXPECT_EQ(r.checkStates, 0);
        EXPECT_EQ(colourOf(doc, d, t.entryIndex(0)), kUnmarked) << title;
        EXPECT_EQ(colourOf(doc, d, t.entryIndex(1)), 192) << title;
        EXPECT_EQ(colourOf(doc, d, t.titleIndex), kUnmarked) << title;
        testing::closeAllDocuments();
    }
}

TEST_F(ReferencesCheck, LeftAlignedOccurrencesBeforeTheTitleAreSkipped) {
    ReferenceThesis t;
    // A spaced and a plain occurrence in justified body text, before the
    // centred title; neither paragraph is taken for an entry.
    t.chapterText = {"参 考 文 献", "参考文献", "正文的最后一段。"};
    t.entries = {kBad};
    TocLayout d = t.build();
    const Lines found = bothModes(d);
    EXPECT_EQ(found, Lines{bareEntry(d, t.entryIndex(0), 2)});
}

TEST_F(ReferencesCheck, OnlyALeftAlignedTitleIsSevere) {
    ReferenceThesis t;
    t.titlePara.alignment = 0;
    t.entries = {kGood, kBad};
    TocLayout d = t.build();
    const Lines found = bothModes(d);
    // The search ends on the rest of the document after the occurrence.
    const long afterTitle = d.start(t.titleIndex, 4);
    EXPECT_EQ(found, Lines{finding(kSevere, kReferencePage, 1, afterTitle, kTitleNotFound)});
    const word::Document doc = d.open();
    check(doc);
    EXPECT_EQ(colourOf(doc, d, t.entryIndex(1)), kUnmarked);
}

TEST_F(ReferencesCheck, TitleWordsInsideCentredSentencesAreNotTheTitle) {
    ReferenceThesis t;
    t.chapterText = {"本章参考文献的整理方法", "参 考 文 献 与 注 释"};
    t.chapterPara.alignment = 1;
    t.entries = {kBad};
    TocLayout d = t.build();
    const Lines found = bothModes(d);
    EXPECT_EQ(found, Lines{bareEntry(d, t.entryIndex(0), 2)});
}

TEST_F(ReferencesCheck, OnlyACentredSentenceWithTheTitleWordsIsSevere) {
    ReferenceThesis t;
    t.title = "参考文献目录";  // 5 bytes more than the title words, mark included
    t.entries = {kGood};
    TocLayout d = t.build();
    const Lines found = bothModes(d);
    EXPECT_EQ(found, Lines{finding(kSevere, kReferencePage, 1, d.start(t.titleIndex, 4), kTitleNotFound)});
}

TEST_F(ReferencesCheck, ThreeBytesBesideTheTitleWordsStillMakeTheTitle) {
    ReferenceThesis t;
    t.title = "参考文献：";  // the colon and the mark: 3 bytes
    t.entries = {kGood, kBad};
    TocLayout d = t.build();
    // The title's paragraph is not an entry.
    const Lines found = bothModes(d);
    EXPECT_EQ(found, Lines{bareEntry(d, t.entryIndex(1), lineOf(t, t.entryIndex(1)))});
}

TEST_F(ReferencesCheck, NoTableOfContentsIsSevere) {
    ReferenceThesis t;
    t.tableOfContents = false;
    t.entries = {kGood, kBad};
    TocLayout d = t.build();
    const word::Document doc = d.open();
    // Pages: the cover, chapter 1, the references.
    const int lastLine = lineOf(t, t.entryIndex(1));
    const CheckRunResult r = check(doc);
    EXPECT_EQ(r.lines(), Lines{finding(kSevere, 3, lastLine, caretAfterWholeDocument(doc), kTitleNotFound)});
    EXPECT_EQ(colourOf(doc, d, t.entryIndex(1)), kUnmarked);
    EXPECT_EQ(run(doc, CheckMode::AutoFix).lines(), r.lines());
}

TEST_F(ReferencesCheck, NoTableOfContentsFindingStandsBeforeTheFinalParagraphMark) {
    ReferenceThesis t;
    t.tableOfContents = false;
    t.entries = {kGood};
    TocLayout d = t.build();
    const word::Document doc = d.open();
    // A collapsed Selection never stands after the final paragraph mark.
    EXPECT_EQ(caretAfterWholeDocument(doc), d.documentEnd() - 1);
    const CheckRunResult r = check(doc);
    ASSERT_EQ(r.findings.size(), 1u);
    EXPECT_EQ(r.findings[0].position, d.documentEnd() - 1);
}

TEST_F(ReferencesCheck, AMastersThesisNeedsOnlyOneTableOfContents) {
    ReferenceThesis t;
    t.entries = {kGood, kBad};
    TocLayout d = t.build();
    FormatTemplate masters;
    masters.thesisType = 1;
    const Lines found = bothModes(d, masters);
    EXPECT_EQ(found, Lines{bareEntry(d, t.entryIndex(1), lineOf(t, t.entryIndex(1)))});
}

// ------------------------------------------------------------ the extent

TEST_F(ReferencesCheck, ListEndsBeforeTheNextHeading) {
    ReferenceThesis t;
    t.entries = {kGood, kBad};
    int heading = 0;
    t.after = [&](TocLayout& d) {
        d.blank(2);
        d.pageBreak();
        d.paragraph("致谢", {.asianFont = "黑体", .size = 16.0f, .bold = true}, {.alignment = 1, .outlineLevel = 1});
        heading = d.count();
        d.paragraph("感谢导师的悉心指导");
    };
    TocLayout d = t.build();
    // The blank lines and the page break are not entries, nor what follows.
    const Lines found = bothModes(d);
    EXPECT_EQ(found, Lines{bareEntry(d, t.entryIndex(1), lineOf(t, t.entryIndex(1)))});
    const word::Document doc = d.open();
    check(doc);
    EXPECT_EQ(colourOf(doc, d, heading), kUnmarked);
    EXPECT_EQ(colourOf(doc, d, heading + 1), kUnmarked);
}

TEST_F(ReferencesCheck, BlankLinesBetweenEntriesAreEntries) {
    ReferenceThesis t;
    t.entries = {kGood, "", kGood};
    TocLayout d = t.build();
    const Lines found = bothModes(d);
    EXPECT_EQ(found, Lines{bareEntry(d, t.entryIndex(1), lineOf(t, t.entryIndex(1)))});
}

TEST_F(ReferencesCheck, HeadingsOfLevelFourDoNotEndTheList) {
    ReferenceThesis t;
    t.entries = {kGood};
    int level4 = 0;
    t.after = [&](TocLayout& d) {
        d.paragraph("外文文献", {}, {.alignment = 0, .outlineLevel = 4});
        level4 = d.count();
        d.paragraph(kGood);
        d.paragraph("附录", {}, {.alignment = 1, .outlineLevel = 3});
        d.paragraph("附录的内容");
    };
    TocLayout d = t.build();
    const Lines found = bothModes(d);
    EXPECT_EQ(found, Lines{bareEntry(d, level4, lineOf(t, level4))});
}

TEST_F(ReferencesCheck, ListAtTheDocumentEndRunsToIt) {
    // The last entry ends the document, or blank lines follow it.
    for (int blanks : {0, 3}) {
        ReferenceThesis t;
        t.entries = {kGood, kGood, kBad};
        t.after = [blanks](TocLayout& d) { d.blank(blanks); };
        TocLayout d = t.build();
        const Lines found = bothModes(d);
        if (blanks == 0) {
            EXPECT_EQ(d.end(t.entryIndex(2)), d.documentEnd());
        }
        EXPECT_EQ(found, Lines{bareEntry(d, t.entryIndex(2), lineOf(t, t.entryIndex(2)))}) << blanks;
        testing::closeAllDocuments();
    }
}

TEST_F(ReferencesCheck, AHeadingRightAfterTheTitleLeavesTheListToTheDocumentEnd) {
    ReferenceThesis t;
    int heading = 0;
    t.after = [&](TocLayout& d) {
        d.paragraph("致谢", {}, {.alignment = 1, .outlineLevel = 1});
        heading = d.count();
        d.paragraph("感谢导师的悉心指导");
    };
    TocLayout d = t.build();
    const Lines found = bothModes(d);
    EXPECT_EQ(found, (Lines{bareEntry(d, heading, 2), bareEntry(d, heading + 1, 3)}));
}

TEST_F(ReferencesCheck, TitleWithoutEntriesHasNoFindings) {
    // The title ends the document; or only blank lines follow it up to a heading.
    for (bool blanks : {false, true}) {
        ReferenceThesis t;
        if (blanks) {
            t.after = [](TocLayout& d) {
                d.blank(2);
                d.paragraph("致谢", {}, {.alignment = 1, .outlineLevel = 1});
            };
        }
        TocLayout d = t.build();
        const Lines found = bothModes(d);
        if (!blanks) {
            EXPECT_EQ(d.end(t.titleIndex), d.documentEnd());
        }
        EXPECT_EQ(found, Lines{}) << blanks;
        testing::closeAllDocuments();
    }
}

TEST_F(ReferencesCheck, TrailingMarksAndPageBreaksAreCut) {
    using references::endWithoutTrailingBreaks;
    EXPECT_EQ(endWithoutTrailingBreaks("[1] 甲. 乙[M]. 丙: 丁, 2005.\r\r\f\r", 40), 36);
    EXPECT_EQ(endWithoutTrailingBreaks("条目\r\f条目\r", 9), 8);
    EXPECT_EQ(endWithoutTrailingBreaks("\r\f\r", 12), 9);
    EXPECT_EQ(endWithoutTrailingBreaks("", 7), 7);
    EXPECT_EQ(endWithoutTrailingBreaks("条目", 2), 2);
}

// ------------------------------------------------------------ bad input

TEST_F(ReferencesCheck, ThousandsOfEntriesAreEachCheckedOnceInBothModes) {
    constexpr int kEntries = 2000;
    ReferenceThesis t;
    for (int i = 0; i < kEntries; ++i) {
        const std::string n = "[" + std::to_string(i + 1) + "] ";
        t.entries.push_back(i % 2 == 0 ? n + "作者甲. 书名[M]. 出版地: 出版者, 2005: 12-20." : n + "作者乙 书名 出版地 出版者");
    }
    TocLayout d = t.build();
    const word::Document doc = d.open("large.doc");
    const auto started = std::chrono::steady_clock::now();
    const CheckRunResult r = check(doc);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    ASSERT_EQ(r.findings.size(), static_cast<size_t>(kEntries / 2));
    for (size_t i = 0; i < r.findings.size(); ++i) {
        ASSERT_EQ(r.findings[i].position, d.start(t.entryIndex(static_cast<int>(2 * i + 1)))) << i;
        ASSERT_EQ(r.findings[i].description, kBare) << i;
        ASSERT_EQ(r.findings[i].level, kMedium) << i;
    }
    EXPECT_EQ(r.findings.front().page, kReferencePage);
    EXPECT_EQ(r.findings.front().line, 3);
    EXPECT_GT(r.findings.back().page, kReferencePage + 20);
    EXPECT_LT(seconds, 60.0);
    // The marks of the first run change nothing for the second.
    EXPECT_EQ(run(doc, CheckMode::AutoFix).lines(), r.lines());
}

}  // namespace
}  // namespace quillmark
