#include "template/ItemLists.h"
#include "template/ListSelection.h"
#include "template/SizeNames.h"

#include <gtest/gtest.h>

namespace quillmark {
namespace {

TEST(SizeNamesTest, PointsShowAsNamesWhenTheTableHasThem) {
    EXPECT_EQ(pointsToSizeText(10.5f), "五号");
    EXPECT_EQ(pointsToSizeText(12.0f), "小四");
    EXPECT_EQ(pointsToSizeText(22.0f), "二号");
    EXPECT_EQ(pointsToSizeText(9.0f), "小五");
    EXPECT_EQ(pointsToSizeText(26.0f), "26.0");
    EXPECT_EQ(pointsToSizeText(10.0f), "10.0");
    EXPECT_EQ(pointsToSizeText(6.5f), "6.5");
    EXPECT_EQ(pointsToSizeText(10.46f), "五号");  // one decimal first, then the table
}

TEST(SizeNamesTest, TextsReadAsPoints) {
    EXPECT_EQ(sizeTextToPoints("二号"), 22.0f);
    EXPECT_EQ(sizeTextToPoints("五号"), 10.5f);
    EXPECT_EQ(sizeTextToPoints("8.0"), 8.0f);
    EXPECT_EQ(sizeTextToPoints("10.5"), 10.5f);
    EXPECT_EQ(sizeTextToPoints("12pt"), 12.0f);
    EXPECT_EQ(sizeTextToPoints(""), 0.0f);
    EXPECT_EQ(sizeTextToPoints("大号"), 0.0f);
    EXPECT_EQ(sizeTextToPoints(" 五号"), 0.0f);  // whole texts only
    EXPECT_EQ(sizeTextToPoints("1" + std::string(60, '0')), 0.0f);
}

TEST(ItemListsTest, ListsHoldTheirItemsInOrder) {
    EXPECT_EQ(sizeItems().size(), 15u);
    EXPECT_EQ(figureTableSizeItems().size(), 16u);
    EXPECT_EQ(figureTableSizeItems()[8], "10.5");
    EXPECT_EQ(figureTableSizeItems()[9], "五号");
    EXPECT_EQ(alignmentItems()[3], "两端对齐");
    EXPECT_EQ(keywordsLabelFormItems()[2], "两者皆可");
    EXPECT_EQ(separatorItems(), (std::vector<std::string>{"-", "."}));
}

TEST(ListSelectionTest, SizesSelectTheirItem) {
    EXPECT_EQ(selectSize(sizeItems(), 10.5f), 8u);
    EXPECT_EQ(selectSize(figureTableSizeItems(), 10.5f), 9u);  // "五号", not "10.5"
    EXPECT_EQ(readSize(figureTableSizeItems(), 8u), 10.5f);
    EXPECT_EQ(readSize(figureTableSizeItems(), 9u), 10.5f);
    EXPECT_EQ(selectSize(sizeItems(), 12.0f), 7u);
    EXPECT_EQ(selectSize(sizeItems(), 26.0f), 0u);
    EXPECT_EQ(selectSize(sizeItems(), 6.5f), 12u);
    EXPECT_EQ(readSize(sizeItems(), 2u), 22.0f);
    EXPECT_EQ(readSize(sizeItems(), 10u), 8.0f);
}

TEST(ListSelectionTest, NoMatchReadsAsNothing) {
    EXPECT_EQ(selectSize(sizeItems(), 10.0f), std::nullopt);
    EXPECT_EQ(readSize(sizeItems(), std::nullopt), 0.0f);
    EXPECT_EQ(selectByIndex(boldItems(), 2), std::nullopt);
    EXPECT_EQ(selectByIndex(boldItems(), -1), std::nullopt);
    EXPECT_EQ(readIndex(std::nullopt), -1);
    EXPECT_EQ(readText(separatorItems(), std::nullopt), "");
    EXPECT_EQ(readText(separatorItems(), 7u), "");
}

TEST(ListSelectionTest, IndexesSelectTheItemAtThem) {
    EXPECT_EQ(selectByIndex(boldItems(), 1), 1u);
    EXPECT_EQ(selectByIndex(alignmentItems(), 4), 4u);
    EXPECT_EQ(readIndex(selectByIndex(abstractHeadingFormItems(), 0)), 0);
}

TEST(ListSelectionTest, TextsSelectTheFirstItemBeginningWithThem) {
    const std::vector<std::string> fonts{"Arial", "Arial Black", "Times New Roman", "宋体", "宋体-方正超大字符集"};
    EXPECT_EQ(selectByPrefix(fonts, "arial"), 0u);
    EXPECT_EQ(selectByPrefix(fonts, "TIMES"), 2u);
    EXPECT_EQ(readText(fonts, selectByPrefix(fonts, "Times")), "Times New Roman");
    EXPECT_EQ(selectByPrefix(fonts, "宋体"), 3u);
    EXPECT_EQ(selectByPrefix(fonts, "黑体"), std::nullopt);
    EXPECT_EQ(selectByPrefix(fonts, ""), 0u);
    EXPECT_EQ(selectByPrefix(separatorItems(), "-"), 0u);
    EXPECT_EQ(selectByPrefix(separatorItems(), "·"), std::nullopt);
    EXPECT_EQ(selectByPrefix({}, ""), std::nullopt);
}

}  // namespace
}  // namespace quillmark
