#include "derive/ModelThesis.h"

namespace quillmark::testing {

namespace {

const ParaStyle kCentred{.alignment = 1};
const ParaStyle kLeft{.alignment = 0};

// One font for both scripts, as items compared by their shown font carry it.
TextStyle shown(const std::string& font, float size, std::int32_t bold, bool underline = false) {
    return {.asianFont = font, .latinFont = font, .size = size, .bold = bold != 0, .underline = underline};
}
TextStyle twoFonts(const std::string& cn, const std::string& en, float size, std::int32_t bold) {
    return {.asianFont = cn, .latinFont = en, .size = size, .bold = bold != 0};
}

void bachelorCover(DocBuilder& d, const FormatTemplate& t) {
    d.paragraph("本科毕业设计（论文）", shown(t.bachelorDegreeLabelFont, t.bachelorDegreeLabelSize, t.bachelorDegreeLabelBold), kCentred);
    d.blank(2);
    d.paragraph("论文格式自动检查系统的设计与实现",
                twoFonts(t.bachelorTitleFont, "Times New Roman", t.bachelorTitleSize, t.bachelorTitleBold), kCentred);
    d.paragraph("Design of a Thesis Format Checker",
                twoFonts("宋体", t.bachelorForeignTitleFont, t.bachelorForeignTitleSize, t.bachelorTitleBold), kCentred);
    d.blank(2);
    const TextStyle label = shown("黑体", 16, 1);
    TextStyle value = twoFonts(t.bachelorAuthorInfoCnFont, t.bachelorAuthorInfoEnFont, t.bachelorAuthorInfoSize,
                               t.bachelorAuthorInfoBold);
    value.underline = true;
    d.paragraph({{"学    生：", label}, {"张  三", value}}, kCentred);
    d.paragraph({{"学    号：", label}, {"20230001", value}}, kCentred);
    d.paragraph({{"指导教师：", label}, {"李  四", value}}, kCentred);
    d.blank(3);
    d.paragraph("二〇二三年五月", shown("宋体", 14, 0), kCentred);
    d.pageBreak();
}

void masterCovers(DocBuilder& d, const FormatTemplate& t) {
    d.paragraph("Norvale工学硕士学位论文", shown(t.masterDegreeLabelFont, t.masterDegreeLabelSize, t.masterDegreeLabelBold), kCentred);
    d.blank();
    d.paragraph("学术学位", shown(t.masterDegreeTypeFont, t.masterDegreeTypeSize, t.masterDegreeTypeBold), kCentred);
    d.blank();
    d.paragraph("论文格式自动检查系统", shown(t.masterTitleFont, t.masterTitleSize, t.masterTitleBold), kCentred);
    d.blank();
    d.paragraph("张  三", shown(t.masterAuthorInfoFont, t.masterAuthorInfoSize, t.masterAuthorInfoBold), kCentred);
    d.blank();
    d.paragraph("二〇二三年五月", shown(t.masterDateFont, t.masterDateSize, t.masterDateBold), kCentred);
    d.pageBreak();

    const TextStyle top = twoFonts(t.cnInnerTopInfoFont, "Times New Roman", t.cnInnerTopInfoSize, t.cnInnerTopInfoBold);
    d.paragraph("分类号：TP311", top, kLeft);
    d.paragraph("密  级：公开", top, kLeft);
    d.blank();
    d.paragraph("Norvale硕士学位论文", shown(t.cnInnerDegreeLabelFont, t.cnInnerDegreeLabelSize, t.cnInnerDegreeLabelBold), kCentred);
    d.paragraph("学术学位", shown(t.cnInnerDegreeTypeFont, t.cnInnerDegreeTypeSize, t.cnInnerDegreeTypeBold), kCentred);
    d.blank();
    d.paragraph("论文格式自动检查系统", shown(t.cnInnerTitleFont, t.cnInnerTitleSize, t.cnInnerTitleBold), kCentred);
    d.blank();
    d.paragraph("张  三", shown(t.cnInnerAuthorNameFont, t.cnInnerAuthorNameSize, t.cnInnerAuthorNameBold), kCentred);
    d.blank();
    const TextStyle value = shown(t.cnInnerAuthorInfoFont, t.cnInnerAuthorInfoSize, t.cnInnerAuthorInfoBold, true);
    d.paragraph({{"学科专业：", shown("宋体", 14, 0)}, {"计算机科学与技术", value}}, kCentred);
    d.paragraph({{"指导教师：", shown("宋体", 14, 0)}, {"李  四  教授", value}}, kCentred);
    d.pageBreak();

    auto latin = [](const std::string& font, float size, std::int32_t bold) {
        return TextStyle{.latinFont = font, .size = size, .bold = bold != 0};
    };
    d.paragraph("A Dissertation Submitted to Norvale for the Degree of Doctor of Philosophy",
                latin(t.enInnerTopTitleFont, t.enInnerTopTitleSize, t.enInnerTopTitleBold), kCentred);
    d.blank(1, {}, kCentred);
    d.paragraph("Design of a Thesis Format Checker", latin(t.enInnerTitleFont, t.enInnerTitleSize, t.enInnerTitleBold), kCentred);
    d.blank(6, {}, kCentred);
    const TextStyle name = latin(t.enInnerAuthorNameFont, t.enInnerAuthorNameSize, t.enInnerAuthorNameBold);
    d.paragraph("By Zhang San", name, kCentred);
    d.paragraph("Supervised by Li Si", name, kCentred);
    d.blank(6, {}, kCentred);
    const TextStyle details = latin(t.enInnerAuthorInfoFont, t.enInnerAuthorInfoSize, t.enInnerAuthorInfoBold);
    d.paragraph("Computer Science", details, {.alignment = 1, .lineSpacing = 12.0f});
    d.paragraph("Norvale University", details, {.alignment = 1, .lineSpacing = 12.0f});
    d.pageBreak();
}

void chineseAbstract(DocBuilder& d, const FormatTemplate& t) {
    const std::string title = t.cnAbstractHeadingForm == 1 ? "要  摘" : "摘  要";
    d.paragraph(title, twoFonts(t.cnAbstractHeadingFont, t.cnAbstractHeadingFont, t.cnAbstractHeadingSize, t.cnAbstractHeadingBold),
                {.alignment = t.cnAbstractHeadingAlign});
    d.blank();
    const TextStyle text = twoFonts(t.cnAbstractBodyCnFont, t.cnAbstractBodyEnFont, t.cnAbstractBodySize, t.cnAbstractBodyBold);
    d.paragraph("本文研究论文格式的自动检查方法，用 Word 文档对象模型读出每个元素的格式。", text);
    d.paragraph("系统给出一个完整的实现，并在真实的论文上测量它的效果。", text);
    d.blank();
    const std::string label = t.cnKeywordsLabelForm == 0 ? "关键字：" : "关键词：";
    d.paragraph({{label, shown(t.cnKeywordsLabelFont, t.cnKeywordsLabelSize, t.cnKeywordsLabelBold)},
                 {"论文，格式，Word，检查", twoFonts(t.cnKeywordsCnFont, t.cnKeywordsEnFont, t.cnKeywordsSize, t.cnKeywordsBold)}});
    d.paragraph("本研究得到 NSFC 项目资助。",
                twoFonts(t.abstractNotesCnFont, t.abstractNotesEnFont, t.abstractNotesSize, 0));
    d.pageBreak();
}

void addEnglishAbstract(DocBuilder& d, const FormatTemplate& t) {
    d.paragraph("Abstract", shown(t.enAbstractHeadingFont, t.enAbstractHeadingSize, t.enAbstractHeadingBold),
                {.alignment = t.enAbstractHeadingAlign});
    d.blank();
    const TextStyle text = twoFonts(t.enAbstractBodyCnFont, t.enAbstractBodyEnFont, t.enAbstractBodySize, t.enAbstractBodyBold);
    d.paragraph("This thesis studies how the format of a thesis (论文) can be checked by a program.", text);
    d.paragraph("It reads every element through the object model of the word processor.", text);
    d.blank();
    d.paragraph({{"Key words: ", shown(t.enKeywordsLabelFont, t.enKeywordsLabelSize, t.enKeywordsLabelBold)},
                 {"thesis; format; 检查; checker", twoFonts(t.enKeywordsCnFont, t.enKeywordsEnFont, t.enKeywordsSize, t.enKeywordsBold)}});
    d.pageBreak();
}

void addBody(DocBuilder& d, const FormatTemplate& t) {
    // A master's thesis has a Chinese and an English table of contents.
    const int tables = t.thesisType == kMasterThesis ? 2 : 1;
    for (int i = 0; i < tables; ++i) {
        d.tableOfContents();
        d.pageBreak();
    }
    d.paragraph("1 绪论", twoFonts(t.heading1Font, t.heading1Font, t.heading1Size, t.heading1Bold),
                {.alignment = 1, .outlineLevel = 1});
    d.paragraph("1.1 研究背景", twoFonts(t.heading2Font, t.heading2Font, t.heading2Size, t.heading2Bold),
                {.alignment = 0, .outlineLevel = 2});
    d.paragraph("1.1.1 问题的提出", twoFonts(t.heading3Font, t.heading3Font, t.heading3Size, t.heading3Bold),
                {.alignment = 0, .outlineLevel = 3});
    const TextStyle text = twoFonts(t.bodyTextCnFont, t.bodyTextEnFont, t.bodyTextSize, 0);
    TextStyle citation = twoFonts(t.bodyTextCnFont, t.superscriptFont, t.superscriptSize, 0);
    citation.superscript = true;
    d.paragraph({{"论文格式检查是一项繁琐的工作，Word 文档的格式由很多属性决定", text}, {"[1]", citation},
                 {"，人工检查容易遗漏。", text}});
    d.paragraph("本章介绍研究的背景和意义，并给出 Software Design 的总体思路。", text);
    const TextStyle tableCaption =
        twoFonts(t.tableCaptionCnFont, t.tableCaptionEnFont, t.tableCaptionSize, t.tableCaptionBold);
    d.paragraph("表1" + t.numberSeparator + "1 实验数据", tableCaption, kCentred);
    d.table({{"项目名称", "测量数值"}, {"检查时间", "十二秒钟"}},
            twoFonts(t.tableTextFont, "Times New Roman", t.tableTextSize, 0));
    d.paragraph("注：数据来自本文的实验。", twoFonts(t.captionNoteFont, "Times New Roman", t.captionNoteSize, 0));
    d.paragraph("图1" + t.numberSeparator + "1 系统结构",
                twoFonts(t.figureCaptionCnFont, t.figureCaptionEnFont, t.figureCaptionSize, t.figureCaptionBold), kCentred);
    d.paragraph("后文给出系统的设计与实现。", text);
}

}  // namespace

DocBuilder ModelThesis::build() const {
    DocBuilder d;
    if (covers) {
        if (format.thesisType == kMasterThesis) masterCovers(d, format); else bachelorCover(d, format);
    }
    chineseAbstract(d, format);
    if (englishAbstract) addEnglishAbstract(d, format);
    if (body) addBody(d, format);
    return d;
}

FormatTemplate unusualTemplate(std::int32_t thesisType) {
    FormatTemplate t;
    t.thesisType = thesisType;

    t.bachelorDegreeLabelBold = 0, t.bachelorDegreeLabelSize = 24, t.bachelorDegreeLabelFont = "楷体";
    t.bachelorTitleBold = 0, t.bachelorTitleSize = 20, t.bachelorForeignTitleSize = 16;
    t.bachelorTitleFont = "楷体", t.bachelorForeignTitleFont = "Arial";
    t.bachelorAuthorInfoBold = 0, t.bachelorAuthorInfoSize = 15;
    t.bachelorAuthorInfoCnFont = "仿宋", t.bachelorAuthorInfoEnFont = "Georgia";

    t.masterDegreeLabelBold = 0, t.masterDegreeLabelSize = 20, t.masterDegreeLabelFont = "黑体";
    t.masterDegreeTypeBold = 1, t.masterDegreeTypeSize = 14, t.masterDegreeTypeFont = "楷体";
    t.masterTitleBold = 1, t.masterTitleSize = 24, t.masterTitleFont = "仿宋";
    t.masterAuthorInfoBold = 1, t.masterAuthorInfoSize = 15, t.masterAuthorInfoFont = "楷体";
    t.masterDateBold = 1, t.masterDateSize = 12, t.masterDateFont = "黑体";
    t.cnInnerTopInfoBold = 1, t.cnInnerTopInfoSize = 12, t.cnInnerTopInfoFont = "楷体";
    t.cnInnerDegreeLabelBold = 0, t.cnInnerDegreeLabelSize = 20, t.cnInnerDegreeLabelFont = "黑体";
    t.cnInnerDegreeTypeBold = 1, t.cnInnerDegreeTypeSize = 14, t.cnInnerDegreeTypeFont = "楷体";
    t.cnInnerTitleBold = 1, t.cnInnerTitleSize = 24, t.cnInnerTitleFont = "仿宋";
    t.cnInnerAuthorNameBold = 1, t.cnInnerAuthorNameSize = 15, t.cnInnerAuthorNameFont = "黑体";
    t.cnInnerAuthorInfoBold = 1, t.cnInnerAuthorInfoSize = 12, t.cnInnerAuthorInfoFont = "楷体";
    t.enInnerTopTitleBold = 1, t.enInnerTopTitleSize = 14, t.enInnerTopTitleFont = "Georgia";
    t.enInnerTitleBold = 1, t.enInnerTitleSize = 16, t.enInnerTitleFont = "Courier New";
    t.enInnerAuthorNameBold = 0, t.enInnerAuthorNameSize = 14, t.enInnerAuthorNameFont = "Georgia";
    t.enInnerAuthorInfoBold = 1, t.enInnerAuthorInfoSize = 10.5f, t.enInnerAuthorInfoFont = "Verdana";

    t.cnAbstractHeadingBold = 0, t.cnAbstractHeadingForm = 1, t.cnAbstractHeadingSize = 15;
    t.cnAbstractHeadingFont = "楷体", t.cnAbstractHeadingAlign = 2;
    t.cnAbstractBodyBold = 1, t.cnAbstractBodySize = 10.5f, t.cnAbstractBodyCnFont = "楷体", t.cnAbstractBodyEnFont = "Arial";
    t.cnKeywordsLabelBold = 0, t.cnKeywordsLabelSize = 12, t.cnKeywordsLabelFont = "仿宋";
    t.cnKeywordsBold = 1, t.cnKeywordsSize = 10.5f, t.cnKeywordsCnFont = "仿宋", t.cnKeywordsEnFont = "Georgia";
    t.cnKeywordsLabelForm = 0;
    t.abstractNotesCnFont = "楷体", t.abstractNotesEnFont = "Arial", t.abstractNotesSize = 9;

    t.enAbstractHeadingBold = 0, t.enAbstractHeadingSize = 14, t.enAbstractHeadingFont = "Arial", t.enAbstractHeadingAlign = 0;
    t.enAbstractBodyBold = 1, t.enAbstractBodySize = 11, t.enAbstractBodyCnFont = "楷体", t.enAbstractBodyEnFont = "Georgia";
    t.enKeywordsLabelBold = 0, t.enKeywordsLabelSize = 12, t.enKeywordsLabelFont = "Arial";
    t.enKeywordsBold = 1, t.enKeywordsSize = 11, t.enKeywordsCnFont = "仿宋", t.enKeywordsEnFont = "Verdana";

    t.heading1Bold = 0, t.heading1Size = 15, t.heading1Font = "楷体";
    t.heading2Bold = 0, t.heading2Size = 14, t.heading2Font = "仿宋";
    t.heading3Bold = 1, t.heading3Size = 13, t.heading3Font = "楷体";
    t.bodyTextSize = 10.5f, t.bodyTextCnFont = "仿宋", t.bodyTextEnFont = "Arial";
    t.superscriptSize = 9, t.superscriptFont = "Georgia";

    t.tableCaptionBold = 0, t.tableCaptionSize = 9, t.tableCaptionCnFont = "楷体", t.tableCaptionEnFont = "Arial";
    t.figureCaptionBold = 1, t.figureCaptionSize = 12, t.figureCaptionCnFont = "黑体", t.figureCaptionEnFont = "Georgia";
    t.tableTextSize = 9.5f, t.tableTextFont = "楷体";
    t.captionNoteSize = 10, t.captionNoteFont = "黑体";
    t.numberSeparator = "-";

    t.checkBody = 0, t.checkEnCaptions = 1, t.checkCover = 0;
    return t;
}

}  // namespace quillmark::testing
