// The abstract-notes checker: each input document with the findings it must
// produce, in check mode and in auto-fix mode (which changes nothing here),
// and the two text rules that delimit a note.
#include "checks/AbstractNotesChecker.h"

#include "CheckHarness.h"
#include "DocLayout.h"
#include "support/Engine.h"

#include <gtest/gtest.h>

namespace quillmark {
namespace {

using testing::CheckRunResult;
using testing::DocLayout;
using testing::TextStyle;
using testing::finding;
using testing::kMedium;
using testing::kUnmarked;

// Text never marked keeps its automatic colour (Word's wdColorAutomatic).


const std::string kSize = "注释字号有误，请自行查找默认模板或您所设置的模板摘要（要摘）注释部分相对应的字号。";
const std::string kAcrossPages = "注释不应隔页书写。";

std::string longNote() {
    std::string text = "注：";
    for (int i = 0; i < 12; ++i) text += "本研究得到了国家自然科学基金的资助。";
    return text;
}

// Page 1: the Chinese abstract with its keywords line, blank lines, the
// note paragraphs and blank lines; then the English abstract, by default
// on a new page.
struct Notes {
    std::string label = "关键词";
    int blanksBeforeNote = 0;
    std::vector<std::pair<std::string, TextStyle>> note = {{"注：本文得到某某基金的资助。", {.size = 10.5f}}};
    int blanksAfterNote = 0;
    bool breakBeforeTitle = true;
    int blanksAtTitlePageTop = 0;
    std::string title = "Abstract";

    int keywordsIndex = 0;
    int noteIndex = 0;  // the last note paragraph: the note
    int titleIndex = 0;

    DocLayout build() {
        DocLayout d;
        d.paragraph("摘要", {.asianFont = "黑体", .size = 16.0f, .bold = true}, {.alignment = 1});
        d.blank();
        d.paragraph("本文研究了学位论文格式检查的方法。");
        d.blank();
        d.paragraph(label + "：格式检查，学位论文，自动修改");
        keywordsIndex = d.count();
        if (blanksBeforeNote > 0) d.blank(blanksBeforeNote);
        for (const auto& [text, style] : note) d.paragraph(text, style);
        noteIndex = d.count();
        if (blanksAfterNote > 0) d.blank(blanksAfterNote);
        if (breakBeforeTitle) d.pageBreak();
        if (blanksAtTitlePageTop > 0) d.blank(blanksAtTitlePageTop);
        d.paragraph(title, {.size = 16.0f, .bold = true}, {.alignment = 1});
        titleIndex = d.count();
        d.blank();
        d.paragraph("This thesis checks the format of theses.");
        d.blank();
        d.paragraph("Key words: thesis; format; checking");
        return d;
    }
};

CheckRunResult check(const word::Document& doc, const FormatTemplate& tpl = FormatTemplate{}) {
    return testing::runCheck(CheckKind::AbstractNotes, doc, tpl, CheckMode::Check);
}

CheckRunResult fix(const word::Document& doc, const FormatTemplate& tpl = FormatTemplate{}) {
    return testing::runCheck(CheckKind::AbstractNotes, doc, tpl, CheckMode::AutoFix);
}

FormatTemplate sized(float size) {
    FormatTemplate tpl;
    tpl.abstractNotesSize = size;
    return tpl;
}

using Lines = std::vector<std::string>;

class AbstractNotesCheck : public testing::DocumentTest {};

// --------------------------------------------------------- the text rules

TEST(NoteText, ParagraphsWithoutTextAndBreaksAtTheEnd) {
    EXPECT_TRUE(holdsNoText("\r"));
    EXPECT_TRUE(holdsNoText("\f\f\r"));
    EXPECT_FALSE(holdsNoText(" \r"));
    EXPECT_FALSE(holdsNoText("a\f\r"));
    EXPECT_EQ(trailingBreaks("注：资助。"), 0);
    EXPECT_EQ(trailingBreaks("注：资助。\r\r\r"), 3);
    // A page or section break, alone or as a paragraph of its own.
    EXPECT_EQ(trailingBreaks("注：资助。\f"), 1);
    EXPECT_EQ(trailingBreaks("注：资助。\r\f\r"), 3);
    EXPECT_EQ(trailingBreaks("注：资助。 \r"), 1);
}

// --------------------------------------------------------------- the size

TEST_F(AbstractNotesCheck, NoteInTheTemplateSizePasses) {
    auto checker = makeChecker(CheckKind::AbstractNotes);
    ASSERT_NE(checker, nullptr);
    EXPECT_EQ(checker->kind(), CheckKind::AbstractNotes);
    EXPECT_FALSE(checker->frameSteps().collapseSelection);
    EXPECT_FALSE(checker->frameSteps().postCheckState);

    Notes n;
    DocLayout d = n.build();
    const word::Document doc = d.open();
    const CheckRunResult r = check(doc);
    EXPECT_EQ(r.lines(), Lines{});
    ASSERT_EQ(r.progress.size(), 1u);
    EXPECT_EQ(r.progress[0].text, "注释");
    EXPECT_EQ(r.progress[0].totalPages, 2);
    EXPECT_EQ(r.progress[0].page, 1);
    EXPECT_EQ(r.progress[0].line, n.noteIndex);
    EXPECT_EQ(fix(doc).lines(), Lines{});
    EXPECT_EQ(doc.Range(d.start(n.noteIndex), d.end(n.noteIndex)).Font().Color(), kUnmarked);
}

TEST_F(AbstractNotesCheck, NoteAgainstAWholeNumberSizeIsReportedAndMarkedInBothModes) {
    Notes n;
    DocLayout d = n.build();
    const int i = n.noteIndex;
    for (CheckMode mode : {CheckMode::Check, CheckMode::AutoFix}) {
        const word::Document doc = d.open();
        const CheckRunResult r = testing::runCheck(CheckKind::AbstractNotes, doc, sized(10.0f), mode);
        EXPECT_EQ(r.lines(), Lines{finding(kMedium, 1, i, d.start(i), kSize)});
        EXPECT_EQ(doc.Range(d.start(i), d.end(i) - 1).Font().Color(), 192);
        // Nothing is corrected.
        EXPECT_EQ(doc.Range(d.start(i), d.end(i) - 1).Font().Size(), 10.5f);
        EXPECT_EQ(doc.Paragraphs().Item(n.keywordsIndex).Range().Font().Color(), kUnmarked);
        EXPECT_EQ(doc.Paragraphs().Item(n.titleIndex).Range().Font().Color(), kUnmarked);
    }
}

// --------------------------------------------------------------- the page

TEST_F(AbstractNotesCheck, NoteRunningOntoTheNextPage) {
    Notes n;
    n.blanksBeforeNote = 26;
    n.note = {{longNote(), {.size = 10.5f}}};
    DocLayout d = n.build();
    const int i = n.noteIndex;
    const word::Document doc = d.open();
    // The note starts at the foot of page 1 and ends on page 2.
    ASSERT_EQ(doc.Range(d.start(i), d.start(i, 1)).Information(3), 1);
    ASSERT_EQ(doc.Range(d.end(i) - 2, d.end(i) - 1).Information(3), 2);
    // Page of the note's end, line of its first character.
    const Lines expected{finding(kMedium, 2, 32, d.start(i), kAcrossPages)};
    EXPECT_EQ(check(doc).lines(), expected);
    EXPECT_EQ(fix(doc).lines(), expected);
}

TEST_F(AbstractNotesCheck, BlankLinesBeforeTheTitleDoNotBelongToTheNote) {
    // The note fills page 1 to its last line; the blank lines after it and
    // the title stand on page 2.
    Notes n;
    n.blanksBeforeNote = 24;
    n.note = {{longNote(), {.size = 10.5f}}};
    n.blanksAfterNote = 3;
    n.breakBeforeTitle = false;
    DocLayout d = n.build();
    const int i = n.noteIndex;
    const word::Document doc = d.open();
    ASSERT_EQ(doc.Range(d.end(i) - 2, d.end(i) - 1).Information(3), 1);
    ASSERT_EQ(doc.Range(d.start(i + 1), d.start(i + 1)).Information(3), 2);
    ASSERT_EQ(doc.Range(d.start(n.titleIndex), d.start(n.titleIndex)).Information(3), 2);
    EXPECT_EQ(check(doc).lines(), Lines{});

    // Marked, the note ends before its paragraph mark.
    EXPECT_EQ(check(doc, sized(12.0f)).lines(), Lines{finding(kMedium, 1, 30, d.start(i), kSize)});
    EXPECT_EQ(doc.Range(d.start(i), d.end(i) - 1).Font().Color(), 192);
}

TEST_F(AbstractNotesCheck, EmptyParagraphOpeningTheTitlePageIsNotPartOfTheNote) {
    // The page break stands before an empty paragraph at the top of page 2.
    Notes n;
    n.blanksAtTitlePageTop = 1;
    n.blanksAfterNote = 1;
    DocLayout d = n.build();
    const word::Document doc = d.open();
    ASSERT_EQ(doc.Range(d.start(n.noteIndex + 2), d.start(n.noteIndex + 2)).Information(3), 2);
    EXPECT_EQ(check(doc).lines(), Lines{});
}

// ---------------------------------------------------------- which note

TEST_F(AbstractNotesCheck, NoNoteGivesNothingAndLeavesTheDocumentAlone) {
    for (int blanks : {0, 1, 3}) {
        Notes n;
        n.note = {};
        n.blanksAfterNote = blanks;
        DocLayout d = n.build();
        for (CheckMode mode : {CheckMode::Check, CheckMode::AutoFix}) {
            const word::Document doc = d.open();
            const CheckRunResult r = testing::runCheck(CheckKind::AbstractNotes, doc, sized(10.0f), mode);
            EXPECT_EQ(r.lines(), Lines{}) << blanks;
            EXPECT_TRUE(r.progress.empty()) << blanks;
            EXPECT_EQ(doc.Range(0, d.end(d.count())).Font().Color(), kUnmarked) << blanks;
        }
    }
}

TEST_F(AbstractNotesCheck, TitleBeforeTheKeywordsGivesNothing) {
    DocLayout d;
    d.paragraph("Abstract");
    d.paragraph("注：这一段在英文标题之后。", {.size = 12.0f});
    d.paragraph("关键词：格式检查，学位论文，自动修改");
    d.paragraph("注：最后一段。", {.size = 12.0f});
    EXPECT_EQ(check(d.open()).lines(), Lines{});
}

// ------------------------------------------------ label, title, Selection

TEST_F(AbstractNotesCheck, MissingLabelOrTitleEndsTheRunSilently) {
    {
        Notes n;
        n.label = "主题词";
        n.note = {{"注：本文得到某某基金的资助。", {.size = 12.0f}}};
        EXPECT_EQ(check(n.build().open("label.doc")).lines(), Lines{});
    }
    {
        Notes n;
        n.title = "Summary";
        n.note = {{"注：本文得到某某基金的资助。", {.size = 12.0f}}};
        const CheckRunResult r = check(n.build().open("title.doc"));
        EXPECT_EQ(r.lines(), Lines{});
        EXPECT_TRUE(r.progress.empty());
    }
}

TEST_F(AbstractNotesCheck, LabelWordFollowsTheTemplate) {
    FormatTemplate zi = sized(10.0f);
    zi.cnKeywordsLabelForm = 0;
    FormatTemplate either = sized(10.0f);
    either.cnKeywordsLabelForm = 2;

    Notes ci;
    DocLayout dc = ci.build();
    const word::Document docCi = dc.open("ci.doc");
    EXPECT_EQ(check(docCi, zi).lines(), Lines{});
    EXPECT_EQ(check(docCi, either).lines(),
              Lines{finding(kMedium, 1, ci.noteIndex, dc.start(ci.noteIndex), kSize)});

    Notes withZi;
    withZi.label = "关键字";
    DocLayout dz = withZi.build();
    const word::Document docZi = dz.open("zi.doc");
    EXPECT_EQ(check(docZi, zi).lines(),
              Lines{finding(kMedium, 1, withZi.noteIndex, dz.start(withZi.noteIndex), kSize)});
    // Either form searches only "关键词".
    EXPECT_EQ(check(docZi, either).lines(), Lines{});
}

TEST_F(AbstractNotesCheck, AutoFixPostsBothFindingsAndStillMarks) {
    Notes n;
    n.blanksBeforeNote = 26;
    n.note = {{longNote(), {.size = 12.0f}}};
    DocLayout d = n.build();
    const int i = n.noteIndex;
    const word::Document doc = d.open();
    EXPECT_EQ(fix(doc).lines(),
              (Lines{finding(kMedium, 2, 32, d.start(i), kSize), finding(kMedium, 2, 32, d.start(i), kAcrossPages)}));
    const word::Font f = doc.Range(d.start(i), d.end(i) - 1).Font();
    EXPECT_EQ(f.Color(), 192);
    EXPECT_EQ(f.Size(), 12.0f);
}

}  // namespace
}  // namespace quillmark
