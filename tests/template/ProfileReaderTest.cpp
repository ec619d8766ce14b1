#include "template/Codepage936.h"
#include "template/ProfileReader.h"
#include "template/Utf8.h"

#include "template/TempDir.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>

namespace quillmark {
namespace {

std::optional<std::string> valueOf(std::string_view utf8Text, std::string_view section, std::string_view key) {
    const Profile profile = Profile::parse(utf8Text);
    const auto value = profile.value(section, key);
    return value ? std::optional<std::string>(*value) : std::nullopt;
}

TEST(ProfileReaderTest, ValueIsTextAfterFirstEqualsWithoutBlanks) {
    EXPECT_EQ(valueOf("[正文]\n正文字号 = \t12=3 \t\n", "正文", "正文字号"), "12=3");
    EXPECT_EQ(valueOf("  [ 正文 ]  \n\t正文字号\t=\"黑体\"\n", "正文", "正文字号"), "\"黑体\"");
    EXPECT_EQ(valueOf("[正文]\n正文字号=\n", "正文", "正文字号"), "");
    EXPECT_EQ(valueOf("[正文]\n正文字号=1 ; not a comment\n", "正文", "正文字号"), "1 ; not a comment");
}

TEST(ProfileReaderTest, AsciiLettersMatchRegardlessOfCase) {
    const std::string text = "[Section]\n\"KeyWord\"标题加粗=1\n";
    EXPECT_EQ(valueOf(text, "SECTION", "\"keyword\"标题加粗"), "1");
    EXPECT_EQ(valueOf(text, "section", "\"KEYWORD\"标题加粗"), "1");
    EXPECT_EQ(valueOf(text, "section", "KeyWord标题加粗"), std::nullopt);  // quotes must match
}

TEST(ProfileReaderTest, GbkTrailBytesThatLookLikeLettersAreNotCaseFolded) {
    // 0x81 0x41 and 0x81 0x61 are two different characters.
    const Profile profile = parseProfileBytes("[\x81\x41]\nk=1\n");
    EXPECT_TRUE(profile.value(gbkToUtf8("\x81\x41"), "K"));
    EXPECT_FALSE(profile.value(gbkToUtf8("\x81\x61"), "k"));
}

TEST(ProfileReaderTest, CommentsAndLinesThatAreNoKeys) {
    const std::string text =
        "k=outside\n"
        "[s]\n"
        ";k=comment\n"
        "  ; b=comment\n"
        "a line without equals\n"
        "=no key\n"
        "b=2\n";
    EXPECT_EQ(valueOf(text, "s", "k"), std::nullopt);
    EXPECT_EQ(valueOf(text, "s", "b"), "2");
    EXPECT_EQ(valueOf(text, "", "k"), std::nullopt);
    EXPECT_EQ(valueOf(text, "s", "a line without equals"), std::nullopt);
}

TEST(ProfileReaderTest, FirstOfRepeatedKeysAndSectionsWins) {
    const std::string text = "[s]\nk=1\nK=2\n[t]\nk=3\n[S]\nk=4\nnew=5\n";
    EXPECT_EQ(valueOf(text, "s", "k"), "1");
    EXPECT_EQ(valueOf(text, "t", "k"), "3");
    EXPECT_EQ(valueOf(text, "s", "new"), std::nullopt);  // the repeated section is ignored
}

TEST(ProfileReaderTest, SectionHeaderWithoutBracketTakesRestOfLine) {
    EXPECT_EQ(valueOf("[正文\nk=1\n", "正文", "k"), "1");
    EXPECT_EQ(valueOf("[正文] trailing\nk=1\n", "正文", "k"), "1");
    EXPECT_EQ(valueOf("[]\nk=1\n", "", "k"), "1");
}

TEST(ProfileReaderTest, AcceptsLfCrlfAndCrLineEnds) {
    for (const char* text : {"[s]\nk=1\nm=2", "[s]\r\nk=1\r\nm=2\r\n", "[s]\rk=1\rm=2\r"}) {
        EXPECT_EQ(valueOf(text, "s", "k"), "1") << text;
        EXPECT_EQ(valueOf(text, "s", "m"), "2") << text;
    }
}

TEST(ProfileReaderTest, FileBytesAreGbkUnlessMarkedUtf8) {
    EXPECT_EQ(decodeProfileBytes("\xD5\xFD\xCE\xC4"), "正文");
    EXPECT_EQ(decodeProfileBytes("\xEF\xBB\xBF正文"), "正文");
    EXPECT_EQ(decodeProfileBytes("\xEF\xBB\xBF\xFF"), "\uFFFD");
}

TEST(ProfileReaderTest, UnreadableFilesGiveEmptyProfiles) {
    test::TempDir dir;
    EXPECT_FALSE(readProfileFileBytes(dir.path("missing.ini")));
    EXPECT_FALSE(readProfileFileBytes(dir.path("")));  // a directory
    EXPECT_FALSE(readProfileFileBytes("/dev/zero"));
    EXPECT_FALSE(readProfileFile(dir.path("missing.ini")).value("s", "k"));
    EXPECT_EQ(readProfileFile(dir.write("a.ini", "[s]\r\nk=v\r\n")).value("s", "k"), "v");
}

TEST(ProfileReaderTest, SurvivesJunkHugeFilesAndLongLines) {
    std::mt19937 random(42);
    std::string junk(1 << 20, '\0');
    for (char& c : junk) c = static_cast<char>(random());
    EXPECT_NO_THROW(parseProfileBytes(junk));

    std::string big = "[s]\n" + std::string(3 << 20, 'x') + "\n";
    for (int i = 0; i < 100000; ++i) big += "key" + std::to_string(i) + "=" + std::to_string(i) + "\n";
    const Profile profile = parseProfileBytes(big);
    EXPECT_EQ(profile.value("s", "key99999"), "99999");

    EXPECT_NO_THROW(parseProfileBytes(std::string(1 << 20, '[')));
    EXPECT_NO_THROW(parseProfileBytes(std::string(1 << 20, '\xD5')));
}

}  // namespace
}  // namespace quillmark
