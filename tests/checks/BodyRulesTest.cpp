// The pieces of the body-text check that need no document: the message
// form, citation numbers, chapter numbers, notes and caption numbers.
#include "checks/BodyParagraphCheck.h"
#include "checks/CaptionCheck.h"
#include "checks/CitationCheck.h"
#include "checks/HeadingCheck.h"
#include "checks/Messages.h"

#include <gtest/gtest.h>

namespace quillmark {
namespace {

namespace msg = messages;
using Numbers = std::vector<int>;

TEST(BodyMessages, LabelWordsAdviceWordsAndFullStop) {
    EXPECT_EQ(msg::bodyForm(msg::BodyItem::Heading1, "字体名字号"),
              "一级标题字体名字号有误！请自行查找默认模板或您所设置的模板一级标题相对应的字体名字号。");
    EXPECT_EQ(msg::bodyForm(msg::BodyItem::Superscript, "字号"),
              "上标字号有误！请自行查找默认模板或您所设置的模板正文上标相对应的字号。");
    EXPECT_EQ(msg::bodyForm(msg::BodyItem::TableText, "字体名"),
              "表格正文字体名有误！请自行查找默认模板或您所设置的模板表格正文相对应的字体名。");
    EXPECT_EQ(msg::bodyForm(msg::BodyItem::EnTableCaption, "字体名"),
              "英文表名字体名有误！请自行查找默认模板或您所设置的模板英文表名相对应的字体名。");
}

TEST(BodyMessages, NoteAndDoubtfulCaptionCarryTheirHint) {
    EXPECT_EQ(msg::bodyForm(msg::BodyItem::Note, "字号"),
              "表注或图注字号有误！请自行查找默认模板或您所设置的模板表注或图注相对应的字号。"
              "\r\n\t(如果是图名，请确保是居中且图后回车)");
    EXPECT_EQ(msg::bodyForm(msg::BodyItem::OtherCentred, "字体名字号"),
              "表名或图名字体名字号有误！请自行查找默认模板或您所设置的模板表名或图名相对应的字体名字号。"
              "\r\n\t(如果此错误不是图名，请不要居中；如果真是图名，请确保是居中，以“图”字开头且图后回车)");
    EXPECT_STREQ(msg::bodyItemLevel(msg::BodyItem::OtherCentred), "轻微");
    EXPECT_STREQ(msg::bodyItemLevel(msg::BodyItem::FigureCaption), "中等");
}

TEST(CitationNumbers, ListsAndSpans) {
    EXPECT_EQ(citations::numbersOf("1"), Numbers{1});
    EXPECT_EQ(citations::numbersOf("1,3"), (Numbers{1, 3}));
    EXPECT_EQ(citations::numbersOf("1，3"), (Numbers{1, 3}));
    EXPECT_EQ(citations::numbersOf("2-5"), (Numbers{2, 3, 4, 5}));
    EXPECT_EQ(citations::numbersOf("2–5"), (Numbers{2, 3, 4, 5}));  // en dash
    EXPECT_EQ(citations::numbersOf("1,4-6,9"), (Numbers{1, 4, 5, 6, 9}));
}

TEST(CitationNumbers, OddSpansAndTooLargeNumbers) {
    EXPECT_EQ(citations::numbersOf("5-2"), (Numbers{5, 2}));        // backwards: its ends
    EXPECT_EQ(citations::numbersOf("1-101"), (Numbers{1, 101}));    // 101 numbers: its ends
    EXPECT_EQ(citations::numbersOf("1-100").size(), 100u);
    EXPECT_EQ(citations::numbersOf("99999999999"), Numbers{});     // not an int
    EXPECT_EQ(citations::numbersOf("3-99999999999"), Numbers{3});
    EXPECT_EQ(citations::numbersOf("a"), Numbers{});
    EXPECT_EQ(citations::numbersOf(""), Numbers{});
    EXPECT_EQ(citations::numbersOf("2-"), Numbers{2});
    EXPECT_EQ(citations::numbersOf("-3"), Numbers{3});
}

TEST(ChapterNumbers, LeadingIntegerOfTheHeadingText) {
    EXPECT_EQ(headings::leadingInteger("1 绪论"), 1);
    EXPECT_EQ(headings::leadingInteger("  12绪论"), 12);
    EXPECT_EQ(headings::leadingInteger("+3 结论"), 3);
    EXPECT_EQ(headings::leadingInteger("-2 附录"), -2);
    EXPECT_EQ(headings::leadingInteger("第一章 绪论"), 0);
    EXPECT_EQ(headings::leadingInteger("第1章 绪论"), 0);
    EXPECT_EQ(headings::leadingInteger("99999999999 绪论"), 0);
    EXPECT_EQ(headings::leadingInteger(""), 0);
}

TEST(Notes, FirstBytesDecide) {
    EXPECT_TRUE(body::isNote("注:数据来自调查。"));
    EXPECT_TRUE(body::isNote("注：数据来自调查。"));
    EXPECT_FALSE(body::isNote("注，数据来自调查。"));
    EXPECT_FALSE(body::isNote(" 注：数据"));
    EXPECT_FALSE(body::isNote("注"));
}

TEST(CaptionNumbers, KindsBySearchWord) {
    using captions::CaptionKind;
    EXPECT_EQ(captions::kindOf("Fig"), CaptionKind::EnFigure);
    EXPECT_EQ(captions::kindOf("Tab"), CaptionKind::EnTable);
    EXPECT_EQ(captions::kindOf("表"), CaptionKind::Table);
    EXPECT_EQ(captions::kindOf("图"), CaptionKind::Figure);
    EXPECT_EQ(captions::kindOf("Figure"), CaptionKind::Other);
    EXPECT_EQ(captions::kindOf("fig"), CaptionKind::Other);
    EXPECT_EQ(captions::kindOf("表格"), CaptionKind::Other);
    EXPECT_EQ(captions::kindOf("表 "), CaptionKind::Table);
    EXPECT_EQ(captions::kindOf("Fig\xE3\x80\x80"), CaptionKind::EnFigure);
    EXPECT_EQ(captions::kindOf(" 表"), CaptionKind::Other);
}

TEST(CaptionNumbers, SearchesWithTheSeparator) {
    const auto dot = captions::numberSearches(true, ".");
    EXPECT_EQ(dot[0], "表^#.^#^#");
    EXPECT_EQ(dot[1], "表^w^#.^#^#");
    EXPECT_EQ(dot[2], "表^#.^#");
    EXPECT_EQ(dot[3], "表^w^#.^#");
    EXPECT_EQ(captions::numberSearches(false, "-")[3], "图^w^#-^#");
}

TEST(CaptionNumbers, NumberTextAndItsTest) {
    EXPECT_EQ(captions::numberText("表2.3"), "2.3");
    EXPECT_EQ(captions::numberText("表 2.3"), "2.3");
    EXPECT_EQ(captions::numberText("图\xE3\x80\x80" "2.3"), "2.3");
    EXPECT_TRUE(captions::numberIsRight("2.1", 2, 0, false));
    EXPECT_FALSE(captions::numberIsRight("2.1", 3, 0, false));
    EXPECT_FALSE(captions::numberIsRight("2.4", 2, 2, false));
    EXPECT_TRUE(captions::numberIsRight("2.10", 2, 9, true));
    EXPECT_FALSE(captions::numberIsRight("2.10", 2, 0, true));
    EXPECT_TRUE(captions::numberIsRight("2-1", 2, 0, false));
}

}  // namespace
}  // namespace quillmark
