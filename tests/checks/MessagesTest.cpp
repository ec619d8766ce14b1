#include "checks/Messages.h"

#include <gtest/gtest.h>

namespace quillmark {
namespace {

namespace msg = messages;

TEST(Messages, BoldPieceFollowsTheFlag) {
    EXPECT_EQ(msg::boldPiece(1), "字体未加粗，应加粗");
    EXPECT_EQ(msg::boldPiece(0), "字体不应加粗");
    // Only 1 asks for bold in the list form.
    EXPECT_EQ(msg::boldPiece(2), "字体不应加粗");
    EXPECT_EQ(msg::boldPiece(-1), "字体不应加粗");
}

TEST(Messages, SizeAndFontPiecesNameTheTemplatePart) {
    EXPECT_EQ(msg::sizePiece(msg::kCnTitlePart),
              "字号有误，请自行查找默认模板或您所设置的模板中文摘要（要摘）标题相对应的字号");
    EXPECT_EQ(msg::fontPiece(msg::kCnTitlePart),
              "字体名有误，请自行查找默认模板或您所设置的模板中文摘要（要摘）标题相对应的字体名");
    EXPECT_EQ(msg::sizePiece(msg::kCnKeywordsPart),
              "字号有误，请自行查找默认模板或您所设置的模板关键词（关键字）正文相对应的字号");
    EXPECT_EQ(msg::fontPiece(msg::kCnLabelPart),
              "字体名有误，请自行查找默认模板或您所设置的模板关键词（关键字）标题相对应的字体名");
    EXPECT_EQ(msg::fontPiece(msg::kCnBodyPart),
              "字体名有误，请自行查找默认模板或您所设置的模板中文摘要（要摘）正文相对应的字体名");
}

TEST(Messages, AlignmentPieceForEveryTemplateValue) {
    EXPECT_EQ(msg::alignmentPiece(0), "未左对齐，应左对齐");
    EXPECT_EQ(msg::alignmentPiece(1), "未居中，应居中");
    EXPECT_EQ(msg::alignmentPiece(2), "未右对齐，应右对齐");
    EXPECT_EQ(msg::alignmentPiece(3), "未两端对齐，应两端对齐");
    EXPECT_EQ(msg::alignmentPiece(4), "未分散对齐，应分散对齐");
    EXPECT_EQ(msg::alignmentPiece(7), "未按模板对齐，应按模板对齐");
}

TEST(Messages, ListFormJoinsPiecesInFixedOrderWithAsciiComma) {
    Deviations d;
    d.alignment = true;
    d.size = true;
    const msg::ItemTexts texts{1, msg::kCnTitlePart, 1};
    EXPECT_EQ(msg::listForm("摘要", msg::kPartTitle, d, texts),
              "\"摘要\"标题字号有误，请自行查找默认模板或您所设置的模板中文摘要（要摘）标题相对应的字号,未居中，应居中。");
}

TEST(Messages, ListFormWithAllFourDeviations) {
    Deviations d{true, true, true, true};
    const msg::ItemTexts texts{0, "X", 0};
    EXPECT_EQ(msg::listForm("要摘", msg::kPartTitle, d, texts),
              "\"要摘\"标题字体不应加粗,"
              "字号有误，请自行查找默认模板或您所设置的模板X相对应的字号,"
              "字体名有误，请自行查找默认模板或您所设置的模板X相对应的字体名,"
              "未左对齐，应左对齐。");
}

TEST(Messages, DeviationPiecesOnlyForFlaggedRules) {
    Deviations d;
    EXPECT_TRUE(msg::deviationPieces(d, {1, "X", 0}).empty());
    d.font = true;
    EXPECT_EQ(msg::deviationPieces(d, {1, "X", 0}),
              std::vector<std::string>{"字体名有误，请自行查找默认模板或您所设置的模板X相对应的字体名"});
}

TEST(Messages, LabelFormUsesTheGivenSeparator) {
    EXPECT_EQ(msg::labelForm("中文论文题目", {"a", "b"}, "，"), "中文论文题目a，b。");
    EXPECT_EQ(msg::labelForm("作者信息", {"a", "b", "c"}, ","), "作者信息a,b,c。");
    EXPECT_EQ(msg::labelForm("作者信息", {}, ","), "作者信息。");
}

TEST(Messages, ChineseAbstractTexts) {
    EXPECT_EQ(msg::cnTitleNotFound("摘要"), "找不到\"摘要\"标题请自行设置\"摘要（要摘）\"标题或检查模板设置是否有问题。");
    EXPECT_EQ(msg::cnTitleNotFound("要摘"), "找不到\"要摘\"标题请自行设置\"摘要（要摘）\"标题或检查模板设置是否有问题。");
    EXPECT_EQ(msg::cnLabelNotFound("关键词", false),
              "找不到\"关键词\"标题请自行添加\"关键词（关键字）\"标题或检查模板设置是否有问题。");
    EXPECT_EQ(msg::cnLabelNotFound("关键词", true),
              "找不到\"关键词\"或\"关键字\"标题请自行添加\"关键词（关键字）\"标题或检查模板设置是否有问题。");
    EXPECT_EQ(msg::cnMissingColon("关键字"), "\"关键字\"标题与\"关键字\"正文之间应用冒号分隔开。");
    EXPECT_EQ(msg::cnNoSeparator("关键词"), "每一关键词之间应用逗号分开。");
    EXPECT_EQ(msg::cnKeywordCount("关键词"), "关键词一般为3～5个。");
    EXPECT_EQ(msg::cnBlankLineBeforeKeywords("关键字"), "\"摘要\"正文与\"关键字\"标题之间应该且只间隔一行。");
    EXPECT_EQ(msg::cnLineSpacing(), "摘要正文行距应设为1.5倍行距。");
}

TEST(Messages, CoverFormSeparatesEachTextByItsOwnSeparator) {
    const msg::CoverTexts texts{"S", "B+", "B-", "F"};
    EXPECT_EQ(msg::coverForm("L", {.size = true, .bold = true, .font = true}, texts, true), "LS，B+，F。");
    EXPECT_EQ(msg::coverForm("L", {.size = true, .bold = true, .font = true}, texts, false, ","), "LS，B-,F。");
    // The separator belongs to the text it comes before.
    EXPECT_EQ(msg::coverForm("L", {.size = true, .font = true}, texts, true, ","), "LS,F。");
    EXPECT_EQ(msg::coverForm("L", {.bold = true, .font = true}, texts, true), "LB+，F。");
    EXPECT_EQ(msg::coverForm("L", {.font = true}, texts, true, ","), "LF。");
}

TEST(Messages, OuterCoverBoldTextsEndInBold) {
    const msg::CoverTexts type = msg::outerCoverTexts(msg::OuterItem::DegreeType);
    EXPECT_EQ(type.boldOn, "硕士学位论文外封面学位类型相对应的字体未加粗，应当加粗");
    EXPECT_EQ(type.boldOff, "硕士学位论文外封面学位类型相对应的字体不应加粗");
    const msg::CoverTexts name = msg::outerCoverTexts(msg::OuterItem::AuthorName);
    EXPECT_EQ(name.boldOn, "硕士学位论文外封面作者姓名相对应的字体应当加粗");
    const msg::CoverTexts date = msg::outerCoverTexts(msg::OuterItem::Date);
    EXPECT_EQ(date.boldOn, "硕士学位论文外封面日期应当加粗");
    EXPECT_EQ(date.boldOff, "硕士学位论文外封面日期不应加粗");
    // The date's size text names the size, as every other size text does.
    EXPECT_EQ(date.size, "字号有误，请自行查找默认模板或您所设置的模板硕士学位论文外封面日期相对应的字号");
    EXPECT_EQ(date.font, "字体名有误，请自行查找默认模板或您所设置的模板硕士学位论文外封面日期相对应的字体名");
}

TEST(Messages, BachelorCoverTexts) {
    const msg::CoverTexts title = msg::bachelorCoverTexts(msg::kCoverCnTitlePart);
    EXPECT_EQ(title.size, "字号有误，请自行查找默认模板或您所设置的模板封面中中文论文题目相对应的字号");
    EXPECT_EQ(title.boldOn, "封面中中文论文题目相对应的字体未加粗，应该加粗");
    EXPECT_EQ(title.boldOff, "封面中中文论文题目相对应的字体不应加粗");
    EXPECT_EQ(msg::bachelorCoverTexts(msg::kCoverAuthorInfoPart).font,
              "字体名有误，请自行查找默认模板或您所设置的模板封面中作者信息相对应的字体名");
}

}  // namespace
}  // namespace quillmark
