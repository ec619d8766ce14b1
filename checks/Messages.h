#pragma once

// Every text a checker shows, and the two ways findings are composed from
// them. Checkers build their descriptions here and nowhere else.

#include "checks/FormatRules.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quillmark::messages {

// ------------------------------------------------------------ the pieces

// Part words of the list form.
inline constexpr std::string_view kPartTitle = "标题";
inline constexpr std::string_view kPartText = "正文";

// Bold: "字体未加粗，应加粗" for flag 1, "字体不应加粗" otherwise.
std::string_view boldPiece(std::int32_t flag);
// "字号有误，请自行查找默认模板或您所设置的模板" + templatePart + "相对应的字号"
std::string sizePiece(std::string_view templatePart);
// "字体名有误，请自行查找默认模板或您所设置的模板" + templatePart + "相对应的字体名"
std::string fontPiece(std::string_view templatePart);
// "未" + the text of the template alignment: 0 "左对齐，应左对齐",
// 1 "居中，应居中", 2 "右对齐，应右对齐", 3 "两端对齐，应两端对齐",
// 4 "分散对齐，应分散对齐"; any other value names no alignment and reads
// "未按模板对齐，应按模板对齐".
std::string alignmentPiece(long alignment);

// ------------------------------------------------------------- the forms

// The texts an item's deviations are told with.
struct ItemTexts {
    std::int32_t boldFlag = 0;
    std::string_view templatePart;  // names the item in the size and font pieces
    long alignment = 0;             // the template alignment, for the alignment piece
};

// The pieces of the flagged deviations, in the order bold, size, font name,
// alignment.
std::vector<std::string> deviationPieces(const Deviations& deviations, const ItemTexts& texts);

// List form (abstract checkers): "\"" + itemName + "\"" + partWord, then the
// pieces joined by an ASCII ",", then "。".
std::string listForm(std::string_view itemName, std::string_view partWord, const std::vector<std::string>& pieces);
std::string listForm(std::string_view itemName, std::string_view partWord, const Deviations& deviations,
                     const ItemTexts& texts);

// Label form (covers): the label, then the pieces joined by `separator`,
// then "。".
std::string labelForm(std::string_view label, const std::vector<std::string>& pieces, std::string_view separator);

// ------------------------------------------------------- Chinese abstract

inline constexpr const char* kCnAbstractCheckName = "中文摘要检测";

// Title words by cnAbstractHeadingForm, and their searches (^w: any white space).
inline constexpr std::string_view kCnTitleWord = "摘要";
inline constexpr std::string_view kCnTitleWordReversed = "要摘";
inline constexpr const char* kCnTitleSpacedSearch = "摘^w要";
inline constexpr const char* kCnTitleSpacedSearchReversed = "要^w摘";

// Label words by cnKeywordsLabelForm.
inline constexpr std::string_view kCnLabelZi = "关键字";
inline constexpr std::string_view kCnLabelCi = "关键词";

// Wildcard searches: a colon, full-width or ASCII; a keyword separator.
inline constexpr const char* kCnColonPattern = "[：:]";
inline constexpr const char* kCnSeparatorPattern = "[,，]";

// Names of the template parts in the size and font pieces.
inline constexpr std::string_view kCnTitlePart = "中文摘要（要摘）标题";
inline constexpr std::string_view kCnBodyPart = "中文摘要（要摘）正文";
inline constexpr std::string_view kCnLabelPart = "关键词（关键字）标题";
inline constexpr std::string_view kCnKeywordsPart = "关键词（关键字）正文";

// The item name of the abstract text in its findings, whatever the title form.
inline constexpr std::string_view kCnBodyItem = "摘要";

std::string cnTitleNotFound(std::string_view titleWord);
// `eitherForm`: the template accepts both label words.
std::string cnLabelNotFound(std::string_view labelWord, bool eitherForm);
std::string cnMissingColon(std::string_view labelWord);
std::string cnNoSeparator(std::string_view labelWord);
std::string cnKeywordCount(std::string_view labelWord);
std::string cnBlankLineBeforeKeywords(std::string_view labelWord);
std::string cnLineSpacing();

// ------------------------------------------------------- English abstract

inline constexpr const char* kEnAbstractCheckName = "英文摘要检测";

// The title and the label, searched in any letter case; a colon after the
// label, full-width or ASCII (wildcards).
inline constexpr const char* kEnTitleSearch = "Abstract";
inline constexpr const char* kEnLabelSearch = "Key words";
inline constexpr const char* kEnColonPattern = "[:：]";

// Item names of the list form, whatever case the document writes them in.
inline constexpr std::string_view kEnTitleItem = "Abstract";
inline constexpr std::string_view kEnLabelItem = "Key words";

// Names of the template parts in the size and font pieces.
inline constexpr std::string_view kEnTitlePart = "\"Abstract\"即英文摘要标题";
inline constexpr std::string_view kEnBodyPart = "\"Abstract\"即英文摘要（要摘）正文";
inline constexpr std::string_view kEnLabelPart = "\"Key words\"即英文关键词（字）标题";
inline constexpr std::string_view kEnKeywordsPart = "\"Key words\"即英文关键词（字）正文";

std::string enTitleNotFound();
std::string enTitleNotAtPageTop();
std::string enLabelNotFound();
std::string enMissingColon();

// ---------------------------------------------------------- abstract notes

inline constexpr const char* kNotesCheckName = "注释";

std::string notesSize();
std::string notesAcrossPages();

// ------------------------------------------------------------------ covers

// Check names: the whole run, then the master covers one by one.
inline constexpr const char* kCoverCheckName = "封面检测";
inline constexpr const char* kOuterCoverCheckName = "外封面";
inline constexpr const char* kInnerCoverCheckName = "内封面";
inline constexpr const char* kEnglishCoverCheckName = "英文封面";

// The texts each cover is found by.
inline constexpr const char* kBachelorDegreeSearch = "本科毕业设计";
inline constexpr const char* kOuterDegreeSearch = "Norvale工学硕士学位论文";
inline constexpr const char* kEnglishTopTitleSearch =
    "A Dissertation Submitted to Norvale for the Degree of Doctor of Philosophy";

// Labels that begin each cover item's finding.
inline constexpr std::string_view kBachelorTitleLabel = "中文论文题目";
inline constexpr std::string_view kBachelorForeignTitleLabel = "英文论文题目";
inline constexpr std::string_view kBachelorAuthorInfoLabel = "作者信息";
inline constexpr std::string_view kOuterDegreeLabel = "外封面最顶标题";
inline constexpr std::string_view kOuterDegreeTypeLabel = "外封面学位类型";
inline constexpr std::string_view kOuterTitleLabel = "外封面论文标题";
inline constexpr std::string_view kOuterAuthorNameLabel = "外封面作者姓名";
inline constexpr std::string_view kOuterDateLabel = "外封面日期";
inline constexpr std::string_view kInnerTopInfoLabel = "内封面顶部信息";
inline constexpr std::string_view kInnerDegreeLabel = "内封面顶部标题";
inline constexpr std::string_view kInnerDegreeTypeLabel = "内封面学位类型";
inline constexpr std::string_view kInnerTitleLabel = "内封面论文题目";
inline constexpr std::string_view kInnerAuthorNameLabel = "内封面作者姓名";
inline constexpr std::string_view kInnerAuthorInfoLabel = "内封面作者信息";
inline constexpr std::string_view kEnglishTopTitleLabel = "英文封面顶部标题";
inline constexpr std::string_view kEnglishTitleLabel = "英文封面中论文题目";
inline constexpr std::string_view kEnglishAuthorNameLabel = "英文封面中作者姓名";
inline constexpr std::string_view kEnglishAuthorInfoLabel = "英文封面中作者信息";

// Separators between the texts of a cover finding.
inline constexpr std::string_view kCoverSeparator = "，";
inline constexpr std::string_view kCoverAsciiSeparator = ",";

// The texts of one cover item: its size and font texts and its two bold
// texts, complete (an outer cover's bold text already ends in "加粗").
struct CoverTexts {
    std::string size;
    std::string boldOn;   // the item should be bold and is not
    std::string boldOff;  // the item should not be bold and is
    std::string font;
};

// The bachelor cover's texts, also used by the inner covers: "封面中" +
// part, for the parts "中文论文题目", "英文论文题目" and "作者信息".
inline constexpr std::string_view kCoverCnTitlePart = "中文论文题目";
inline constexpr std::string_view kCoverEnTitlePart = "英文论文题目";
inline constexpr std::string_view kCoverAuthorInfoPart = "作者信息";
CoverTexts bachelorCoverTexts(std::string_view part);

// The outer cover's texts, item by item. The degree type's should-be-bold
// text and the date's size text follow the other outer items.
enum class OuterItem { DegreeLine, DegreeType, Title, AuthorName, Date };
CoverTexts outerCoverTexts(OuterItem item);

// Which of a cover item's rules deviated.
struct CoverDeviations {
    bool size = false;
    bool bold = false;
    bool font = false;
    bool any() const { return size || bold || font; }
};

// The label, then the texts of the deviating rules in the order size, bold,
// font name: "，" before the bold text, `fontSeparator` before the font
// text, "。" at the end. `shouldBeBold` picks the bold text.
std::string coverForm(std::string_view label, const CoverDeviations& deviations, const CoverTexts& texts,
                      bool shouldBeBold, std::string_view fontSeparator = kCoverSeparator);

std::string bachelorDegreeNotFound();
std::string outerDegreeNotFound();
std::string englishTopTitleNotFound();

}  // namespace quillmark::messages

// ---------------------------------------------------------------- body text

namespace quillmark::messages {

inline constexpr const char* kBodyCheckName = "正文检测";

// Deviation words of the body message form.
inline constexpr std::string_view kBodyWordBold = "加粗情况";
inline constexpr std::string_view kBodyWordFont = "字体名";
inline constexpr std::string_view kBodyWordSize = "字号";
inline constexpr std::string_view kBodyWordAlignment = "对齐方式";

// The items of the body-text check, each with its label, advice, severity
// and the text that may follow its message.
enum class BodyItem {
    Heading1,
    Heading2,
    Heading3,
    Superscript,
    Text,
    TableText,
    Note,
    TableCaption,
    FigureCaption,
    EnTableCaption,
    EnFigureCaption,
    OtherCentred,
};

// "中等", or "轻微" for a centred paragraph that is no known caption.
const char* bodyItemLevel(BodyItem item);

// Body message form: label + words + advice + words + "。", then the item's
// appended text, if any. The words follow each other without separators.
std::string bodyForm(BodyItem item, std::string_view words);

std::string bodyTocMissing();
std::string heading1NotAtPageTop();
std::string citationOrder();
std::string captionNumberMissing(bool table);
std::string captionNumberWrong(bool table);

}  // namespace quillmark::messages
