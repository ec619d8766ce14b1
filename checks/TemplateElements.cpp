#include "checks/TemplateElements.h"

#include <array>
#include <stdexcept>

namespace quillmark {

namespace {

using T = FormatTemplate;
using E = TemplateElement;
constexpr FontSource kCn = FontSource::Chinese;
constexpr FontSource kEn = FontSource::Latin;
constexpr FontSource kShown = FontSource::Shown;

// The font sources follow the checkers' comparisons: Font.NameFarEast reads
// the Chinese characters, Font.NameAscii the Latin ones, Font.Name all.
const std::array kElements{
    ElementMembers{E::BachelorDegreeLabel, "本科封面\"本科毕业论文设计（论文）\"", &T::bachelorDegreeLabelBold,
                   &T::bachelorDegreeLabelSize, {{&T::bachelorDegreeLabelFont, kShown}}},
    ElementMembers{E::BachelorTitle, "本科封面论文标题", &T::bachelorTitleBold, &T::bachelorTitleSize,
                   {{&T::bachelorTitleFont, kCn}}},
    ElementMembers{E::BachelorForeignTitle, "本科封面外语论文标题", &T::bachelorTitleBold,
                   &T::bachelorForeignTitleSize, {{&T::bachelorForeignTitleFont, kEn}}},
    ElementMembers{E::BachelorAuthorInfo, "本科封面作者信息", &T::bachelorAuthorInfoBold, &T::bachelorAuthorInfoSize,
                   {{&T::bachelorAuthorInfoCnFont, kCn}, {&T::bachelorAuthorInfoEnFont, kEn}}},

    ElementMembers{E::MasterDegreeLabel, "硕士外封面学位论文字样", &T::masterDegreeLabelBold,
                   &T::masterDegreeLabelSize, {{&T::masterDegreeLabelFont, kShown}}},
    ElementMembers{E::MasterDegreeType, "硕士外封面学位类型", &T::masterDegreeTypeBold, &T::masterDegreeTypeSize,
                   {{&T::masterDegreeTypeFont, kShown}}},
    ElementMembers{E::MasterTitle, "硕士外封面论文标题", &T::masterTitleBold, &T::masterTitleSize,
                   {{&T::masterTitleFont, kShown}}},
    ElementMembers{E::MasterAuthorInfo, "硕士外封面作者信息", &T::masterAuthorInfoBold, &T::masterAuthorInfoSize,
                   {{&T::masterAuthorInfoFont, kShown}}},
    ElementMembers{E::MasterDate, "硕士外封面论文日期", &T::masterDateBold, &T::masterDateSize,
                   {{&T::masterDateFont, kShown}}},

    ElementMembers{E::CnInnerTopInfo, "硕士中文内封面顶部信息", &T::cnInnerTopInfoBold, &T::cnInnerTopInfoSize,
                   {{&T::cnInnerTopInfoFont, kCn}}},
    ElementMembers{E::CnInnerDegreeLabel, "硕士中文内封面学位论文字样", &T::cnInnerDegreeLabelBold,
                   &T::cnInnerDegreeLabelSize, {{&T::cnInnerDegreeLabelFont, kShown}}},
    ElementMembers{E::CnInnerDegreeType, "硕士中文内封面学位类型", &T::cnInnerDegreeTypeBold,
                   &T::cnInnerDegreeTypeSize, {{&T::cnInnerDegreeTypeFont, kShown}}},
    ElementMembers{E::CnInnerTitle, "硕士中文内封面论文标题", &T::cnInnerTitleBold, &T::cnInnerTitleSize,
                   {{&T::cnInnerTitleFont, kShown}}},
    ElementMembers{E::CnInnerAuthorName, "硕士中文内封面作者姓名", &T::cnInnerAuthorNameBold,
                   &T::cnInnerAuthorNameSize, {{&T::cnInnerAuthorNameFont, kShown}}},
    ElementMembers{E::CnInnerAuthorInfo, "硕士中文内封面作者信息", &T::cnInnerAuthorInfoBold,
                   &T::cnInnerAuthorInfoSize, {{&T::cnInnerAuthorInfoFont, kShown}}},

    ElementMembers{E::EnInnerTopTitle, "硕士英文内封面最顶标题", &T::enInnerTopTitleBold, &T::enInnerTopTitleSize,
                   {{&T::enInnerTopTitleFont, kEn}}},
    ElementMembers{E::EnInnerTitle, "硕士英文内封面论文标题", &T::enInnerTitleBold, &T::enInnerTitleSize,
                   {{&T::enInnerTitleFont, kEn}}},
    ElementMembers{E::EnInnerAuthorName, "硕士英文内封面作者姓名", &T::enInnerAuthorNameBold,
                   &T::enInnerAuthorNameSize, {{&T::enInnerAuthorNameFont, kEn}}},
    ElementMembers{E::EnInnerAuthorInfo, "硕士英文内封面作者信息", &T::enInnerAuthorInfoBold,
                   &T::enInnerAuthorInfoSize, {{&T::enInnerAuthorInfoFont, kEn}}},

    ElementMembers{E::CnAbstractTitle, "中文摘要标题", &T::cnAbstractHeadingBold, &T::cnAbstractHeadingSize,
                   {{&T::cnAbstractHeadingFont, kCn}}, &T::cnAbstractHeadingAlign},
    ElementMembers{E::CnAbstractText, "中文摘要正文", &T::cnAbstractBodyBold, &T::cnAbstractBodySize,
                   {{&T::cnAbstractBodyCnFont, kCn}, {&T::cnAbstractBodyEnFont, kEn}}},
    ElementMembers{E::CnKeywordsLabel, "中文关键词标题", &T::cnKeywordsLabelBold, &T::cnKeywordsLabelSize,
                   {{&T::cnKeywordsLabelFont, kShown}}},
    ElementMembers{E::CnKeywords, "中文关键词", &T::cnKeywordsBold, &T::cnKeywordsSize,
                   {{&T::cnKeywordsCnFont, kCn}, {&T::cnKeywordsEnFont, kEn}}},
    ElementMembers{E::AbstractNotes, "摘要注释", nullptr, &T::abstractNotesSize,
                   {{&T::abstractNotesCnFont, kCn}, {&T::abstractNotesEnFont, kEn}}},

    ElementMembers{E::EnAbstractTitle, "英文摘要标题", &T::enAbstractHeadingBold, &T::enAbstractHeadingSize,
                   {{&T::enAbstractHeadingFont, kShown}}, &T::enAbstractHeadingAlign},
    ElementMembers{E::EnAbstractText, "英文摘要正文", &T::enAbstractBodyBold, &T::enAbstractBodySize,
                   {{&T::enAbstractBodyCnFont, kCn}, {&T::enAbstractBodyEnFont, kEn}}},
    ElementMembers{E::EnKeywordsLabel, "英文关键词标题", &T::enKeywordsLabelBold, &T::enKeywordsLabelSize,
                   {{&T::enKeywordsLabelFont, kShown}}},
    ElementMembers{E::EnKeywords, "英文关键词", &T::enKeywordsBold, &T::enKeywordsSize,
                   {{&T::enKeywordsCnFont, kCn}, {&T::enKeywordsEnFont, kEn}}},

    ElementMembers{E::Heading1, "一级标题", &T::heading1Bold, &T::heading1Size, {{&T::heading1Font, kCn}}},
    ElementMembers{E::Heading2, "二级标题", &T::heading2Bold, &T::heading2Size, {{&T::heading2Font, kCn}}},
    ElementMembers{E::Heading3, "三级标题", &T::heading3Bold, &T::heading3Size, {{&T::heading3Font, kCn}}},
    ElementMembers{E::BodyText, "正文", nullptr, &T::bodyTextSize,
                   {{&T::bodyTextCnFont, kCn}, {&T::bodyTextEnFont, kEn}}},
    ElementMembers{E::Superscript, "上标引用", nullptr, &T::superscriptSize, {{&T::superscriptFont, kEn}}},
    ElementMembers{E::TableText, "表格内容", nullptr, &T::tableTextSize, {{&T::tableTextFont, kCn}}},
    ElementMembers{E::CaptionNote, "图表注释", nullptr, &T::captionNoteSize, {{&T::captionNoteFont, kCn}}},
    ElementMembers{E::TableCaption, "表名", &T::tableCaptionBold, &T::tableCaptionSize,
                   {{&T::tableCaptionCnFont, kCn}, {&T::tableCaptionEnFont, kEn}}},
    ElementMembers{E::FigureCaption, "图名", &T::figureCaptionBold, &T::figureCaptionSize,
                   {{&T::figureCaptionCnFont, kCn}, {&T::figureCaptionEnFont, kEn}}},
    ElementMembers{E::EnTableCaption, "英文表名", nullptr, nullptr, {{&T::tableCaptionEnFont, kEn}}},
    ElementMembers{E::EnFigureCaption, "英文图名", nullptr, nullptr, {{&T::figureCaptionEnFont, kEn}}},
};

}  // namespace

std::span<const ElementMembers> templateElements() { return kElements; }

const ElementMembers& membersOf(TemplateElement element) {
    for (const ElementMembers& members : kElements) {
        if (members.element == element) return members;
    }
    throw std::logic_error("template element without members");
}

}  // namespace quillmark
