#include "template/TemplateKeys.h"

#include <array>

namespace quillmark {

namespace {

using T = FormatTemplate;

// Builders keep each row's kind consistent with its member type.
constexpr TemplateKey flag(std::string_view section, std::string_view key, IntegerMember member) {
    return {section, key, ValueKind::Flag, member};
}
constexpr TemplateKey choice(std::string_view section, std::string_view key, IntegerMember member) {
    return {section, key, ValueKind::Choice, member};
}
constexpr TemplateKey checkSwitch(std::string_view section, std::string_view key, IntegerMember member) {
    return {section, key, ValueKind::Switch, member};
}
constexpr TemplateKey size(std::string_view section, std::string_view key, SizeMember member) {
    return {section, key, ValueKind::Size, member};
}
constexpr TemplateKey font(std::string_view section, std::string_view key, TextMember member) {
    return {section, key, ValueKind::Font, member};
}
constexpr TemplateKey text(std::string_view section, std::string_view key, TextMember member) {
    return {section, key, ValueKind::Text, member};
}

constexpr std::string_view kType = kThesisTypeSection;
constexpr std::string_view kBachelor = kBachelorCoverSection;
constexpr std::string_view kMaster = kMasterCoverSection;
constexpr std::string_view kCnInner = kMasterCnInnerCoverSection;
constexpr std::string_view kEnInner = kMasterEnInnerCoverSection;
constexpr std::string_view kCnAbstract = kCnAbstractSection;
constexpr std::string_view kEnAbstract = kEnAbstractSection;
constexpr std::string_view kBody = kBodySection;
constexpr std::string_view kFigures = kFiguresTablesSection;
constexpr std::string_view kChecks = kCheckItemsSection;

constexpr std::array kSections{kType, kBachelor, kMaster, kCnInner, kEnInner,
                               kCnAbstract, kEnAbstract, kBody, kFigures, kChecks};

constexpr std::array kKeys{
    choice(kType, "类型", &T::thesisType),

    flag(kBachelor, "\"本科毕业论文设计（论文）\"加粗", &T::bachelorDegreeLabelBold),
    size(kBachelor, "\"本科毕业论文设计（论文）\"字号", &T::bachelorDegreeLabelSize),
    font(kBachelor, "\"本科毕业论文设计（论文）\"字体", &T::bachelorDegreeLabelFont),
    flag(kBachelor, "论文标题加粗", &T::bachelorTitleBold),
    size(kBachelor, "论文标题字号", &T::bachelorTitleSize),
    size(kBachelor, "外语论文标题字号", &T::bachelorForeignTitleSize),
    font(kBachelor, "论文标题字体", &T::bachelorTitleFont),
    font(kBachelor, "外语论文标题字体", &T::bachelorForeignTitleFont),
    flag(kBachelor, "作者信息加粗", &T::bachelorAuthorInfoBold),
    size(kBachelor, "作者信息字号", &T::bachelorAuthorInfoSize),
    font(kBachelor, "作者信息中文字体", &T::bachelorAuthorInfoCnFont),
    font(kBachelor, "作者信息英文字体", &T::bachelorAuthorInfoEnFont),

    flag(kMaster, "\"Norvale硕士学位论文\"加粗", &T::masterDegreeLabelBold),
    size(kMaster, "\"Norvale硕士学位论文\"字号", &T::masterDegreeLabelSize),
    font(kMaster, "\"Norvale硕士学位论文\"字体", &T::masterDegreeLabelFont),
    flag(kMaster, "学位类型加粗", &T::masterDegreeTypeBold),
    size(kMaster, "学位类型字号", &T::masterDegreeTypeSize),
    font(kMaster, "学位类型字体", &T::masterDegreeTypeFont),
    flag(kMaster, "论文标题加粗", &T::masterTitleBold),
    size(kMaster, "论文标题字号", &T::masterTitleSize),
    font(kMaster, "论文标题字体", &T::masterTitleFont),
    flag(kMaster, "作者信息加粗", &T::masterAuthorInfoBold),
    size(kMaster, "作者信息字号", &T::masterAuthorInfoSize),
    font(kMaster, "作者信息字体", &T::masterAuthorInfoFont),
    flag(kMaster, "论文日期加粗", &T::masterDateBold),
    size(kMaster, "论文日期字号", &T::masterDateSize),
    font(kMaster, "论文日期字体", &T::masterDateFont),

    flag(kCnInner, "顶部信息加粗", &T::cnInnerTopInfoBold),
    size(kCnInner, "顶部信息字号", &T::cnInnerTopInfoSize),
    font(kCnInner, "顶部信息字体", &T::cnInnerTopInfoFont),
    flag(kCnInner, "\"Norvale硕士学位论文\"加粗", &T::cnInnerDegreeLabelBold),
    size(kCnInner, "\"Norvale硕士学位论文\"字号", &T::cnInnerDegreeLabelSize),
    font(kCnInner, "\"Norvale硕士学位论文\"字体", &T::cnInnerDegreeLabelFont),
    flag(kCnInner, "学位类型加粗", &T::cnInnerDegreeTypeBold),
    size(kCnInner, "学位类型字号", &T::cnInnerDegreeTypeSize),
    font(kCnInner, "学位类型字体", &T::cnInnerDegreeTypeFont),
    flag(kCnInner, "论文标题加粗", &T::cnInnerTitleBold),
    size(kCnInner, "论文标题字号", &T::cnInnerTitleSize),
    font(kCnInner, "论文标题字体", &T::cnInnerTitleFont),
    flag(kCnInner, "作者姓名加粗", &T::cnInnerAuthorNameBold),
    size(kCnInner, "作者姓名字号", &T::cnInnerAuthorNameSize),
    font(kCnInner, "作者姓名字体", &T::cnInnerAuthorNameFont),
    flag(kCnInner, "作者信息加粗", &T::cnInnerAuthorInfoBold),
    size(kCnInner, "作者信息字号", &T::cnInnerAuthorInfoSize),
    font(kCnInner, "作者信息字体", &T::cnInnerAuthorInfoFont),

    flag(kEnInner, "最顶标题加粗", &T::enInnerTopTitleBold),
    size(kEnInner, "最顶标题字号", &T::enInnerTopTitleSize),
    font(kEnInner, "最顶标题字体", &T::enInnerTopTitleFont),
    flag(kEnInner, "论文标题加粗", &T::enInnerTitleBold),
    size(kEnInner, "论文标题字号", &T::enInnerTitleSize),
    font(kEnInner, "论文标题字体", &T::enInnerTitleFont),
    flag(kEnInner, "作者姓名加粗", &T::enInnerAuthorNameBold),
    size(kEnInner, "作者姓名字号", &T::enInnerAuthorNameSize),
    font(kEnInner, "作者姓名字体", &T::enInnerAuthorNameFont),
    flag(kEnInner, "作者信息加粗", &T::enInnerAuthorInfoBold),
    size(kEnInner, "作者信息字号", &T::enInnerAuthorInfoSize),
    font(kEnInner, "作者信息字体", &T::enInnerAuthorInfoFont),

    flag(kCnAbstract, "\"摘要\"标题两字加粗", &T::cnAbstractHeadingBold),
    size(kCnAbstract, "\"摘要\"标题两字字号", &T::cnAbstractHeadingSize),
    font(kCnAbstract, "\"摘要\"标题两字字体", &T::cnAbstractHeadingFont),
    choice(kCnAbstract, "\"摘要\"标题两字对齐方式", &T::cnAbstractHeadingAlign),
    choice(kCnAbstract, "\"摘要\"形式", &T::cnAbstractHeadingForm),
    flag(kCnAbstract, "中文摘要正文加粗", &T::cnAbstractBodyBold),
    size(kCnAbstract, "中文摘要正文字号", &T::cnAbstractBodySize),
    font(kCnAbstract, "中文摘要正文中文字体", &T::cnAbstractBodyCnFont),
    font(kCnAbstract, "中文摘要正文英文字体", &T::cnAbstractBodyEnFont),
    flag(kCnAbstract, "\"关键词\"标题三字加粗", &T::cnKeywordsLabelBold),
    size(kCnAbstract, "\"关键词\"标题三字字号", &T::cnKeywordsLabelSize),
    font(kCnAbstract, "\"关键词\"标题三字字体", &T::cnKeywordsLabelFont),
    flag(kCnAbstract, "中文关键词加粗", &T::cnKeywordsBold),
    size(kCnAbstract, "中文关键词字号", &T::cnKeywordsSize),
    font(kCnAbstract, "中文关键词中文字体", &T::cnKeywordsCnFont),
    font(kCnAbstract, "中文关键词英文字体", &T::cnKeywordsEnFont),
    choice(kCnAbstract, "\"关键词\"形式", &T::cnKeywordsLabelForm),
    size(kCnAbstract, "注释字号", &T::abstractNotesSize),
    font(kCnAbstract, "注释中文字体", &T::abstractNotesCnFont),
    font(kCnAbstract, "注释英文字体", &T::abstractNotesEnFont),

    flag(kEnAbstract, "\"Abstract\"标题加粗", &T::enAbstractHeadingBold),
    size(kEnAbstract, "\"Abstract\"标题字号", &T::enAbstractHeadingSize),
    font(kEnAbstract, "\"Abstract\"标题字体", &T::enAbstractHeadingFont),
    choice(kEnAbstract, "\"Abstract\"标题对齐方式", &T::enAbstractHeadingAlign),
    flag(kEnAbstract, "英文摘要正文加粗", &T::enAbstractBodyBold),
    size(kEnAbstract, "英文摘要正文字号", &T::enAbstractBodySize),
    font(kEnAbstract, "英文摘要正文中文字体", &T::enAbstractBodyCnFont),
    font(kEnAbstract, "英文摘要正文英文字体", &T::enAbstractBodyEnFont),
    flag(kEnAbstract, "\"KeyWord\"标题加粗", &T::enKeywordsLabelBold),
    size(kEnAbstract, "\"KeyWord\"标题字号", &T::enKeywordsLabelSize),
    font(kEnAbstract, "\"KeyWord\"标题字体", &T::enKeywordsLabelFont),
    flag(kEnAbstract, "英文关键词加粗", &T::enKeywordsBold),
    size(kEnAbstract, "英文关键词字号", &T::enKeywordsSize),
    font(kEnAbstract, "英文关键词中文字体", &T::enKeywordsCnFont),
    font(kEnAbstract, "英文关键词英文字体", &T::enKeywordsEnFont),

    flag(kBody, "一级标题加粗", &T::heading1Bold),
    size(kBody, "一级标题字号", &T::heading1Size),
    font(kBody, "一级标题中文字体", &T::heading1Font),
    flag(kBody, "二级标题加粗", &T::heading2Bold),
    size(kBody, "二级标题字号", &T::heading2Size),
    font(kBody, "二级标题字体", &T::heading2Font),
    flag(kBody, "三级标题加粗", &T::heading3Bold),
    size(kBody, "三级标题字号", &T::heading3Size),
    font(kBody, "三级标题字体", &T::heading3Font),
    size(kBody, "正文字号", &T::bodyTextSize),
    font(kBody, "正文中文字体", &T::bodyTextCnFont),
    font(kBody, "正文英文字体", &T::bodyTextEnFont),
    size(kBody, "上标字号", &T::superscriptSize),
    font(kBody, "上标字体", &T::superscriptFont),

    flag(kFigures, "表名加粗", &T::tableCaptionBold),
    size(kFigures, "表名字号", &T::tableCaptionSize),
    font(kFigures, "表名中文字体", &T::tableCaptionCnFont),
    font(kFigures, "表名英文字体", &T::tableCaptionEnFont),
    flag(kFigures, "图名加粗", &T::figureCaptionBold),
    size(kFigures, "图名字号", &T::figureCaptionSize),
    font(kFigures, "图名中文字体", &T::figureCaptionCnFont),
    font(kFigures, "图名英文字体", &T::figureCaptionEnFont),
    size(kFigures, "表内容字号", &T::tableTextSize),
    font(kFigures, "表内容字体", &T::tableTextFont),
    size(kFigures, "图表注释字号", &T::captionNoteSize),
    font(kFigures, "图表注释字体", &T::captionNoteFont),
    text(kFigures, "序号分隔符", &T::numberSeparator),

    checkSwitch(kChecks, "首页封面", &T::checkCover),
    checkSwitch(kChecks, "中文摘要", &T::checkCnAbstract),
    checkSwitch(kChecks, "摘要注释", &T::checkAbstractNotes),
    checkSwitch(kChecks, "英文摘要", &T::checkEnAbstract),
    checkSwitch(kChecks, "正文", &T::checkBody),
    checkSwitch(kChecks, "参考文献", &T::checkReferences),
    checkSwitch(kChecks, "英文图表名", &T::checkEnCaptions),
};

}  // namespace

std::span<const TemplateKey> templateKeys() { return kKeys; }

std::span<const std::string_view> templateSections() { return kSections; }

}  // namespace quillmark
