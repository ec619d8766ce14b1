#include "word/SearchPattern.h"

#include <gtest/gtest.h>

namespace {

using word::SearchPattern;
using Hit = std::optional<std::pair<long, long>>;

Hit plain(std::u16string_view pattern, std::u16string_view text, bool matchCase = false) {
    return SearchPattern::plain(pattern, matchCase).search(text, 0, static_cast<long>(text.size()));
}

Hit wild(std::u16string_view pattern, std::u16string_view text, long from = 0) {
    return SearchPattern::wildcards(pattern).search(text, from, static_cast<long>(text.size()));
}

Hit at(long start, long end) { return std::make_pair(start, end); }

TEST(PlainFind, MatchesLiteralTextIgnoringCaseUnlessAsked) {
    EXPECT_EQ(plain(u"abstract", u"The ABSTRACT here"), at(4, 12));
    EXPECT_EQ(plain(u"abstract", u"The ABSTRACT here", true), std::nullopt);
    EXPECT_EQ(plain(u"Key words", u"x\rKey words: a"), at(2, 11));
}

TEST(PlainFind, CaretWMatchesAnyRunOfWhiteSpace) {
    EXPECT_EQ(plain(u"摘^w要", u"  摘   要\r"), at(2, 7));
    EXPECT_EQ(plain(u"摘^w要", u"摘\t要"), at(0, 3));
    EXPECT_EQ(plain(u"摘^w要", u"摘\u3000要"), at(0, 3));
    EXPECT_EQ(plain(u"摘^w要", u"摘要"), std::nullopt);  // at least one blank
    EXPECT_EQ(plain(u"参^w考^w文^w献", u"参 考 文 献"), at(0, 7));
}

TEST(PlainFind, CaretHashMatchesOneDigitAndCaretCaretACaret) {
    EXPECT_EQ(plain(u"图^#", u"见图3所示"), at(1, 3));
    EXPECT_EQ(plain(u"^^", u"a^b"), at(1, 2));
    EXPECT_EQ(plain(u"^p", u"ab\rcd"), at(2, 3));
}

TEST(WildcardFind, StarIsLazyAndSetsTakeEitherForm) {
    EXPECT_EQ(wild(u"*[.．]", u"作者甲. 书名[M]. 出版地"), at(0, 4));
    EXPECT_EQ(wild(u"*[.．]", u"作者甲．书名"), at(0, 4));
    EXPECT_EQ(wild(u"[:：]", u"关键词：a"), at(3, 4));
    EXPECT_EQ(wild(u"[,，]", u"a，b,c"), at(1, 2));
}

TEST(WildcardFind, EscapedBracketsFindTheTypeMarker) {
    const std::u16string entry = u"[1] 作者甲. 书名[M]. 出版地: 出版者, 2005: 12-20.";
    // From after the first full stop, up to and including the marker.
    auto hit = wild(u"*\\[*?\\]", entry, 8);
    ASSERT_TRUE(hit);
    EXPECT_EQ(entry.substr(hit->first, hit->second - hit->first), u" 书名[M]");
    EXPECT_EQ(wild(u"\\[[JMD]\\]", u"abc[J]def"), at(3, 6));
    EXPECT_EQ(wild(u"\\[[JMD]\\]", u"abc[Z]def"), std::nullopt);
}

TEST(WildcardFind, ParenthesisedTextNeedsOneCharacterInside) {
    EXPECT_EQ(wild(u"[（(]*?[)）]", u"44(3): 45"), at(2, 5));
    EXPECT_EQ(wild(u"[（(]*?[)）]", u"44（3）: 45"), at(2, 5));
    EXPECT_EQ(wild(u"[（(]*?[)）]", u"44(): 45"), std::nullopt);
}

TEST(WildcardFind, NegatedSetsRangesQuestionMarkAndRepeats) {
    EXPECT_EQ(wild(u"[!a-z]", u"abc1d"), at(3, 4));
    EXPECT_EQ(wild(u"[0-9]{2}", u"a1b23"), at(3, 5));
    EXPECT_EQ(wild(u"a?c", u"xxabcx"), at(2, 5));
    EXPECT_EQ(wild(u"1@", u"x111y"), at(1, 2));  // shortest from the leftmost start
}

TEST(WildcardFind, SearchStaysInsideTheWindow) {
    const std::u16string text = u"a.b.c.";
    EXPECT_EQ(SearchPattern::wildcards(u"[.]").search(text, 2, 3), std::nullopt);
    EXPECT_EQ(SearchPattern::wildcards(u"[.]").search(text, 2, 4), at(3, 4));
}

TEST(WildcardFind, UnclosedBracketIsAnOrdinaryCharacterAndLongTextsStayLinear) {
    EXPECT_EQ(wild(u"[abc", u"x[abc"), at(1, 5));
    std::u16string longEntry(200000, u'字');
    EXPECT_EQ(wild(u"*\\[*?\\]", longEntry), std::nullopt);  // never closes: no match, no hang
    longEntry += u"[J]";
    auto hit = wild(u"*\\[*?\\]", longEntry);
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->second, static_cast<long>(longEntry.size()));
}

}  // namespace
