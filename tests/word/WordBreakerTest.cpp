#include "word/WordBreaker.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::u16string> words(std::u16string_view text) {
    std::vector<std::u16string> result;
    for (auto [s, e] : word::splitWords(text)) result.emplace_back(text.substr(s, e - s));
    return result;
}

TEST(WordBreaker, LatinWordsKeepTheirTrailingSpaces) {
    EXPECT_EQ(words(u"Key words: thesis  format\r"),
              (std::vector<std::u16string>{u"Key ", u"words", u":", u" ", u"thesis  ", u"format", u"\r"}));
}

TEST(WordBreaker, PunctuationStandsAlone) {
    EXPECT_EQ(words(u"a,b, c."), (std::vector<std::u16string>{u"a", u",", u"b", u",", u" ", u"c", u"."}));
}

TEST(WordBreaker, ChineseSplitsIntoDictionaryWords) {
    auto split = words(u"格式检查；论文\r");
    // The dictionary splits the ideographs; punctuation and the mark stand alone.
    ASSERT_GE(split.size(), 4u);
    EXPECT_EQ(split.back(), u"\r");
    std::u16string joined;
    for (const auto& w : split) joined += w;
    EXPECT_EQ(joined, u"格式检查；论文\r");
    EXPECT_NE(std::find(split.begin(), split.end(), u"；"), split.end());
    EXPECT_NE(std::find(split.begin(), split.end(), u"论文"), split.end());
}

TEST(WordBreaker, LeadingWhiteSpaceIsAWordOfItsOwn) {
    EXPECT_EQ(words(u"  abc"), (std::vector<std::u16string>{u"  ", u"abc"}));
    EXPECT_TRUE(words(u"").empty());
}

}  // namespace
