// Deriving a template from a model document built through the engine.
#include "derive/ModelThesis.h"
#include "derive/TemplateDerivation.h"

#include "support/DocBuilder.h"
#include "support/Engine.h"
#include "template/TemplateKeys.h"
#include "template/TemplateWriter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quillmark {
namespace {

using testing::DocBuilder;
using testing::ModelThesis;
using testing::ParaStyle;
using testing::TextStyle;
using testing::unusualTemplate;

class TemplateDerivation : public ::testing::Test {
protected:
    void TearDown() override {
        word::Documents documents = testing::sharedApplication().Documents();
        for (long i = documents.Count(); i >= 1; --i) documents.Item(i).Close(false);
    }

    DerivedTemplate derive(const DocBuilder& model, const DerivationRequest& request) {
        const std::string path = model.save(testing::scratchDir() + "/model.doc");
        return deriveTemplate(testing::openCopy(path), testing::sharedApplication(), request);
    }
};

// "section/key: derived != expected" for every member that differs.
std::vector<std::string> differences(const FormatTemplate& derived, const FormatTemplate& expected) {
    std::vector<std::string> lines;
    for (const TemplateKey& key : templateKeys()) {
        const std::string a = formatTemplateValue(derived, key);
        const std::string b = formatTemplateValue(expected, key);
        if (a != b) lines.push_back(std::string(key.section) + "/" + std::string(key.key) + ": " + a + " != " + b);
    }
    return lines;
}

// The members of the covers not read for this thesis type keep the base's values.
FormatTemplate withOtherCoversFrom(FormatTemplate tmpl, const FormatTemplate& base) {
    const bool master = tmpl.thesisType == kMasterThesis;
    for (const TemplateKey& key : templateKeys()) {
        const bool bachelorCover = key.section == kBachelorCoverSection;
        const bool masterCover = key.section == kMasterCoverSection || key.section == kMasterCnInnerCoverSection ||
                                 key.section == kMasterEnInnerCoverSection;
        if (!(master ? bachelorCover : masterCover)) continue;
        std::visit([&](auto member) { tmpl.*member = base.*member; }, key.member);
    }
    return tmpl;
}

FormatTemplate switchesOf(const FormatTemplate& from) {
    FormatTemplate base;
    for (const TemplateKey& key : templateKeys()) {
        if (key.kind == ValueKind::Switch) std::visit([&](auto member) { base.*member = from.*member; }, key.member);
    }
    return base;
}

TEST_F(TemplateDerivation, AModelFormattedToATemplateDerivesToThatTemplateForBothThesisTypes) {
    for (const std::int32_t type : {kBachelorThesis, kMasterThesis}) {
        const FormatTemplate wanted = unusualTemplate(type);
        EXPECT_TRUE(differences(FormatTemplate{}, wanted).size() > 100);  // nearly every member differs
        const FormatTemplate base = switchesOf(wanted);
        const DerivedTemplate derived = derive(ModelThesis{.format = wanted}.build(),
                                               {.thesisType = type, .base = base, .baseName = "B.ini"});
        EXPECT_EQ(differences(derived.formatTemplate, withOtherCoversFrom(wanted, base)), std::vector<std::string>{})
            << "thesis type " << type;
        EXPECT_EQ(derived.notFound, std::vector<std::string>{}) << "thesis type " << type;
        TearDown();
    }
}

TEST_F(TemplateDerivation, MembersOfElementsNotFoundKeepTheBaseAndAreListed) {
    FormatTemplate base;
    base.enAbstractHeadingSize = 20;
    base.enKeywordsEnFont = "Courier New";
    base.abstractNotesSize = 8;
    const FormatTemplate wanted = unusualTemplate(kBachelorThesis);
    const DerivedTemplate derived =
        derive(ModelThesis{.format = wanted, .covers = false, .englishAbstract = false, .body = false}.build(),
               {.thesisType = kBachelorThesis, .base = base, .baseName = "B.ini"});
    const FormatTemplate& t = derived.formatTemplate;
    EXPECT_EQ(t.enAbstractHeadingSize, 20.0f);
    EXPECT_EQ(t.enKeywordsEnFont, "Courier New");
    EXPECT_EQ(t.abstractNotesSize, 8.0f);  // the notes are sought up to "Abstract"
    EXPECT_EQ(t.heading1Size, base.heading1Size);
    EXPECT_EQ(t.cnAbstractHeadingSize, wanted.cnAbstractHeadingSize);  // the Chinese abstract is there
    EXPECT_EQ(t.cnKeywordsLabelForm, 0);
    EXPECT_EQ(t.numberSeparator, ".");
    const std::vector<std::string> expected{
        "未找到本科封面\"本科毕业论文设计（论文）\"，沿用B.ini的值", "未找到本科封面论文标题，沿用B.ini的值",
        "未找到本科封面外语论文标题，沿用B.ini的值", "未找到本科封面作者信息，沿用B.ini的值",
        "未找到摘要注释，沿用B.ini的值",   "未找到英文摘要标题，沿用B.ini的值",
        "未找到英文摘要正文，沿用B.ini的值", "未找到英文关键词标题，沿用B.ini的值",
        "未找到英文关键词，沿用B.ini的值",   "未找到一级标题，沿用B.ini的值",
        "未找到二级标题，沿用B.ini的值",     "未找到三级标题，沿用B.ini的值",
        "未找到正文，沿用B.ini的值",         "未找到上标引用，沿用B.ini的值",
        "未找到表格内容，沿用B.ini的值",     "未找到图表注释，沿用B.ini的值",
        "未找到表名，沿用B.ini的值",         "未找到图名，沿用B.ini的值",
        "未找到英文表名，沿用B.ini的值",     "未找到英文图名，沿用B.ini的值",
        "未找到图表序号，沿用B.ini的值"};
    EXPECT_EQ(derived.notFound, expected);
}

TEST_F(TemplateDerivation, ManyElementsGiveTheValueOfTheMostCharacters) {
    const ParaStyle heading2{.alignment = 0, .outlineLevel = 2};
    const ParaStyle heading3{.alignment = 0, .outlineLevel = 3};
    const TextStyle small{.size = 10.5f};
    const TextStyle normal{.size = 12.0f};
    DocBuilder d;
    d.paragraph("摘要", {.asianFont = "黑体", .size = 16, .bold = true}, {.alignment = 1});
    d.blank();
    // Many Latin characters in Arial, fewer Chinese ones in 楷体: each font from its own characters.
    d.paragraph("Thesis format checking by program 论文格式", {.asianFont = "楷体", .latinFont = "Arial"});
    d.blank();
    // Most Latin characters of the keywords in a font no template file can hold.
    d.paragraph({{"关键词：", {.asianFont = "黑体", .bold = true}},
                 {"论文，格式，", {}},
                 {"ABCDEF", {.latinFont = "\u02CE\u0325"}},
                 {"，XY", {.latinFont = "Arial"}}});
    d.pageBreak();
    d.tableOfContents();
    d.pageBreak();
    d.paragraph("1 绪论", {.asianFont = "黑体", .size = 16, .bold = true}, {.alignment = 1, .outlineLevel = 1});
    // Seven body paragraphs 小四, three 五号 of the same length.
    for (int i = 0; i < 7; ++i) d.paragraph("本章介绍研究的背景和意义。", normal);
    for (int i = 0; i < 3; ++i) d.paragraph("本章介绍研究的背景和意义。", small);
    // A level-2 heading bold over most of its characters, one not bold at all.
    d.paragraph({{"1.1 论文格式检查的", {.asianFont = "黑体", .bold = true}}, {"背景", {.asianFont = "黑体"}}}, heading2);
    d.paragraph("1.2 意义", {.asianFont = "黑体"}, heading2);
    // Two level-3 headings of equal length: the earlier one decides.
    d.paragraph("1.1.1 甲乙", {.asianFont = "楷体", .size = 14}, heading3);
    d.paragraph("1.1.2 丙丁", {.asianFont = "仿宋", .size = 13}, heading3);
    // Caption numbers: two with "-", one with ".".
    d.paragraph("表1-1 数据", {}, {.alignment = 1});
    d.paragraph("表1-2 数据", {}, {.alignment = 1});
    d.paragraph("图1.1 结构", {}, {.alignment = 1});
    const DerivedTemplate derived = derive(d, {});
    const FormatTemplate& t = derived.formatTemplate;
    EXPECT_EQ(t.bodyTextSize, 12.0f);
    EXPECT_EQ(t.cnAbstractBodyCnFont, "楷体");
    EXPECT_EQ(t.cnAbstractBodyEnFont, "Arial");
    EXPECT_EQ(t.cnKeywordsEnFont, "Arial");
    EXPECT_EQ(t.heading2Bold, 1);
    EXPECT_EQ(t.heading3Font, "楷体");
    EXPECT_EQ(t.heading3Size, 14.0f);
    EXPECT_EQ(t.numberSeparator, "-");
}

TEST(CaptionNumberSeparator, IsWhatStandsBetweenTheTwoNumbers) {
    EXPECT_EQ(captionNumberSeparator("图2.1 结构"), ".");
    EXPECT_EQ(captionNumberSeparator("图2-1"), "-");
    EXPECT_EQ(captionNumberSeparator("表 12．3 数据"), "．");
    EXPECT_EQ(captionNumberSeparator("  表\xE3\x80\x80" "3—2"), "—");
    EXPECT_EQ(captionNumberSeparator("表3 数据"), "");      // no running number
    EXPECT_EQ(captionNumberSeparator("表3 第2章"), "");     // words are no separator
    EXPECT_EQ(captionNumberSeparator("图表2.1"), "");       // not a caption number
    EXPECT_EQ(captionNumberSeparator(""), "");
}

}  // namespace
}  // namespace quillmark
