#include "template/ProfileValues.h"

#include <gtest/gtest.h>

#include <limits>

namespace quillmark {
namespace {

TEST(ProfileValuesTest, OnePairOfEnclosingQuotesIsRemoved) {
    EXPECT_EQ(unquoteProfileText("\"黑体\""), "黑体");
    EXPECT_EQ(unquoteProfileText("'黑体'"), "黑体");
    EXPECT_EQ(unquoteProfileText("\"\"x\"\""), "\"x\"");
    EXPECT_EQ(unquoteProfileText("\" a \""), " a ");
    EXPECT_EQ(unquoteProfileText("\"\""), "");
    EXPECT_EQ(unquoteProfileText("\""), "\"");
    EXPECT_EQ(unquoteProfileText("\"x'"), "\"x'");
    EXPECT_EQ(unquoteProfileText("a\"b\""), "a\"b\"");
}

TEST(ProfileValuesTest, QuotedTextsReadBackUnchanged) {
    for (const char* text : {"", "黑体", " lead", "trail\t", "\"q\"", "'q'", "\"", "'", "\"x'", "a b"}) {
        EXPECT_EQ(unquoteProfileText(quoteProfileText(text)), text) << text;
    }
    EXPECT_EQ(quoteProfileText("Times New Roman"), "Times New Roman");
    EXPECT_EQ(quoteProfileText(" x"), "\" x\"");
}

TEST(ProfileValuesTest, IntegersFromLeadingDigits) {
    EXPECT_EQ(parseProfileInteger("1"), 1);
    EXPECT_EQ(parseProfileInteger("10.5"), 10);
    EXPECT_EQ(parseProfileInteger("16pt"), 16);
    EXPECT_EQ(parseProfileInteger("007"), 7);
    EXPECT_EQ(parseProfileInteger(""), 0);
    EXPECT_EQ(parseProfileInteger("abc"), 0);
    EXPECT_EQ(parseProfileInteger("五号"), 0);
    EXPECT_EQ(parseProfileInteger(".5"), 0);
    EXPECT_EQ(parseProfileInteger("\"12\""), 12);
}

TEST(ProfileValuesTest, SignsAndHexPrefix) {
    EXPECT_EQ(parseProfileInteger("-3"), -3);
    EXPECT_EQ(parseProfileInteger("+3"), 3);
    EXPECT_EQ(parseProfileInteger("- 3"), 0);
    EXPECT_EQ(parseProfileInteger("--3"), 0);
    EXPECT_EQ(parseProfileInteger("\" 3\""), 0);
    EXPECT_EQ(parseProfileInteger("0x1A"), 26);
    EXPECT_EQ(parseProfileInteger("-0X10"), -16);
    EXPECT_EQ(parseProfileInteger("0x"), 0);
    EXPECT_EQ(parseProfileInteger("0xg"), 0);
}

TEST(ProfileValuesTest, OutOfRangeIntegersAreClamped) {
    constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
    constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
    EXPECT_EQ(parseProfileInteger("2147483647"), kMax);
    EXPECT_EQ(parseProfileInteger("2147483648"), kMax);
    EXPECT_EQ(parseProfileInteger("-2147483648"), kMin);
    EXPECT_EQ(parseProfileInteger("-99999999999999999999999"), kMin);
    EXPECT_EQ(parseProfileInteger("0xFFFFFFFFFFFFFFFFFFFF"), kMax);
}

}  // namespace
}  // namespace quillmark
