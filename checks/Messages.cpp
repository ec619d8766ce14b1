#include "checks/Messages.h"

#include "shell/CheckError.h"

namespace quillmark::messages {

namespace {

std::string concat(std::initializer_list<std::string_view> parts) {
    std::string text;
    std::size_t size = 0;
    for (std::string_view part : parts) size += part.size();
    text.reserve(size);
    for (std::string_view part : parts) text += part;
    return text;
}

}  // namespace

std::string_view boldPiece(std::int32_t flag) {
    return flag == 1 ? "字体未加粗，应加粗" : "字体不应加粗";
}

std::string sizePiece(std::string_view templatePart) {
    return concat({"字号有误，请自行查找默认模板或您所设置的模板", templatePart, "相对应的字号"});
}

std::string fontPiece(std::string_view templatePart) {
    return concat({"字体名有误，请自行查找默认模板或您所设置的模板", templatePart, "相对应的字体名"});
}

std::string alignmentPiece(long alignment) {
    std::string_view text;
    switch (alignment) {
    case 0: text = "左对齐，应左对齐"; break;
    case 1: text = "居中，应居中"; break;
    case 2: text = "右对齐，应右对齐"; break;
    case 3: text = "两端对齐，应两端对齐"; break;
    case 4: text = "分散对齐，应分散对齐"; break;
    default: text = "按模板对齐，应按模板对齐"; break;
    }
    return concat({"未", text});
}

std::vector<std::string> deviationPieces(const Deviations& deviations, const ItemTexts& texts) {
    std::vector<std::string> pieces;
    if (deviations.bold) pieces.emplace_back(boldPiece(texts.boldFlag));
    if (deviations.size) pieces.push_back(sizePiece(texts.templatePart));
    if (deviations.font) pieces.push_back(fontPiece(texts.templatePart));
    if (deviations.alignment) pieces.push_back(alignmentPiece(texts.alignment));
    return pieces;
}

std::string listForm(std::string_view itemName, std::string_view partWord, const std::vector<std::string>& pieces) {
    std::string text = concat({"\"", itemName, "\"", partWord});
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (i > 0) text += ',';
        text += pieces[i];
    }
    text += "。";
    return text;
}

std::string listForm(std::string_view itemName, std::string_view partWord, const Deviations& deviations,
                     const ItemTexts& texts) {
    return listForm(itemName, partWord, deviationPieces(deviations, texts));
}

std::string labelForm(std::string_view label, const std::vector<std::string>& pieces, std::string_view separator) {
    std::string text(label);
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (i > 0) text += separator;
        text += pieces[i];
    }
    text += "。";
    return text;
}

std::string cnTitleNotFound(std::string_view titleWord) {
    return concat({"找不到\"", titleWord, "\"标题", "请自行设置\"摘要（要摘）\"标题或检查模板设置是否有问题。"});
}

std::string cnLabelNotFound(std::string_view labelWord, bool eitherForm) {
    return concat({"找不到\"", labelWord, "\"", eitherForm ? "或\"关键字\"" : "", "标题",
                   "请自行添加\"关键词（关键字）\"标题或检查模板设置是否有问题。"});
}

std::string cnMissingColon(std::string_view labelWord) {
    return concat({"\"", labelWord, "\"标题与\"", labelWord, "\"正文之间应用冒号分隔开。"});
}

std::string cnNoSeparator(std::string_view labelWord) {
    return concat({"每一", labelWord, "之间应用逗号分开。"});
}

std::string cnKeywordCount(std::string_view labelWord) {
    return concat({labelWord, "一般为3～5个。"});
}

std::string cnBlankLineBeforeKeywords(std::string_view labelWord) {
    return concat({"\"摘要\"正文与\"", labelWord, "\"标题之间应该且只间隔一行。"});
}

std::string cnLineSpacing() {
    return "摘要正文行距应设为1.5倍行距。";
}

std::string enTitleNotFound() {
    return "找不到\"Abstract\"标题，请自行添加\"Abstract\"标题。";
}

std::string enTitleNotAtPageTop() {
    return "\"Abstract\"标题没有另起一页或者没有置顶，请置顶。";
}

std::string enLabelNotFound() {
    return "找不到\"Key words\"标题，请自行添加\"Key words\"标题。";
}

std::string enMissingColon() {
    return "\"Key words\"标题与\"Key words\"正文之间应用冒号分隔开。";
}

std::string notesSize() {
    return "注释字号有误，请自行查找默认模板或您所设置的模板摘要（要摘）注释部分相对应的字号。";
}

std::string notesAcrossPages() {
    return "注释不应隔页书写。";
}

// ------------------------------------------------------------------ covers

CoverTexts bachelorCoverTexts(std::string_view part) {
    const std::string named = concat({"封面中", part});
    return CoverTexts{sizePiece(named), concat({named, "相对应的字体未加粗，应该加粗"}),
                      concat({named, "相对应的字体不应加粗"}), fontPiece(named)};
}

CoverTexts outerCoverTexts(OuterItem item) {
    std::string_view part;
    std::string_view boldOn;
    std::string_view boldOff;
    switch (item) {
    case OuterItem::DegreeLine:
        part = "硕士学位论文外封面最顶标题";
        boldOn = "硕士学位论文外封面最顶标题相对应的字体未加粗，应当";
        boldOff = "硕士学位论文外封面最顶标题相对应的字体不应";
        break;
    case OuterItem::DegreeType:
        part = "硕士学位论文外封面学位类型";
        boldOn = "硕士学位论文外封面学位类型相对应的字体未加粗，应当";
        boldOff = "硕士学位论文外封面学位类型相对应的字体不应";
        break;
    case OuterItem::Title:
        part = "硕士学位论文外封面论文标题";
        boldOn = "硕士学位论文外封面论文标题相对应的字体未加粗，应当";
        boldOff = "硕士学位论文外封面论文标题相对应的字体不应";
        break;
    case OuterItem::AuthorName:
        part = "硕士学位论文外封面作者姓名";
        boldOn = "硕士学位论文外封面作者姓名相对应的字体应当";
        boldOff = "硕士学位论文外封面作者姓名相对应的字体不应";
        break;
    case OuterItem::Date:
        part = "硕士学位论文外封面日期";
        boldOn = "硕士学位论文外封面日期应当";
        boldOff = "硕士学位论文外封面日期不应";
        break;
    }
    return CoverTexts{sizePiece(part), concat({boldOn, "加粗"}), concat({boldOff, "加粗"}), fontPiece(part)};
}

std::string coverForm(std::string_view label, const CoverDeviations& deviations, const CoverTexts& texts,
                      bool shouldBeBold, std::string_view fontSeparator) {
    std::string text(label);
    bool first = true;
    auto append = [&](std::string_view separator, std::string_view piece) {
        if (!first) text += separator;
        text += piece;
        first = false;
    };
    if (deviations.size) append(kCoverSeparator, texts.size);
    if (deviations.bold) append(kCoverSeparator, shouldBeBold ? texts.boldOn : texts.boldOff);
    if (deviations.font) append(fontSeparator, texts.font);
    text += "。";
    return text;
}

std::string bachelorDegreeNotFound() {
    return "找不到\"本科毕业设计论文\"字样，请自行添加\"本科毕业设计论文\"字样或检查模板设置是否有问题";
}

std::string outerDegreeNotFound() {
    return "找不到\"Norvale工学硕士学位论文\"字样，请自行添加\"Norvale工学硕士学位论文\"字样";
}

std::string englishTopTitleNotFound() {
    return "找不到\"顶部标题\"字样，请自行添加\"A Dissertation Submitted to Norvale for the Degree of Doctor of "
           "Philosophy";
}

}  // namespace quillmark::messages

// ---------------------------------------------------------------- body text

namespace quillmark::messages {

namespace {

struct BodyItemTexts {
    std::string_view label;
    std::string_view templatePart;  // named in the advice
    std::string_view appended;
};

BodyItemTexts bodyItemTexts(BodyItem item) {
    switch (item) {
    case BodyItem::Heading1: return {"一级标题", "一级标题", ""};
    case BodyItem::Heading2: return {"二级标题", "二级标题", ""};
    case BodyItem::Heading3: return {"三级标题", "三级标题", ""};
    case BodyItem::Superscript: return {"上标", "正文上标", ""};
    case BodyItem::Text: return {"正文", "正文", ""};
    case BodyItem::TableText: return {"表格正文", "表格正文", ""};
    case BodyItem::Note: return {"表注或图注", "表注或图注", "\r\n\t(如果是图名，请确保是居中且图后回车)"};
    case BodyItem::TableCaption: return {"表名", "表名", ""};
    case BodyItem::FigureCaption: return {"图名", "图名", ""};
    case BodyItem::EnTableCaption: return {"英文表名", "英文表名", ""};
    case BodyItem::EnFigureCaption: return {"英文图名", "英文图名", ""};
    case BodyItem::OtherCentred:
        return {"表名或图名", "表名或图名",
                "\r\n\t(如果此错误不是图名，请不要居中；如果真是图名，请确保是居中，以“图”字开头且图后回车)"};
    }
    return {};
}

}  // namespace

const char* bodyItemLevel(BodyItem item) {
    return item == BodyItem::OtherCentred ? kLevelMinor : kLevelMedium;
}

std::string bodyForm(BodyItem item, std::string_view words) {
    const BodyItemTexts texts = bodyItemTexts(item);
    return concat({texts.label, words, "有误！请自行查找默认模板或您所设置的模板", texts.templatePart, "相对应的",
                   words, "。", texts.appended});
}

std::string bodyTocMissing() {
    return "找不到目录，或者引入目录错误，请重新调整目录规范，否则正文将无法检测";
}

std::string heading1NotAtPageTop() {
    return "一级标题没有置顶！请自行更正！";
}

std::string citationOrder() {
    return "上标序号有误，请自行检查或修改您的论文中正文部分相对应的上标序号。";
}

std::string captionNumberMissing(bool table) {
    return table ? "无表序号！" : "无图序号！";
}

std::string captionNumberWrong(bool table) {
    return table ? "表序号有误，请自行更正！" : "图序号有误，请自行更正！";
}

}  // namespace quillmark::messages
