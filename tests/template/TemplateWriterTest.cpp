#include "template/Codepage936.h"
#include "template/ProfileReader.h"
#include "template/TemplateKeys.h"
#include "template/TemplateLoader.h"
#include "template/TemplateWriter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace quillmark {
namespace {

FormatTemplate reloaded(const FormatTemplate& tmpl) {
    FormatTemplate result;
    applyProfile(result, parseProfileBytes(utf8ToGbk(formatTemplateFile(tmpl))));
    return result;
}

FormatTemplate unusualTemplate() {
    FormatTemplate tmpl;
    tmpl.thesisType = kMasterThesis;
    tmpl.cnAbstractHeadingAlign = -4;
    tmpl.bodyTextSize = 11.0f;
    tmpl.abstractNotesSize = 7.25f;
    tmpl.tableCaptionSize = 9.5f;
    tmpl.figureCaptionSize = 0.0f;
    tmpl.tableTextSize = 10.75f;
    tmpl.numberSeparator = " - ";
    tmpl.bodyTextCnFont = "\"方正\"";
    tmpl.heading1Font = "";
    tmpl.superscriptFont = "'";
    return tmpl;
}

TEST(TemplateWriterTest, WritesSectionsAndKeysInFileOrder) {
    const std::string text = formatTemplateFile(FormatTemplate{});
    EXPECT_TRUE(text.starts_with("[检测类型]\n类型=0\n\n[本科封面格式]\n\"本科毕业论文设计（论文）\"加粗=1\n"));
    EXPECT_NE(text.find("\n[中文摘要]\n"), std::string::npos);
    EXPECT_NE(text.find("\n注释字号=10.5\n注释中文字体=宋体\n"), std::string::npos);
    EXPECT_NE(text.find("\n图表注释字号=9.0\n"), std::string::npos);
    EXPECT_NE(text.find("\n序号分隔符=.\n"), std::string::npos);
    EXPECT_TRUE(text.ends_with("[检测项]\n首页封面=1\n中文摘要=1\n摘要注释=1\n英文摘要=1\n正文=1\n参考文献=1\n英文图表名=0\n"));
}

TEST(TemplateWriterTest, QuotesOnlyTextsThatNeedIt) {
    const FormatTemplate tmpl = unusualTemplate();
    const std::string text = formatTemplateFile(tmpl);
    EXPECT_NE(text.find("\n序号分隔符=\" - \"\n"), std::string::npos);
    EXPECT_NE(text.find("\n正文中文字体=\"\"方正\"\"\n"), std::string::npos);
    EXPECT_NE(text.find("\n一级标题中文字体=\n"), std::string::npos);
    EXPECT_NE(text.find("\n上标字体='\n"), std::string::npos);
}

TEST(TemplateWriterTest, SizesKeepEveryDecimalTheyHave) {
    const std::string text = formatTemplateFile(unusualTemplate());
    EXPECT_NE(text.find("\n注释字号=7.25\n"), std::string::npos);
    EXPECT_NE(text.find("\n表名字号=9.5\n"), std::string::npos);
    EXPECT_NE(text.find("\n图名字号=0.0\n"), std::string::npos);
    EXPECT_NE(text.find("\n正文字号=11.0\n"), std::string::npos);
}

TEST(TemplateWriterTest, WrittenTemplatesLoadBackTheSame) {
    EXPECT_EQ(reloaded(FormatTemplate{}), FormatTemplate{});
    EXPECT_EQ(reloaded(unusualTemplate()), unusualTemplate());
    // Loaded over a template that differs in every size, so no size is left as it was.
    FormatTemplate other;
    for (const TemplateKey& key : templateKeys()) {
        if (const auto* size = std::get_if<SizeMember>(&key.member)) other.**size = 99.5f;
    }
    applyProfile(other, parseProfileBytes(utf8ToGbk(formatTemplateFile(unusualTemplate()))));
    EXPECT_EQ(other, unusualTemplate());
}

}  // namespace
}  // namespace quillmark
