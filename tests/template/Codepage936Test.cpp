#include "template/Codepage936.h"
#include "template/Utf8.h"

#include <gtest/gtest.h>

namespace quillmark {
namespace {

TEST(Codepage936Test, ConvertsChineseBothWays) {
    EXPECT_EQ(utf8ToGbk("正文字号"), "\xD5\xFD\xCE\xC4\xD7\xD6\xBA\xC5");
    EXPECT_EQ(gbkToUtf8("\xD5\xFD\xCE\xC4 Times"), "正文 Times");
    EXPECT_EQ(gbkToUtf8("\x80"), "€");  // code page 936, not plain GBK
}

TEST(Codepage936Test, BadInputIsReplacedNeverDropped) {
    EXPECT_EQ(gbkToUtf8("a\xFF" "b"), "a\uFFFD" "b");
    EXPECT_EQ(gbkToUtf8("a\xD5"), "a\uFFFD");             // lead byte at the end
    EXPECT_EQ(gbkToUtf8("\xD5\x20x"), "\uFFFD x");        // lead byte without trail
    EXPECT_EQ(utf8ToGbk("a\xC3(b"), "a?(b");              // broken UTF-8
    EXPECT_EQ(utf8ToGbk("x😀y"), "x?y");                  // no GBK form
    EXPECT_EQ(gbkToUtf8(std::string("\0\0", 2)), std::string("\0\0", 2));
}

TEST(Codepage936Test, LongTextsConvertCompletely) {
    std::string utf8;
    for (int i = 0; i < 5000; ++i) utf8 += "宋体A";
    const std::string gbk = utf8ToGbk(utf8);
    EXPECT_EQ(gbk.size(), 25000u);
    EXPECT_EQ(gbkToUtf8(gbk), utf8);
}

TEST(Codepage936Test, ByteLengthCountsTwoPerChineseCharacter) {
    EXPECT_EQ(gbkByteLength(""), 0u);
    EXPECT_EQ(gbkByteLength("Arial"), 5u);
    EXPECT_EQ(gbkByteLength("黑体"), 4u);
    EXPECT_EQ(gbkByteLength("Times New Roman宋体"), 19u);
    EXPECT_EQ(gbkByteLength("😀"), 1u);  // written as '?'
}

TEST(Codepage936Test, CutKeepsWholeCharactersOnly) {
    EXPECT_EQ(cutGbkBytes("abcdefghijklmnopqrstuvwxy", 19), "abcdefghijklmnopqrs");
    EXPECT_EQ(cutGbkBytes("一二三四五六七八九十", 19), "一二三四五六七八九");  // half of 十 dropped
    EXPECT_EQ(cutGbkBytes("a一二三四五六七八九十", 19), "a一二三四五六七八九");
    EXPECT_EQ(cutGbkBytes("黑体", 1), "");
    EXPECT_EQ(cutGbkBytes("黑体", 100), "黑体");
    EXPECT_EQ(cutGbkBytes("a\xFF" "b", 2), "a\uFFFD");
}

TEST(Codepage936Test, CutAgreesWithByteLength) {
    const std::string text = "Times New 宋体€😀\xC3黑";
    for (std::size_t limit = 0; limit <= 20; ++limit) {
        const std::string cut = cutGbkBytes(text, limit);
        EXPECT_LE(gbkByteLength(cut), limit);
        EXPECT_TRUE(isValidUtf8(cut));
    }
    EXPECT_EQ(gbkByteLength(cutGbkBytes(text, 100)), gbkByteLength(text));
}

TEST(Utf8Test, RepairReplacesEachInvalidByte) {
    EXPECT_EQ(repairUtf8("ok宋"), "ok宋");
    EXPECT_EQ(repairUtf8("\xC0\x80"), "\uFFFD\uFFFD");       // overlong
    EXPECT_EQ(repairUtf8("\xED\xA0\x80"), "\uFFFD\uFFFD\uFFFD");  // surrogate
    EXPECT_EQ(repairUtf8("\xE5\xAE"), "\uFFFD\uFFFD");       // truncated
}

}  // namespace
}  // namespace quillmark
