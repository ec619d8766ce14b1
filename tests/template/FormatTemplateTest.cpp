#include "template/Codepage936.h"
#include "template/FormatTemplate.h"
#include "template/TemplateKeys.h"
#include "template/TemplateLoader.h"

#include "template/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace quillmark {
namespace {

// A template with every size cut to whole points, as loading any file does.
FormatTemplate withWholeSizes(FormatTemplate tmpl) {
    for (const TemplateKey& key : templateKeys()) {
        if (const auto* member = std::get_if<SizeMember>(&key.member)) {
            tmpl.*(*member) = std::trunc(tmpl.*(*member));
        }
    }
    return tmpl;
}

class FormatTemplateLoadTest : public ::testing::Test {
protected:
    // Loads a file holding `utf8Text` in GBK over the defaults.
    FormatTemplate load(std::string_view utf8Text) { return loadBytes(utf8ToGbk(utf8Text)); }

    FormatTemplate loadBytes(std::string_view bytes) {
        FormatTemplate tmpl;
        EXPECT_TRUE(tmpl.loadFromFile(dir_.write("template.ini", bytes)));
        return tmpl;
    }

    test::TempDir dir_;
};

TEST(FormatTemplateTest, StartsWithBuiltInDefaults) {
    const FormatTemplate tmpl;
    EXPECT_EQ(tmpl.thesisType, kBachelorThesis);
    EXPECT_EQ(tmpl.abstractNotesSize, 10.5f);
    EXPECT_EQ(tmpl.captionNoteSize, 9.0f);
    EXPECT_EQ(tmpl.bachelorDegreeLabelSize, 26.0f);
    EXPECT_EQ(tmpl.cnKeywordsLabelForm, 1);
    EXPECT_EQ(tmpl.cnAbstractHeadingAlign, 1);
    EXPECT_EQ(tmpl.enInnerTitleFont, "Arial");
    EXPECT_EQ(tmpl.numberSeparator, ".");
    EXPECT_EQ(tmpl.checkEnCaptions, 0);
    EXPECT_EQ(tmpl.checkCover, 1);
}

TEST(FormatTemplateTest, TheProgramsTemplateKeepsAChangeForEveryReader) {
    const FormatTemplate before = currentTemplate();
    currentTemplate().heading1Size = 9.0f;
    currentTemplate().bodyTextCnFont = "黑体";
    EXPECT_EQ(currentTemplate().heading1Size, 9.0f);
    EXPECT_EQ(currentTemplate().bodyTextCnFont, "黑体");
    currentTemplate() = before;
    EXPECT_EQ(currentTemplate().heading1Size, FormatTemplate{}.heading1Size);
}

TEST(FormatTemplateTest, CopiesAreIndependentValues) {
    FormatTemplate original;
    FormatTemplate copy = original;
    copy.bodyTextCnFont = "黑体";
    copy.heading1Size = 9.0f;
    EXPECT_EQ(original.bodyTextCnFont, "宋体");
    original = copy;
    EXPECT_EQ(original, copy);
}

TEST_F(FormatTemplateLoadTest, SizesReadAsWholePoints) {
    EXPECT_EQ(load("[正文]\n正文字号=10.5\n").bodyTextSize, 10.0f);
    EXPECT_EQ(load("[正文]\n正文字号=16\n").bodyTextSize, 16.0f);
}

TEST_F(FormatTemplateLoadTest, AbsentSizesLoseTheirFraction) {
    const FormatTemplate tmpl = load("[正文]\n正文字号=16\n");
    EXPECT_EQ(tmpl.tableCaptionSize, 10.0f);
    EXPECT_EQ(tmpl.figureCaptionSize, 10.0f);
    EXPECT_EQ(tmpl.tableTextSize, 10.0f);
    EXPECT_EQ(tmpl.abstractNotesSize, 10.0f);
    EXPECT_EQ(tmpl.captionNoteSize, 9.0f);
}

TEST_F(FormatTemplateLoadTest, MissingFileOnlyCutsSizes) {
    FormatTemplate tmpl;
    EXPECT_TRUE(tmpl.loadFromFile(dir_.path("no-such-file.ini")));
    EXPECT_EQ(tmpl, withWholeSizes(FormatTemplate{}));
    EXPECT_NE(tmpl, FormatTemplate{});
}

TEST_F(FormatTemplateLoadTest, FontsKeepAtMostNineteenBytes) {
    EXPECT_EQ(load("[正文]\n正文英文字体=ABCDEFGHIJKLMNOPQRSTUVWXY\n").bodyTextEnFont, "ABCDEFGHIJKLMNOPQRS");
    EXPECT_EQ(load("[正文]\n正文中文字体=一二三四五六七八九十\n").bodyTextCnFont, "一二三四五六七八九");
    EXPECT_EQ(load("[图表]\n序号分隔符=\"  -  \"\n").numberSeparator, "  -  ");
}

TEST_F(FormatTemplateLoadTest, OnlyTheTableKeysCount) {
    const FormatTemplate tmpl = load("[中文摘要]\n注释字体=黑体\n");
    EXPECT_EQ(tmpl.abstractNotesCnFont, "宋体");
    EXPECT_EQ(tmpl.abstractNotesEnFont, "Times New Roman");
    EXPECT_EQ(load("[中文摘要]\n注释中文字体=\n").abstractNotesCnFont, "");
    EXPECT_EQ(load("[中文摘要]\n注释中文字体=''\n").abstractNotesCnFont, "");
}

TEST_F(FormatTemplateLoadTest, SharedKeyNamesFillTheirOwnSection) {
    const FormatTemplate master = load("[硕士封面格式]\n论文标题字号=30\n");
    EXPECT_EQ(master.masterTitleSize, 30.0f);
    EXPECT_EQ(master.bachelorTitleSize, 22.0f);
    EXPECT_EQ(master.cnInnerTitleSize, 22.0f);
    EXPECT_EQ(master.enInnerTitleSize, 18.0f);

    const FormatTemplate bachelor = load("[本科封面格式]\n论文标题字号=30\n");
    EXPECT_EQ(bachelor.bachelorTitleSize, 30.0f);
    EXPECT_EQ(bachelor.masterTitleSize, 22.0f);
}

TEST_F(FormatTemplateLoadTest, ReadsIntegersAndQuotedKeyNames) {
    const FormatTemplate tmpl = load(
        "[检测类型]\n类型=1\n"
        "[中文摘要]\n\"摘要\"标题两字加粗=0\n\"关键词\"形式=2\n\"摘要\"标题两字对齐方式=-1\n"
        "[英文摘要]\n\"keyword\"标题字体='Arial'\n"
        "[检测项]\n英文图表名=1\n正文=0\n");
    EXPECT_EQ(tmpl.thesisType, kMasterThesis);
    EXPECT_EQ(tmpl.cnAbstractHeadingBold, 0);
    EXPECT_EQ(tmpl.cnKeywordsLabelForm, 2);
    EXPECT_EQ(tmpl.cnAbstractHeadingAlign, -1);
    EXPECT_EQ(tmpl.enKeywordsLabelFont, "Arial");
    EXPECT_EQ(tmpl.checkEnCaptions, 1);
    EXPECT_EQ(tmpl.checkBody, 0);
    EXPECT_EQ(tmpl.checkCnAbstract, 1);
}

TEST_F(FormatTemplateLoadTest, ReadsUtf8FilesWithByteOrderMark) {
    const FormatTemplate tmpl = loadBytes("\xEF\xBB\xBF[正文]\r\n正文中文字体=黑体\r\n");
    EXPECT_EQ(tmpl.bodyTextCnFont, "黑体");
}

TEST_F(FormatTemplateLoadTest, BinaryJunkOnlyCutsSizes) {
    std::string junk;
    for (int i = 0; i < 70000; ++i) junk += static_cast<char>((i * 7919) % 251);
    EXPECT_EQ(loadBytes(junk), withWholeSizes(FormatTemplate{}));
}

TEST(TemplateLoaderTest, WholePointsTruncateTowardZero) {
    EXPECT_EQ(wholePoints(10.5f), 10);
    EXPECT_EQ(wholePoints(-2.7f), -2);
    EXPECT_EQ(wholePoints(1e20f), 2147483647);
    EXPECT_EQ(wholePoints(-1e20f), -2147483647 - 1);
    EXPECT_EQ(wholePoints(std::nanf("")), 0);
}

}  // namespace
}  // namespace quillmark
