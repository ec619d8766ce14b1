#include "support/DocBuilder.h"
#include "support/Engine.h"
#include "word/msword.h"

#include <gtest/gtest.h>

namespace {

using namespace quillmark::testing;

class Layout : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        DocBuilder b;
        b.paragraph("第一页第一行");
        b.paragraph("第一页第二行");
        b.blank();
        b.paragraph("第一页第四行");
        b.pageBreak().paragraph("Abstract", {.latinFont = "Times New Roman", .size = 16, .bold = true}, {.alignment = 1});
        b.paragraph("第二页第二行");
        b.pageBreak().paragraph("第三页");
        doc_ = new word::Document(openCopy(b.save(scratchDir() + "/pages.doc")));
    }
    static void TearDownTestSuite() {
        doc_->Close();
        delete doc_;
    }
    static word::Range paragraph(long i) { return doc_->Paragraphs().Item(i).Range(); }
    static inline word::Document* doc_ = nullptr;
};

TEST_F(Layout, PagesAndLinesAsWordReportsThem) {
    EXPECT_EQ(doc_->Content().Information(word::wdNumberOfPagesInDocument), 3);
    EXPECT_EQ(paragraph(1).Information(word::wdActiveEndPageNumber), 1);
    EXPECT_EQ(paragraph(1).Information(word::wdFirstCharacterLineNumber), 1);
    EXPECT_EQ(paragraph(2).Information(word::wdFirstCharacterLineNumber), 2);
    EXPECT_EQ(paragraph(4).Information(word::wdFirstCharacterLineNumber), 4);
    EXPECT_EQ(paragraph(5).Information(word::wdActiveEndPageNumber), 2);
    EXPECT_EQ(paragraph(5).Information(word::wdFirstCharacterLineNumber), 1);
    EXPECT_EQ(paragraph(6).Information(word::wdFirstCharacterLineNumber), 2);
    EXPECT_EQ(paragraph(7).Information(word::wdActiveEndPageNumber), 3);
    // A range spanning two pages reports the page of its end.
    EXPECT_EQ(doc_->Range(paragraph(4).Start(), paragraph(6).End()).Information(word::wdActiveEndPageNumber), 2);
}

TEST_F(Layout, GoToPreviousThenNextStandsAtTheStartOfTheTitlePage) {
    auto selection = sharedApplication().Selection();
    paragraph(5).Select();
    selection.GoTo(word::wdGoToPage, word::wdGoToPrevious, 1);
    EXPECT_EQ(selection.Start(), 0);
    selection.GoTo(word::wdGoToPage, word::wdGoToNext, 1);
    EXPECT_EQ(selection.Start(), paragraph(5).Start());
    EXPECT_EQ(selection.End(), paragraph(5).Start());
}

TEST_F(Layout, BrowserMovesTheSelectionByPages) {
    auto selection = sharedApplication().Selection();
    paragraph(1).Select();
    auto browser = sharedApplication().Browser();
    browser.Next();
    EXPECT_EQ(selection.Start(), paragraph(5).Start());
    browser.Next();
    EXPECT_EQ(selection.Start(), paragraph(7).Start());
    browser.Previous();
    EXPECT_EQ(selection.Start(), paragraph(5).Start());
}

}  // namespace
