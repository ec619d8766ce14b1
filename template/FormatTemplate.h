#pragma once

#include <cstdint>
#include <string>

namespace quillmark {

// Values of FormatTemplate::thesisType.
enum ThesisType : std::int32_t {
    kBachelorThesis = 0,  // "学士论文"
    kMasterThesis = 1,    // "硕士论文"
};

// How every examined part of a thesis must look. Kinds of members:
//   flag   (int32_t) bold: 1 = must be bold, 0 = must not be bold
//   size   (float)   font size in points
//   font   (string)  font family name, UTF-8
//   choice (int32_t) index into a fixed list (alignment, word form)
//   switch (int32_t) check item: 1 = on, 0 = off
//   text   (string)  the caption-number separator
// Members hold their built-in defaults from construction on. Which file
// section and key fills which member is described once, in TemplateKeys.
struct FormatTemplate {
    FormatTemplate() = default;
    FormatTemplate(const FormatTemplate&) = default;
    FormatTemplate& operator=(const FormatTemplate&) = default;
    virtual ~FormatTemplate() = default;

    // Reads every key of a template file over the current values (absent
    // keys leave their members). False, and nothing changed, for a file that
    // cannot be read or holds none of the template's sections
    // (loadTemplateFile in TemplateLoader.h tells the two apart).
    bool loadFromFile(const std::string& path);

    bool operator==(const FormatTemplate&) const = default;

    std::int32_t thesisType = kBachelorThesis;

    // Bachelor cover
    std::int32_t bachelorDegreeLabelBold = 1;
    float bachelorDegreeLabelSize = 26.0f;
    std::string bachelorDegreeLabelFont = "黑体";
    std::int32_t bachelorTitleBold = 1;
    float bachelorTitleSize = 22.0f;
    float bachelorForeignTitleSize = 18.0f;
    std::string bachelorTitleFont = "黑体";
    std::string bachelorForeignTitleFont = "黑体";
    std::int32_t bachelorAuthorInfoBold = 1;
    float bachelorAuthorInfoSize = 16.0f;
    std::string bachelorAuthorInfoCnFont = "黑体";
    std::string bachelorAuthorInfoEnFont = "黑体";

    // Chinese abstract, its keywords and the abstract notes
    std::int32_t cnAbstractHeadingBold = 1;
    std::int32_t cnAbstractHeadingForm = 0;
    float cnAbstractHeadingSize = 16.0f;
    std::string cnAbstractHeadingFont = "黑体";
    std::int32_t cnAbstractHeadingAlign = 1;
    std::int32_t cnAbstractBodyBold = 0;
    float cnAbstractBodySize = 12.0f;
    std::string cnAbstractBodyCnFont = "宋体";
    std::string cnAbstractBodyEnFont = "Times New Roman";
    std::int32_t cnKeywordsLabelBold = 1;
    float cnKeywordsLabelSize = 14.0f;
    std::string cnKeywordsLabelFont = "黑体";
    std::int32_t cnKeywordsBold = 0;
    float cnKeywordsSize = 12.0f;
    std::string cnKeywordsCnFont = "宋体";
    std::string cnKeywordsEnFont = "Times New Roman";
    std::int32_t cnKeywordsLabelForm = 1;
    std::string abstractNotesCnFont = "宋体";
    std::string abstractNotesEnFont = "Times New Roman";
    float abstractNotesSize = 10.5f;

    // English abstract and its key words
    std::int32_t enAbstractHeadingBold = 1;
    float enAbstractHeadingSize = 16.0f;
    std::string enAbstractHeadingFont = "Times New Roman";
    std::int32_t enAbstractHeadingAlign = 1;
    std::int32_t enAbstractBodyBold = 0;
    float enAbstractBodySize = 12.0f;
    std::string enAbstractBodyCnFont = "宋体";
    std::string enAbstractBodyEnFont = "Times New Roman";
    std::int32_t enKeywordsLabelBold = 1;
    float enKeywordsLabelSize = 14.0f;
    std::string enKeywordsLabelFont = "Times New Roman";
    std::int32_t enKeywordsBold = 0;
    float enKeywordsSize = 12.0f;
    std::string enKeywordsCnFont = "宋体";
    std::string enKeywordsEnFont = "Times New Roman";

    // Body text
    std::int32_t heading1Bold = 1;
    float heading1Size = 16.0f;
    std::string heading1Font = "黑体";
    std::int32_t heading2Bold = 1;
    float heading2Size = 12.0f;
    std::string heading2Font = "黑体";
    std::int32_t heading3Bold = 0;
    float heading3Size = 12.0f;
    std::string heading3Font = "黑体";
    float bodyTextSize = 12.0f;
    std::string bodyTextCnFont = "宋体";
    std::string bodyTextEnFont = "Times New Roman";
    float superscriptSize = 12.0f;
    std::string superscriptFont = "Times New Roman";

    // Figures and tables
    std::int32_t tableCaptionBold = 1;
    float tableCaptionSize = 10.5f;
    std::string tableCaptionCnFont = "黑体";
    std::string tableCaptionEnFont = "Times New Roman";
    std::int32_t figureCaptionBold = 0;
    float figureCaptionSize = 10.5f;
    std::string figureCaptionCnFont = "宋体";
    std::string figureCaptionEnFont = "Times New Roman";
    float tableTextSize = 10.5f;
    std::string tableTextFont = "宋体";
    float captionNoteSize = 9.0f;
    std::string captionNoteFont = "宋体";
    std::string numberSeparator = ".";

    // Master outer cover
    std::int32_t masterDegreeLabelBold = 1;
    float masterDegreeLabelSize = 18.0f;
    std::string masterDegreeLabelFont = "宋体";
    std::int32_t masterDegreeTypeBold = 0;
    float masterDegreeTypeSize = 12.0f;
    std::string masterDegreeTypeFont = "宋体";
    std::int32_t masterTitleBold = 0;
    float masterTitleSize = 22.0f;
    std::string masterTitleFont = "黑体";
    std::int32_t masterAuthorInfoBold = 0;
    float masterAuthorInfoSize = 16.0f;
    std::string masterAuthorInfoFont = "宋体";
    std::int32_t masterDateBold = 0;
    float masterDateSize = 14.0f;
    std::string masterDateFont = "宋体";

    // Master Chinese inner cover
    std::int32_t cnInnerTopInfoBold = 0;
    float cnInnerTopInfoSize = 14.0f;
    std::string cnInnerTopInfoFont = "宋体";
    std::int32_t cnInnerDegreeLabelBold = 1;
    float cnInnerDegreeLabelSize = 18.0f;
    std::string cnInnerDegreeLabelFont = "宋体";
    std::int32_t cnInnerDegreeTypeBold = 0;
    float cnInnerDegreeTypeSize = 12.0f;
    std::string cnInnerDegreeTypeFont = "宋体";
    std::int32_t cnInnerTitleBold = 0;
    float cnInnerTitleSize = 22.0f;
    std::string cnInnerTitleFont = "黑体";
    std::int32_t cnInnerAuthorNameBold = 0;
    float cnInnerAuthorNameSize = 16.0f;
    std::string cnInnerAuthorNameFont = "宋体";
    std::int32_t cnInnerAuthorInfoBold = 0;
    float cnInnerAuthorInfoSize = 14.0f;
    std::string cnInnerAuthorInfoFont = "宋体";

    // Master English inner cover
    std::int32_t enInnerTopTitleBold = 0;
    float enInnerTopTitleSize = 16.0f;
    std::string enInnerTopTitleFont = "Times New Roman";
    std::int32_t enInnerTitleBold = 0;
    float enInnerTitleSize = 18.0f;
    std::string enInnerTitleFont = "Arial";
    std::int32_t enInnerAuthorNameBold = 1;
    float enInnerAuthorNameSize = 15.0f;
    std::string enInnerAuthorNameFont = "Arial";
    std::int32_t enInnerAuthorInfoBold = 0;
    float enInnerAuthorInfoSize = 12.0f;
    std::string enInnerAuthorInfoFont = "Arial";

    // Check items. They are loaded and edited like every other member;
    // which checks run is decided by the check pages.
    std::int32_t checkCnAbstract = 1;
    std::int32_t checkEnAbstract = 1;
    std::int32_t checkCover = 1;
    std::int32_t checkAbstractNotes = 1;
    std::int32_t checkReferences = 1;
    std::int32_t checkBody = 1;
    std::int32_t checkEnCaptions = 0;
};

// The one template of the program, with the built-in defaults until the
// user loads a file or confirms the settings dialog. Checkers read it in
// place; it must not change while a check run is under way.
FormatTemplate& currentTemplate();

}  // namespace quillmark
