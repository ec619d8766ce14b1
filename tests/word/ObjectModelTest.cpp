#include "support/DocBuilder.h"
#include "support/Engine.h"
#include "word/msword.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

using namespace quillmark::testing;
using word::wdUndefined;

const TextStyle kHeiBold16{.asianFont = "黑体", .latinFont = "Times New Roman", .size = 16, .bold = true};
const TextStyle kSong12{};
const TextStyle kEnglish{.asianFont = "宋体", .latinFont = "Arial", .size = 12};

// One document for the read-only tests of this file.
class ObjectModel : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        DocBuilder b;
        b.paragraph("摘要", kHeiBold16, {.alignment = 1, .outlineLevel = 1});             // 1
        b.paragraph({{"中文正文", kSong12}, {"English", kEnglish}, {"加粗", {.bold = true}}}, {.alignment = 3});  // 2
        b.blank();                                                                                    // 3
        b.paragraph("Key words: thesis, format", kEnglish, {.alignment = 0, .lineSpacing = 12});    // 4
        b.paragraph("右对齐", kSong12, {.alignment = 2, .outlineLevel = 2, .lineSpacing = 24});       // 5
        b.paragraph("第一项", kSong12, {.numbered = true});                                           // 6
        b.paragraph("第二项", kSong12, {.numbered = true});                                           // 7
        b.paragraph("上标[1]", kSong12);                                                            // 8
        b.paragraph("固定行距", kSong12, {.lineSpacing = 20, .exactLineSpacing = true});              // 9
        path_ = b.save(scratchDir() + "/model.doc");
        doc_ = new word::Document(openCopy(path_));
    }
    static void TearDownTestSuite() {
        doc_->Close();
        delete doc_;
    }
    static word::Range paragraph(long i) { return doc_->Paragraphs().Item(i).Range(); }

    static inline std::string path_;
    static inline word::Document* doc_ = nullptr;
};

TEST_F(ObjectModel, PositionsCountCharactersAndParagraphMarks) {
    EXPECT_EQ(doc_->Paragraphs().Count(), 9);
    auto first = paragraph(1);
    EXPECT_EQ(first.Start(), 0);
    EXPECT_EQ(first.End(), 3);  // 摘, 要, mark
    EXPECT_EQ(first.Text(), "摘要\r");
    EXPECT_EQ(paragraph(2).Start(), 3);
    EXPECT_EQ(paragraph(3).Text(), "\r");
    EXPECT_EQ(doc_->Range(3, 7).Text(), "中文正文");
    EXPECT_EQ(doc_->Range(7, 14).Text(), "English");
    EXPECT_EQ(doc_->Content().End(), paragraph(9).End());
}

TEST_F(ObjectModel, FontReadsWordValuesAndMixedValues) {
    auto title = paragraph(1).Font();
    EXPECT_EQ(title.NameFarEast(), "黑体");
    EXPECT_EQ(title.NameAscii(), "Times New Roman");
    EXPECT_EQ(title.Size(), 16.0f);
    EXPECT_EQ(title.Bold(), -1);
    // Chinese text reads its Asian font as Name; Latin text its Latin font.
    EXPECT_EQ(doc_->Range(3, 7).Font().Name(), "宋体");
    EXPECT_EQ(doc_->Range(7, 14).Font().Name(), "Arial");
    EXPECT_EQ(doc_->Range(3, 14).Font().Name(), "");  // both, in different fonts
    auto mixed = paragraph(2).Font();
    EXPECT_EQ(mixed.Bold(), wdUndefined);
    EXPECT_EQ(mixed.NameAscii(), "");
    EXPECT_EQ(doc_->Range(14, 16).Font().Bold(), -1);
    EXPECT_EQ(paragraph(3).Font().Size(), 12.0f);  // an empty paragraph reads its mark
}

TEST_F(ObjectModel, LanguageFollowsTheScriptOfTheCharacters) {
    EXPECT_EQ(doc_->Range(3, 7).LanguageID(), 2052);
    EXPECT_EQ(doc_->Range(7, 14).LanguageID(), 1033);
    EXPECT_EQ(doc_->Range(3, 14).LanguageID(), wdUndefined);
}

TEST_F(ObjectModel, ParagraphFormatInWordNumbers) {
    auto paras = doc_->Paragraphs();
    EXPECT_EQ(paras.Item(1).Alignment(), 1);
    EXPECT_EQ(paras.Item(2).Alignment(), 3);
    EXPECT_EQ(paras.Item(4).Alignment(), 0);
    EXPECT_EQ(paras.Item(5).Alignment(), 2);
    EXPECT_EQ(doc_->Range(0, paragraph(2).End()).Paragraphs().Alignment(), wdUndefined);
    EXPECT_EQ(paras.Item(2).LineSpacing(), 18.0f);
    EXPECT_EQ(paras.Item(4).LineSpacing(), 12.0f);
    EXPECT_EQ(paras.Item(5).LineSpacing(), 24.0f);
    EXPECT_EQ(paras.Item(9).LineSpacing(), 20.0f);
    EXPECT_EQ(paras.Item(9).Format().LineSpacingRule(), word::wdLineSpaceExactly);
    EXPECT_EQ(paras.Item(1).OutlineLevel(), 1);
    EXPECT_EQ(paras.Item(5).OutlineLevel(), 2);
    EXPECT_EQ(paras.Item(2).OutlineLevel(), 10);
}

TEST_F(ObjectModel, ListValueNumbersListItems) {
    EXPECT_EQ(paragraph(6).ListFormat().ListValue(), 1);
    EXPECT_EQ(paragraph(7).ListFormat().ListValue(), 2);
    EXPECT_EQ(paragraph(8).ListFormat().ListValue(), 0);
}

TEST_F(ObjectModel, WordsSplitAsWordDoes) {
    auto words = paragraph(4).Words();
    ASSERT_GE(words.Count(), 6);
    EXPECT_EQ(words.Item(1).Text(), "Key ");
    EXPECT_EQ(words.Item(2).Text(), "words");
    EXPECT_EQ(words.Item(3).Text(), ":");
    EXPECT_EQ(words.Last().Text(), "\r");
}

TEST_F(ObjectModel, FindMovesTheRangeOntoTheMatch) {
    auto range = doc_->Content();
    EXPECT_TRUE(range.Find().Execute("key WORDS"));
    EXPECT_EQ(range.Text(), "Key words");
    EXPECT_TRUE(range.Find().Found());
    auto title = doc_->Content();
    EXPECT_TRUE(title.Find().Execute("摘要"));
    EXPECT_EQ(title.Start(), 0);
    EXPECT_EQ(title.End(), 2);
    auto miss = doc_->Range(3, 7);
    EXPECT_FALSE(miss.Find().Execute("English"));  // outside the range, no wrap
    EXPECT_EQ(miss.Start(), 3);
    EXPECT_EQ(miss.End(), 7);
    EXPECT_FALSE(miss.Find().Found());
}

TEST_F(ObjectModel, SelectionFindWrapsOnlyWhenAsked) {
    auto selection = sharedApplication().Selection();
    doc_->Range(paragraph(5).Start(), paragraph(5).Start()).Select();
    EXPECT_FALSE(selection.Find().Execute("摘要", {.wrap = word::wdFindStop}));
    EXPECT_TRUE(selection.Find().Execute("摘要", {.wrap = word::wdFindContinue}));
    EXPECT_EQ(selection.Start(), 0);
    // A selection holding text: stop searches inside it only.
    doc_->Range(paragraph(4).Start(), paragraph(4).End()).Select();
    EXPECT_TRUE(selection.Find().Execute("[:：]", {.matchWildcards = true}));
    EXPECT_EQ(selection.Text(), ":");
}

TEST_F(ObjectModel, SelectionMovesByCharacterAndToTheStoryEnd) {
    auto selection = sharedApplication().Selection();
    doc_->Range(3, 7).Select();
    EXPECT_EQ(selection.MoveRight(word::wdCharacter, 1), 1);
    EXPECT_EQ(selection.Start(), 7);
    EXPECT_EQ(selection.End(), 7);
    selection.MoveLeft(word::wdCharacter, 2);
    EXPECT_EQ(selection.Start(), 5);
    selection.EndKey(word::wdStory, word::wdExtend);
    EXPECT_EQ(selection.Start(), 5);
    EXPECT_EQ(selection.End(), doc_->Content().End());
}

TEST(ObjectModelTables, CellsArePartOfTheStoryAndKnowTheirRow) {
    const std::string path = DocBuilder()
                                 .paragraph("表1 测试表")
                                 .table({{"甲", "乙"}, {"丙", "丁"}})
                                 .paragraph("表后")
                                 .save(scratchDir() + "/table.doc");
    auto doc = openCopy(path);
    const std::string text = doc.Content().Text();
    EXPECT_NE(text.find("甲\r乙\r丙\r丁\r"), std::string::npos) << text;
    auto cell = doc.Content();
    ASSERT_TRUE(cell.Find().Execute("丙"));
    EXPECT_EQ(cell.Information(word::wdStartOfRangeRowNumber), 2);
    EXPECT_EQ(doc.Range(0, 0).Information(word::wdStartOfRangeRowNumber), -1);
    doc.Close();
}

TEST(ObjectModelFields, ATableOfContentsIsAFieldOfType13) {
    const std::string path = DocBuilder()
                                 .paragraph("目录", {}, {.alignment = 1})
                                 .tableOfContents()
                                 .pageBreak()
                                 .paragraph("第一章 绪论", kHeiBold16, {.alignment = 1, .outlineLevel = 1})
                                 .paragraph("正文。")
                                 .save(scratchDir() + "/toc.doc");
    auto doc = openCopy(path);
    auto fields = doc.Fields();
    long toc = 0;
    for (long i = 1; i <= fields.Count(); ++i) {
        if (fields.Item(i).Type() == word::wdFieldTOC) toc = i;
    }
    ASSERT_GT(toc, 0);
    fields.Item(toc).Select();
    auto selection = sharedApplication().Selection();
    EXPECT_GT(selection.End(), selection.Start());
    EXPECT_NE(selection.Text().find("绪论"), std::string::npos);
    selection.MoveRight(word::wdCharacter, 1);
    EXPECT_LT(selection.Start(), doc.Content().End());
    doc.Close();
}

// Font names with alternates, as Word-saved files carry them, read back
// from both formats: the first name, unless code page 936 cannot hold it.
TEST(ObjectModelFontNames, AFirstNameNoChineseSystemCanHoldReadsAsItsAlternate) {
    const std::string mangled = "\u02CE\u0325";  // a mangled 宋体
    DocBuilder b;
    b.paragraph("Text", {.latinFont = mangled + ";Times New Roman"});                  // 1
    b.paragraph("中文", {.asianFont = mangled + ";宋体"});                             // 2
    b.paragraph("Text", {.latinFont = "黑体;SimHei"});                                 // 3
    b.paragraph("Text", {.latinFont = "\uBC14\uD0D5;Batang"});                       // 4: Korean
    b.paragraph("Text", {.latinFont = mangled});                                       // 5: no alternate
    b.paragraph("中文 Text", {.asianFont = mangled + ";宋体", .latinFont = mangled + ";Times New Roman"});  // 6
    for (const char* name : {"/names.doc", "/names.docx"}) {
        SCOPED_TRACE(name);
        auto doc = openCopy(b.save(scratchDir() + name));
        const auto font = [&](long i) { return doc.Paragraphs().Item(i).Range().Font(); };
        EXPECT_EQ(font(1).Name(), "Times New Roman");
        EXPECT_EQ(font(2).NameFarEast(), "宋体");
        EXPECT_EQ(font(3).NameAscii(), "黑体");
        EXPECT_EQ(font(4).NameAscii(), "Batang");
        EXPECT_EQ(font(5).NameAscii(), mangled);
        const word::Range sixth = doc.Paragraphs().Item(6).Range();
        EXPECT_EQ(doc.Range(sixth.Start(), sixth.Start() + 2).Font().Name(), "宋体");
        EXPECT_EQ(doc.Range(sixth.Start() + 3, sixth.Start() + 7).Font().Name(), "Times New Roman");
        doc.Close();
    }
}

TEST(ObjectModelWrites, FontPutsAndToggleLandInTheDocument) {
    const std::string path = DocBuilder().paragraph("红色标记").paragraph("加粗", {.bold = true}).save(scratchDir() + "/w.doc");
    auto doc = openCopy(path);
    auto first = doc.Paragraphs().Item(1).Range();
    first.Font().SetColor(word::wdColorMarkRed);
    EXPECT_EQ(first.Font().Color(), 192);
    auto bold = doc.Paragraphs().Item(2).Range();
    bold.Font().SetBold(word::wdToggle);
    EXPECT_EQ(bold.Font().Bold(), 0);
    doc.Range(0, 2).Font().SetSize(16);
    EXPECT_EQ(first.Font().Size(), wdUndefined);
    doc.Range(0, 4).Font().SetNameFarEast("黑体");
    doc.Paragraphs().Item(1).SetAlignment(word::wdAlignParagraphCenter);
    // What was written survives a save and a fresh read.
    const std::string saved = scratchDir() + "/w-saved.doc";
    doc.SaveAs(saved);
    doc.Close();
    auto reopened = openCopy(saved);
    auto r = reopened.Paragraphs().Item(1).Range();
    EXPECT_EQ(r.Font().Color(), 192);
    EXPECT_EQ(r.Font().NameFarEast(), "黑体");
    EXPECT_EQ(reopened.Range(0, 2).Font().Size(), 16.0f);
    EXPECT_EQ(reopened.Paragraphs().Item(1).Alignment(), 1);
    EXPECT_EQ(reopened.Paragraphs().Item(2).Range().Font().Bold(), 0);
    reopened.Close();
}

// Marking a range of which a part is marked already writes the rest.
TEST(ObjectModelWrites, MarkingAPartlyMarkedRangeMarksAllOfIt) {
    const std::string path = DocBuilder().paragraph("第一段文字").paragraph("第二段").save(scratchDir() + "/part.doc");
    auto doc = openCopy(path);
    doc.Range(1, 3).Font().SetColor(word::wdColorMarkRed);
    doc.Range(0, 9).Font().SetColor(word::wdColorMarkRed);
    doc.Range(0, 9).Font().SetColor(word::wdColorMarkRed);
    const std::string saved = scratchDir() + "/part-saved.doc";
    doc.SaveAs(saved);
    doc.Close();
    auto reopened = openCopy(saved);
    EXPECT_EQ(reopened.Range(0, 5).Font().Color(), 192);
    EXPECT_EQ(reopened.Range(6, 9).Font().Color(), 192);
    reopened.Close();
}

TEST(ObjectModelWrites, TypeParagraphKeepsPositionsConsistent) {
    const std::string path = DocBuilder().paragraph("甲乙").paragraph("丙").save(scratchDir() + "/t.doc");
    auto doc = openCopy(path);
    doc.Range(1, 1).Select();
    auto selection = sharedApplication().Selection();
    selection.TypeParagraph();
    EXPECT_EQ(selection.Start(), 2);
    EXPECT_EQ(doc.Content().Text(), "甲\r乙\r丙\r");
    EXPECT_EQ(doc.Paragraphs().Count(), 3);
    EXPECT_EQ(doc.Paragraphs().Item(3).Range().Start(), 4);
    doc.Close();
}

}  // namespace

namespace {

TEST(ObjectModelBlanks, WhiteSpaceTakesItsFontFromTheTextAroundIt) {
    using namespace quillmark::testing;
    const std::string path =
        DocBuilder().paragraph("摘  要", {.asianFont = "黑体", .size = 16, .bold = true}).paragraph("格式 检查").save(scratchDir() + "/blanks.doc");
    auto doc = openCopy(path);
    EXPECT_EQ(doc.Range(0, 4).Font().NameFarEast(), "黑体");
    EXPECT_EQ(doc.Range(0, 4).Font().Name(), "黑体");
    EXPECT_EQ(doc.Range(0, 4).LanguageID(), 2052);
    EXPECT_EQ(doc.Range(5, 8).LanguageID(), 2052);  // "格式 " as a word with its blank
    EXPECT_EQ(doc.Range(1, 3).Font().Size(), 16.0f);  // blanks alone read themselves
    doc.Close();
}

}  // namespace

namespace {

TEST(ObjectModelWrites, TypeTextTakesLineAndParagraphBreaksAndSaveAsRefusesAMissingFolder) {
    using namespace quillmark::testing;
    auto doc = openCopy(DocBuilder().paragraph("甲").save(scratchDir() + "/tt.doc"));
    doc.Range(1, 1).Select();
    auto selection = sharedApplication().Selection();
    selection.TypeText("a\vb\rc\fd");
    EXPECT_EQ(selection.Start(), 7);  // the form feed is dropped
    EXPECT_EQ(doc.Content().Text(), "甲a\vb\rcd\r");
    const std::string dir = scratchDir();
    std::ofstream(dir + "/file") << "x";
    EXPECT_THROW(doc.SaveAs(dir + "/file/out.doc"), word::WordError);
    doc.Close();
    EXPECT_THROW(doc.Activate(), word::WordError);
}

}  // namespace
