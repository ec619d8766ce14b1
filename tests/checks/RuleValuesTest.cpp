// The rules on the values the engine reports, without a document.
#include "checks/FormatRules.h"

#include <gtest/gtest.h>

namespace quillmark {
namespace {

constexpr long kMixed = word::wdUndefined;

TEST(BoldRule, FlagOneAsksForBold) {
    EXPECT_EQ(expectedBold(1), -1);
    EXPECT_EQ(expectedBold(0), 0);
    EXPECT_EQ(expectedBold(2), 0);
    EXPECT_FALSE(boldDeviates(-1, 1));
    EXPECT_TRUE(boldDeviates(0, 1));
    EXPECT_FALSE(boldDeviates(0, 0));
    EXPECT_TRUE(boldDeviates(-1, 0));
}

TEST(BoldRule, CoverVariantTakesAnyNonZeroFlagAsBold) {
    EXPECT_EQ(expectedBold(2, BoldRule::NonZero), -1);
    EXPECT_EQ(expectedBold(-1, BoldRule::NonZero), -1);
    EXPECT_EQ(expectedBold(0, BoldRule::NonZero), 0);
    EXPECT_FALSE(boldDeviates(-1, 2, BoldRule::NonZero));
    EXPECT_TRUE(boldDeviates(-1, 2));
}

TEST(BoldRule, MixedDeviatesBothWays) {
    EXPECT_TRUE(boldDeviates(kMixed, 1));
    EXPECT_TRUE(boldDeviates(kMixed, 0));
    EXPECT_TRUE(boldDeviates(kMixed, 1, BoldRule::NonZero));
}

TEST(SizeRule, ExactEqualityOnly) {
    EXPECT_FALSE(sizeDeviates(10.5f, 10.5f));
    EXPECT_TRUE(sizeDeviates(10.4f, 10.5f));
    EXPECT_TRUE(sizeDeviates(10.5f, 10.0f));
    EXPECT_TRUE(sizeDeviates(static_cast<float>(kMixed), 12.0f));
}

TEST(FontNameRule, CaseSensitiveAndEmptyDeviates) {
    EXPECT_FALSE(fontNameDeviates("Times New Roman", "Times New Roman"));
    EXPECT_TRUE(fontNameDeviates("times new roman", "Times New Roman"));
    EXPECT_TRUE(fontNameDeviates("", ""));
    EXPECT_TRUE(fontNameDeviates("", "宋体"));
}

TEST(RunFontRule, RightOnlyForTheLanguagesOwnFont) {
    EXPECT_FALSE(runFontDeviates("宋体", 2052, "宋体", "Times New Roman"));
    EXPECT_FALSE(runFontDeviates("Times New Roman", 1033, "宋体", "Times New Roman"));
    EXPECT_TRUE(runFontDeviates("宋体", 1033, "宋体", "Times New Roman"));
    EXPECT_TRUE(runFontDeviates("Times New Roman", 2052, "宋体", "Times New Roman"));
    EXPECT_TRUE(runFontDeviates("宋体", 1031, "宋体", "Times New Roman"));
    EXPECT_TRUE(runFontDeviates("", 2052, "", "Times New Roman"));
}

TEST(ShortParagraph, CountsCodePage936BytesWithTheMark) {
    EXPECT_TRUE(isShortText("\r"));
    EXPECT_TRUE(isShortText("一二三四五六\r"));     // 13 bytes
    EXPECT_TRUE(isShortText("一二三四五六7\r"));    // 14 bytes
    EXPECT_FALSE(isShortText("一二三四五六七\r"));  // 15 bytes
    EXPECT_TRUE(isShortText("abcdefghijklm\r"));
    EXPECT_FALSE(isShortText("abcdefghijklmn\r"));
}

TEST(Deviations, AnyOfTheFour) {
    EXPECT_FALSE(Deviations{}.any());
    EXPECT_TRUE((Deviations{false, false, false, true}.any()));
    EXPECT_TRUE((Deviations{true, false, false, false}.any()));
}

}  // namespace
}  // namespace quillmark
