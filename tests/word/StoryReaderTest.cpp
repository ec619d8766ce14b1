// The story and layout read inside the engine against the same walk made
// call by call over the bridge, and the layout against the view cursor.
#include "support/DocBuilder.h"
#include "support/Engine.h"
#include "word/DocumentModel.h"
#include "word/StoryReader.h"
#include "word/msword.h"
#include "word/reader/StoryPacket.h"

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/text/XPageCursor.hpp>
#include <com/sun/star/text/XTextViewCursorSupplier.hpp>
#include <com/sun/star/view/XViewCursor.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>

namespace {

using namespace quillmark::testing;
namespace css = word::uno::css;

constexpr sal_Int32 kStoryAndLayout = word::packet::Story | word::packet::Layout;

void expectSameAttributes(const word::ParagraphAttributes& a, const word::ParagraphAttributes& b, size_t i) {
    EXPECT_EQ(a.adjust, b.adjust) << "paragraph " << i;
    EXPECT_EQ(a.lastLineAdjust, b.lastLineAdjust) << "paragraph " << i;
    EXPECT_EQ(a.lineSpacingMode, b.lineSpacingMode) << "paragraph " << i;
    EXPECT_EQ(a.lineSpacingHeight, b.lineSpacingHeight) << "paragraph " << i;
    EXPECT_EQ(a.topMargin, b.topMargin) << "paragraph " << i;
    EXPECT_EQ(a.bottomMargin, b.bottomMargin) << "paragraph " << i;
    EXPECT_EQ(a.outlineLevel, b.outlineLevel) << "paragraph " << i;
    EXPECT_EQ(a.listLabel, b.listLabel) << "paragraph " << i;
}

void expectSameStory(const word::StoryReply& inEngine, const word::StoryReply& overBridge) {
    ASSERT_TRUE(inEngine.story && overBridge.story);
    const word::StoryContents& a = *inEngine.story;
    const word::StoryContents& b = *overBridge.story;
    EXPECT_EQ(a.text, b.text);
    ASSERT_EQ(a.paragraphs.size(), b.paragraphs.size());
    for (size_t i = 0; i < a.paragraphs.size(); ++i) {
        EXPECT_EQ(a.paragraphs[i].start, b.paragraphs[i].start) << "paragraph " << i;
        EXPECT_EQ(a.paragraphs[i].length, b.paragraphs[i].length) << "paragraph " << i;
        EXPECT_EQ(a.paragraphs[i].tableRow, b.paragraphs[i].tableRow) << "paragraph " << i;
        EXPECT_EQ(a.paragraphs[i].textIndex, b.paragraphs[i].textIndex) << "paragraph " << i;
        ASSERT_EQ(a.runs[i].size(), b.runs[i].size()) << "paragraph " << i;
        for (size_t r = 0; r < a.runs[i].size(); ++r) {
            EXPECT_EQ(a.runs[i][r].start, b.runs[i][r].start);
            EXPECT_EQ(a.runs[i][r].end, b.runs[i][r].end);
            EXPECT_TRUE(a.runs[i][r].attributes == b.runs[i][r].attributes) << "paragraph " << i << " run " << r;
        }
        expectSameAttributes(a.attributes[i], b.attributes[i], i);
        EXPECT_TRUE(a.marks[i] == b.marks[i]) << "paragraph " << i;
    }
    ASSERT_TRUE(inEngine.layout && overBridge.layout);
    EXPECT_EQ(inEngine.layout->pageCount, overBridge.layout->pageCount);
    EXPECT_EQ(inEngine.layout->lines, overBridge.layout->lines);
}

void expectSameWalkInAndOutOfTheEngine(const word::Document& doc) {
    auto model = doc.model()->unoModel();
    const word::StoryReply inEngine = word::readStory(model, kStoryAndLayout, word::WalkPlace::InEngine);
    const word::StoryReply overBridge = word::readStory(model, kStoryAndLayout, word::WalkPlace::OverBridge);
    expectSameStory(inEngine, overBridge);
}

css::uno::Reference<css::text::XTextViewCursor> viewCursorOf(const word::Document& doc) {
    css::uno::Reference<css::text::XTextViewCursorSupplier> supplier(doc.model()->unoModel()->getCurrentController(),
                                                                     css::uno::UNO_QUERY_THROW);
    return supplier->getViewCursor();
}

// The page the engine's own view shows each paragraph start on, as the
// engine counts pages (with any empty page of its own).
std::vector<long> enginePagesOfParagraphs(const word::Document& doc) {
    auto cursor = viewCursorOf(doc);
    css::uno::Reference<css::text::XPageCursor> pages(cursor, css::uno::UNO_QUERY_THROW);
    std::vector<long> result;
    const long count = static_cast<long>(doc.model()->paragraphs().size());
    for (long i = 0; i < count; ++i) {
        cursor->gotoRange(doc.model()->paragraphObject(i)->getStart(), false);
        result.push_back(pages->getPage());
    }
    return result;
}

long enginePageCount(const word::Document& doc) {
    css::uno::Reference<css::text::XPageCursor> pages(viewCursorOf(doc), css::uno::UNO_QUERY_THROW);
    pages->jumpToLastPage();
    return pages->getPage();
}

void expectPagesAsTheViewShowsThem(const word::Document& doc) {
    const std::vector<long> expected = enginePagesOfParagraphs(doc);
    auto paragraphs = doc.Paragraphs();
    ASSERT_EQ(static_cast<long>(expected.size()), paragraphs.Count());
    for (long i = 1; i <= paragraphs.Count(); ++i) {
        auto start = paragraphs.Item(i).Range();
        start.Collapse(true);
        EXPECT_EQ(start.Information(word::wdActiveEndPageNumber), expected[i - 1]) << "paragraph " << i << " " << start.Text();
    }
}

// Successive paragraphs never go back a page, whatever the layout hides or
// collapses (an empty heading after one that starts a page was read pages
// before it, where the view cursor had stood).
void expectPagesNeverGoBack(const word::Document& doc) {
    auto paragraphs = doc.Paragraphs();
    long before = 1;
    for (long i = 1; i <= paragraphs.Count(); ++i) {
        auto start = paragraphs.Item(i).Range();
        start.Collapse(true);
        const long page = start.Information(word::wdActiveEndPageNumber);
        EXPECT_GE(page, before) << "paragraph " << i << " \"" << start.Paragraphs().Item(1).Range().Text() << "\" line "
                                << start.Information(word::wdFirstCharacterLineNumber);
        before = std::max(before, page);
    }
}

std::vector<std::string> sentences(int count, const std::string& text) { return std::vector<std::string>(count, text); }

const std::string kSentence = "本文研究论文格式自动检查的方法，分析了文档结构、字体字号与段落格式之间的关系。";

class BuiltStory : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        DocBuilder b;
        b.paragraph("摘要", {.asianFont = "黑体", .size = 16, .bold = true}, {.alignment = 1, .outlineLevel = 1});
        b.paragraph({{"正文", {}}, {"English words", {.latinFont = "Arial"}}, {"[1]", {.superscript = true}},
                     {"斜体", {.italic = true, .underline = true}}});
        b.paragraph("固定行距", {}, {.lineSpacing = 20, .exactLineSpacing = true});
        b.paragraph("编号一", {}, {.numbered = true});
        b.paragraphs(sentences(30, kSentence + kSentence));
        // A table that begins on one page and goes on to the next.
        std::vector<std::vector<std::string>> cells;
        for (int r = 1; r <= 30; ++r) cells.push_back({"第" + std::to_string(r) + "行", "右栏" + std::to_string(r)});
        b.table(cells);
        b.paragraph("表后");
        b.pageBreak().paragraph("末页");
        doc_ = new word::Document(openCopy(b.save(scratchDir() + "/story.doc")));
    }
    static void TearDownTestSuite() {
        doc_->Close();
        delete doc_;
    }
    static inline word::Document* doc_ = nullptr;
};

TEST_F(BuiltStory, ReadInsideTheEngineEqualsTheWalkOverTheBridge) { expectSameWalkInAndOutOfTheEngine(*doc_); }

TEST_F(BuiltStory, EveryParagraphReadsThePageTheViewShowsItOn) {
    ASSERT_EQ(doc_->Content().Information(word::wdNumberOfPagesInDocument), enginePageCount(*doc_));
    expectPagesAsTheViewShowsThem(*doc_);
}

TEST_F(BuiltStory, TableCellsOfOneRowShareTheirPageAndLine) {
    auto paragraphs = doc_->Paragraphs();
    long pagesWithTable = 0, lastPage = 0;
    for (long i = 1; i <= paragraphs.Count(); ++i) {
        auto range = paragraphs.Item(i).Range();
        if (range.Text().rfind("第", 0) != 0 || range.Information(word::wdStartOfRangeRowNumber) < 0) continue;
        auto right = paragraphs.Item(i + 1).Range();
        ASSERT_EQ(right.Text().rfind("右栏", 0), 0u);
        EXPECT_EQ(range.Information(word::wdActiveEndPageNumber), right.Information(word::wdActiveEndPageNumber)) << range.Text();
        EXPECT_EQ(range.Information(word::wdFirstCharacterLineNumber), right.Information(word::wdFirstCharacterLineNumber)) << range.Text();
        const long page = range.Information(word::wdActiveEndPageNumber);
        if (page != lastPage) ++pagesWithTable;
        lastPage = page;
    }
    EXPECT_EQ(pagesWithTable, 2) << "the table should begin on one page and go on to the next";
}

TEST(StoryLayout, APageNumberRestartOnTheOtherParityAddsNoPage) {
    DocBuilder b;
    b.paragraph("第一页");
    b.paragraph("第二页，页码从一开始", {}, {.restartPageNumber = 1});
    b.pageBreak().paragraph("第三页");
    auto doc = openCopy(b.save(scratchDir() + "/restart.doc"));
    // The engine shows an empty page of its own before page 2; Word does not.
    ASSERT_EQ(enginePageCount(doc), 4);
    EXPECT_EQ(doc.Content().Information(word::wdNumberOfPagesInDocument), 3);
    auto paragraphs = doc.Paragraphs();
    for (long i = 1; i <= 3; ++i) {
        EXPECT_EQ(paragraphs.Item(i).Range().Information(word::wdActiveEndPageNumber), i);
        EXPECT_EQ(paragraphs.Item(i).Range().Information(word::wdFirstCharacterLineNumber), 1);
    }
    auto selection = sharedApplication().Selection();
    paragraphs.Item(3).Range().Select();
    selection.GoTo(word::wdGoToPage, word::wdGoToPrevious, 1);
    EXPECT_EQ(selection.Start(), paragraphs.Item(2).Range().Start());
    expectSameWalkInAndOutOfTheEngine(doc);

    // A write after the engine's empty page: the walk goes on from the
    // written page, which the engine counts one further than Word.
    paragraphs.Item(3).Range().Font().SetSize(20);
    EXPECT_EQ(paragraphs.Item(3).Range().Information(word::wdActiveEndPageNumber), 3);
    EXPECT_EQ(paragraphs.Item(3).Range().Information(word::wdFirstCharacterLineNumber), 1);
    EXPECT_EQ(doc.Content().Information(word::wdNumberOfPagesInDocument), 3);
    doc.Close();
}

TEST(StoryLayout, WritesAreSeenByTheReadsThatFollow) {
    DocBuilder b;
    b.paragraph("标题", {.size = 16});
    b.paragraphs(sentences(12, kSentence));
    b.paragraph("最后一段");
    auto doc = openCopy(b.save(scratchDir() + "/writes.doc"));
    auto paragraphs = doc.Paragraphs();
    const long last = paragraphs.Count();
    ASSERT_EQ(doc.Content().Information(word::wdNumberOfPagesInDocument), 1);
    ASSERT_EQ(paragraphs.Item(last).Range().Information(word::wdActiveEndPageNumber), 1);

    // Larger text pushes the last paragraph onto a later page.
    doc.Range(paragraphs.Item(2).Range().Start(), paragraphs.Item(last - 1).Range().End()).Font().SetSize(36);
    EXPECT_EQ(doc.Range(paragraphs.Item(2).Range().Start(), paragraphs.Item(2).Range().End() - 1).Font().Size(), 36);
    EXPECT_GT(paragraphs.Item(last).Range().Information(word::wdActiveEndPageNumber), 1);
    expectPagesAsTheViewShowsThem(doc);

    // Inserted text moves every later position.
    auto selection = sharedApplication().Selection();
    doc.Activate();
    doc.Range(0, 0).Select();
    selection.TypeText("新增一段\r");
    auto again = doc.Paragraphs();
    EXPECT_EQ(again.Count(), last + 1);
    EXPECT_EQ(again.Item(1).Range().Text(), "新增一段\r");
    EXPECT_EQ(again.Item(last + 1).Range().Text(), "最后一段\r");
    EXPECT_EQ(again.Item(2).Range().Font().Size(), 16);
    expectPagesAsTheViewShowsThem(doc);
    expectSameWalkInAndOutOfTheEngine(doc);
    doc.Close();
}

// After writes the layout is walked again only from the page of the first
// paragraph written on, and only as far as a read asks; what it reports
// must be what a fresh walk of the whole document reports.
TEST(StoryLayout, PagesAndLinesAfterWritesEqualAFreshWalk) {
    DocBuilder b;
    for (int chapter = 1; chapter <= 3; ++chapter) {
        b.paragraph("第" + std::to_string(chapter) + "章", {.asianFont = "黑体", .size = 16, .bold = true},
                    {.alignment = 1, .outlineLevel = 1});
        b.paragraphs(sentences(24, kSentence + kSentence));
        b.pageBreak();
    }
    b.paragraph("末页");
    auto doc = openCopy(b.save(scratchDir() + "/rewalk.doc"));
    auto paragraphs = doc.Paragraphs();
    const long count = paragraphs.Count();
    const long pagesBefore = doc.Content().Information(word::wdNumberOfPagesInDocument);
    ASSERT_GE(pagesBefore, 6);

    auto paragraphRange = [&](long i) { return paragraphs.Item(i).Range(); };
    auto stretch = [&](long first, long last) { return doc.Range(paragraphRange(first).Start(), paragraphRange(last).End()); };
    // A write on a middle page, then a read just after it (a short walk),
    // then a write on an earlier page and reads further on.
    stretch(count / 2, count / 2 + 3).Font().SetSize(28);
    EXPECT_GE(paragraphRange(count / 2 + 4).Information(word::wdActiveEndPageNumber), 1);
    stretch(5, 8).Font().SetSize(22);
    paragraphRange(6).ParagraphFormat().SetLineSpacing(30);
    EXPECT_GE(paragraphRange(9).Information(word::wdFirstCharacterLineNumber), 1);
    paragraphRange(count - 3).Font().SetSize(9);
    const long pagesAfter = doc.Content().Information(word::wdNumberOfPagesInDocument);
    EXPECT_GT(pagesAfter, pagesBefore) << "larger text should take more pages";

    const word::StoryReply fresh = word::readStory(doc.model()->unoModel(), kStoryAndLayout, word::WalkPlace::InEngine);
    ASSERT_TRUE(fresh.layout && fresh.story);
    EXPECT_EQ(pagesAfter, fresh.layout->pageCount);
    for (long i = 1; i <= count; ++i) {
        auto range = paragraphRange(i);
        const long start = range.Start(), end = range.End();
        // The paragraph's start and a few places inside it, each line of a long paragraph included.
        for (long position = start; position < end; position += 7) {
            auto at = doc.Range(position, position);
            ASSERT_EQ(at.Information(word::wdActiveEndPageNumber), fresh.layout->pageOf(position)) << "paragraph " << i << " at " << position;
            ASSERT_EQ(at.Information(word::wdFirstCharacterLineNumber), fresh.layout->lineOf(position)) << "paragraph " << i << " at " << position;
        }
    }
    doc.Close();
}

// Where the view cursor shows a story position: the engine's page and the
// line of that page, counted from the tops of all lines the view cursor
// passes going down the document.
class ViewLines {
public:
    explicit ViewLines(const word::Document& doc) : doc_(doc), cursor_(viewCursorOf(doc)), pages_(cursor_, css::uno::UNO_QUERY_THROW) {
        css::uno::Reference<css::view::XViewCursor> lines(cursor_, css::uno::UNO_QUERY_THROW);
        pages_->jumpToFirstPage();
        pages_->jumpToStartOfPage();
        do {
            tops_[pages_->getPage()].insert(cursor_->getPosition().Y);
        } while (lines->goDown(1, false));
    }
    long pageOf(long position) {
        cursor_->gotoRange(doc_.model()->unoRange(position, position), false);
        return pages_->getPage();
    }
    long lineOf(long position) {
        const long page = pageOf(position);
        const std::set<sal_Int32>& tops = tops_[page];
        return static_cast<long>(std::distance(tops.begin(), tops.find(cursor_->getPosition().Y))) + 1;
    }
    long pages() const { return static_cast<long>(tops_.size()); }

private:
    const word::Document& doc_;
    css::uno::Reference<css::text::XTextViewCursor> cursor_;
    css::uno::Reference<css::text::XPageCursor> pages_;
    std::map<long, std::set<sal_Int32>> tops_;
};

// A paragraph many pages long: the walk steps over the pages inside it and
// walks them only when a position there is asked about, in any order, or
// when the selection goes to one of them.
TEST(StoryLayout, PagesInsideOneLongParagraphReadWhatTheViewShows) {
    DocBuilder b;
    b.paragraph("摘要", {.size = 16});
    std::string longText;
    for (int i = 0; i < 300; ++i) longText += kSentence;
    b.paragraph(longText);
    b.paragraph("末段");
    const std::string saved = b.save(scratchDir() + "/long-paragraph.doc");
    auto doc = openCopy(saved);
    const word::StoryReply first = word::readStory(doc.model()->unoModel(), word::packet::Layout, word::WalkPlace::InEngine);
    ASSERT_TRUE(first.layout);
    EXPECT_TRUE(std::any_of(first.layout->lines.begin(), first.layout->lines.end(),
                            [](const word::LineStart& line) { return line.restOfPageUnknown; }))
        << "the walk should step over the pages inside the long paragraph";

    ViewLines view(doc);
    ASSERT_GE(view.pages(), 6);
    EXPECT_EQ(doc.Content().Information(word::wdNumberOfPagesInDocument), view.pages());
    const long end = doc.Content().End();
    auto expectAsTheViewShows = [](word::Document& d, ViewLines& v, long position) {
        auto at = d.Range(position, position);
        ASSERT_EQ(at.Information(word::wdActiveEndPageNumber), v.pageOf(position)) << "at " << position;
        ASSERT_EQ(at.Information(word::wdFirstCharacterLineNumber), v.lineOf(position)) << "at " << position;
    };
    // From the end backwards, so that later asks fall between pages walked.
    for (long position = end - 1; position >= 0; position -= 97) expectAsTheViewShows(doc, view, position);
    doc.Close();

    // Forwards, each ask on a page after those walked so far.
    auto forwards = openCopy(saved);
    ViewLines forwardView(forwards);
    for (long position = 0; position < end; position += 389) expectAsTheViewShows(forwards, forwardView, position);
    forwards.Close();

    auto again = openCopy(saved);
    ViewLines fresh(again);
    auto selection = sharedApplication().Selection();
    again.Activate();
    for (long page = fresh.pages(); page >= 1; --page) {
        again.Range(0, 0).Select();
        selection.GoTo(word::wdGoToPage, word::wdGoToAbsolute, page);
        EXPECT_EQ(fresh.pageOf(selection.Start()), page);
        EXPECT_EQ(fresh.lineOf(selection.Start()), 1) << "page " << page << " should begin at its first line";
        EXPECT_EQ(selection.Information(word::wdFirstCharacterLineNumber), 1) << "page " << page;
    }
    again.Close();
}

// Writes land on exactly the characters asked for: after stretches inside a
// paragraph, across paragraphs and in a table cell are written, the runs the
// object model keeps equal those of a fresh read of the document.
TEST(StoryWrites, CachedRunsEqualAFreshReadAfterWrites) {
    DocBuilder b;
    b.paragraph("摘要", {.asianFont = "黑体", .size = 16, .bold = true});
    b.paragraph({{"中文正文", {}}, {"English words", {.latinFont = "Arial"}}, {"再一段中文", {}}});
    b.paragraph(kSentence);
    b.table({{"左栏", "右栏文字"}, {"第二行", "右下"}});
    b.paragraph("表后");
    auto doc = openCopy(b.save(scratchDir() + "/writes-runs.doc"));
    auto paragraphs = doc.Paragraphs();
    auto second = paragraphs.Item(2).Range();
    doc.Range(second.Start() + 2, second.Start() + 9).Font().SetSize(20);             // inside one paragraph
    doc.Range(second.End() - 4, paragraphs.Item(3).Range().Start() + 5).Font().SetBold(1);  // across two
    auto rightCell = paragraphs.Item(5).Range();
    ASSERT_EQ(rightCell.Text(), "右栏文字\r");
    doc.Range(rightCell.Start() + 1, rightCell.End() - 1).Font().SetNameFarEast("楷体");  // in a table cell
    doc.Range(paragraphs.Item(1).Range().Start(), paragraphs.Item(1).Range().End()).Font().SetSize(18);

    word::DocumentModel& model = *doc.model();
    const word::StoryReply fresh = word::readStory(model.unoModel(), word::packet::Story, word::WalkPlace::InEngine);
    ASSERT_TRUE(fresh.story);
    ASSERT_EQ(fresh.story->paragraphs.size(), model.paragraphs().size());
    for (size_t i = 0; i < model.paragraphs().size(); ++i) {
        const word::ParagraphEntry& p = model.paragraphs()[i];
        const std::vector<word::CharRun> cached = model.runsIn(p.start, p.start + p.length);
        const std::vector<word::CharRun>& read = fresh.story->runs[i];
        ASSERT_EQ(cached.size(), read.size()) << "paragraph " << i;
        for (size_t r = 0; r < read.size(); ++r) {
            EXPECT_EQ(cached[r].start, read[r].start) << "paragraph " << i << " run " << r;
            EXPECT_EQ(cached[r].end, read[r].end) << "paragraph " << i << " run " << r;
            EXPECT_TRUE(cached[r].attributes == read[r].attributes) << "paragraph " << i << " run " << r;
        }
    }
    doc.Close();
}

// Word-saved theses beside the project, with the page counts Word stored.
std::string realThesis(const std::string& name) {
    return (std::filesystem::path(QUILLMARK_SOURCE_DIR) / ".." / "shared" / "real" / name).lexically_normal().string();
}

class RealThesis : public ::testing::TestWithParam<std::pair<const char*, long>> {};

TEST_P(RealThesis, ReadAsWordLaysItOut) {
    const auto [name, wordPages] = GetParam();
    const std::string path = realThesis(name);
    if (!std::filesystem::exists(path)) GTEST_SKIP() << "no real thesis at " << path << " (shared/real is not beside the clone)";
    auto doc = openCopy(path);
    expectPagesNeverGoBack(doc);
    expectSameWalkInAndOutOfTheEngine(doc);
    EXPECT_EQ(doc.Content().Information(word::wdNumberOfPagesInDocument), wordPages) << name;
    if (enginePageCount(doc) == doc.Content().Information(word::wdNumberOfPagesInDocument)) {
        expectPagesAsTheViewShowsThem(doc);
    }
    doc.Close();
}

INSTANTIATE_TEST_SUITE_P(SharedReal, RealThesis,
                         ::testing::Values(std::make_pair("cqu_bachelor_2019.doc", 10L),
                                           std::make_pair("seu_template.docx", 33L)));

TEST(SampleThesis, PagesNeverGoBack) {
    for (const char* name : {"bachelor-thesis.doc", "master-thesis.doc"}) {
        SCOPED_TRACE(name);
        auto doc = openCopy((std::filesystem::path(QUILLMARK_SOURCE_DIR) / "samples" / name).string());
        expectPagesNeverGoBack(doc);
        doc.Close();
    }
}

}  // namespace

namespace {

// Read from the engine directly: reading the story through the object model
// would take the paragraph off the grid first.
bool snapsToGrid(const word::Document& doc, long paragraph) {
    css::uno::Reference<css::container::XEnumerationAccess> access(doc.model()->unoDocument()->getText(),
                                                                   css::uno::UNO_QUERY_THROW);
    auto paragraphs = access->createEnumeration();
    for (long i = 1; i < paragraph; ++i) paragraphs->nextElement();
    css::uno::Reference<css::beans::XPropertySet> props(paragraphs->nextElement(), css::uno::UNO_QUERY_THROW);
    bool snaps = false;
    props->getPropertyValue("SnapToGrid") >>= snaps;
    return snaps;
}

TEST(GridSnapping, OffForExactLinesInTheWorkingCopyAndBackInTheReport) {
    DocBuilder b;
    b.paragraph("固定行距", {}, {.lineSpacing = 20, .exactLineSpacing = true});
    b.paragraph("一倍半行距");
    auto doc = openCopy(b.save(scratchDir() + "/grid.doc"));
    EXPECT_TRUE(snapsToGrid(doc, 1)) << "as the thesis has it, before the first read";
    ASSERT_EQ(doc.Paragraphs().Count(), 2);
    EXPECT_FALSE(snapsToGrid(doc, 1));
    EXPECT_TRUE(snapsToGrid(doc, 2));

    const std::string report = scratchDir() + "/report.odt";
    doc.SaveAs(report);
    EXPECT_FALSE(snapsToGrid(doc, 1)) << "the working copy goes on without the grid";
    doc.Close();
    auto saved = openCopy(report);
    EXPECT_TRUE(snapsToGrid(saved, 1)) << "the report snaps as the thesis did";
    EXPECT_TRUE(snapsToGrid(saved, 2));
    saved.Close();
}

}  // namespace
