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

TEST_F(FormatTemplateLoadTest, SizesAreTheDecimalNumberAtTheStartOfTheValue) {
    EXPECT_EQ(load("[正文]\n正文字号=10.5\n").bodyTextSize, 10.5f);
    EXPECT_EQ(load("[正文]\n正文字号=9.5\n").bodyTextSize, 9.5f);
    EXPECT_EQ(load("[正文]\n正文字号=16\n").bodyTextSize, 16.0f);
    EXPECT_EQ(load("[正文]\n正文字号=12pt\n").bodyTextSize, 12.0f);
    EXPECT_EQ(load("[正文]\n正文字号=\"7.25\"\n").bodyTextSize, 7.25f);
    EXPECT_EQ(load("[正文]\n正文字号=abc\n").bodyTextSize, 0.0f);
    EXPECT_EQ(load("[正文]\n正文字号=-3\n").bodyTextSize, 0.0f);
    EXPECT_EQ(load("[正文]\n正文字号=\n").bodyTextSize, 0.0f);
}

TEST_F(FormatTemplateLoadTest, AbsentSizesStayAsTheyWere) {
    const FormatTemplate tmpl = load("[正文]\n正文字号=16\n");
    FormatTemplate expected;
    expected.bodyTextSize = 16.0f;
    EXPECT_EQ(tmpl, expected);
    EXPECT_EQ(tmpl.tableCaptionSize, 10.5f);
    EXPECT_EQ(tmpl.abstractNotesSize, 10.5f);
    EXPECT_EQ(tmpl.captionNoteSize, 9.0f);
}

TEST_F(FormatTemplateLoadTest, FilesThatAreNoTemplateAreRefusedAndChangeNothing) {
    std::string junk;
    for (int i = 0; i < 70000; ++i) junk += static_cast<char>((i * 7919) % 251);
    FormatTemplate tmpl;
    tmpl.bodyTextSize = 10.5f;
    tmpl.heading1Font = "楷体";
    const FormatTemplate before = tmpl;
    EXPECT_EQ(loadTemplateFile(tmpl, dir_.write("empty.ini", "")), TemplateLoad::NotATemplate);
    EXPECT_EQ(loadTemplateFile(tmpl, dir_.write("junk.ini", junk)), TemplateLoad::NotATemplate);
    EXPECT_EQ(loadTemplateFile(tmpl, dir_.write("other.ini", "[Settings]\n正文字号=16\n")),
              TemplateLoad::NotATemplate);
    EXPECT_EQ(loadTemplateFile(tmpl, dir_.path("no-such-file.ini")), TemplateLoad::Unreadable);
    EXPECT_EQ(loadTemplateFile(tmpl, dir_.path("")), TemplateLoad::Unreadable);  // a folder
    EXPECT_FALSE(tmpl.loadFromFile(dir_.write("empty2.ini", "")));
    EXPECT_EQ(tmpl, before);
}

TEST_F(FormatTemplateLoadTest, AFileWithSomeSectionsLoadsThem) {
    FormatTemplate tmpl;
    // A section of its own, even without a key the template knows, makes a template file.
    EXPECT_EQ(loadTemplateFile(tmpl, dir_.write("t.ini", utf8ToGbk("[Other]\nx=1\n[图表]\n未知=1\n"))),
              TemplateLoad::Loaded);
    EXPECT_EQ(tmpl, FormatTemplate{});
    EXPECT_TRUE(tmpl.loadFromFile(dir_.write("u.ini", utf8ToGbk("[图表]\n表名字号=9\n"))));
    EXPECT_EQ(tmpl.tableCaptionSize, 9.0f);
}

TEST_F(FormatTemplateLoadTest, RefusalsAreToldInChinese) {
    EXPECT_EQ(templateRefusal(TemplateLoad::NotATemplate, "a.ini"), "“a.ini”不是格式模板，当前模板没有改变");
    EXPECT_EQ(templateRefusal(TemplateLoad::Unreadable, "a.ini"), "无法读取模板文件“a.ini”，当前模板没有改变");
    EXPECT_EQ(templateRefusal(TemplateLoad::Loaded, "a.ini"), "");
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

TEST_F(FormatTemplateLoadTest, ReadsUtf8FilesWithAndWithoutByteOrderMark) {
    EXPECT_EQ(loadBytes("\xEF\xBB\xBF[正文]\r\n正文中文字体=黑体\r\n").bodyTextCnFont, "黑体");
    // As `template show` prints it: UTF-8 without a mark.
    const FormatTemplate plain = loadBytes("[正文]\n正文中文字体=楷体\n正文字号=10.5\n");
    EXPECT_EQ(plain.bodyTextCnFont, "楷体");
    EXPECT_EQ(plain.bodyTextSize, 10.5f);
    // GBK bytes that happen to be valid UTF-8 stay GBK when GBK finds the section.
    EXPECT_EQ(load("[正文]\n正文中文字体=黑体\n").bodyTextCnFont, "黑体");
}

}  // namespace
}  // namespace quillmark
