#include "checks/BodyParagraphCheck.h"

#include "checks/BodyItemCheck.h"
#include "checks/CaptionCheck.h"
#include "checks/CheckSession.h"
#include "checks/Messages.h"

namespace quillmark {

namespace msg = messages;

bool body::isNote(std::string_view paragraphText) {
    return paragraphText.starts_with("注:") || paragraphText.starts_with("注：");
}

ParagraphKind paragraphKind(const word::Paragraph& paragraph, const word::Range& item, std::string_view text) {
    if (item.Information(word::wdStartOfRangeRowNumber) != -1) return ParagraphKind::TableText;
    if (paragraph.Alignment() == word::wdAlignParagraphCenter) return ParagraphKind::Caption;
    if (body::isNote(text)) return ParagraphKind::Note;
    return ParagraphKind::Text;
}

void checkBodyParagraph(CheckSession& session, BodyState& state, const word::Paragraph& paragraph,
                        const word::Range& item, const std::string& text, bool itemReportedAsText) {
    const FormatTemplate& tpl = session.formatTemplate();
    const ParagraphKind kind = paragraphKind(paragraph, item, text);
    if (kind == ParagraphKind::Caption) {
        checkCaption(session, state, item);
        return;
    }
    session.found(kind == ParagraphKind::TableText ? TemplateElement::TableText
                  : kind == ParagraphKind::Note    ? TemplateElement::CaptionNote
                                                   : TemplateElement::BodyText,
                  paragraph.Range());
    BodyItemCheck check(session, item);
    msg::BodyItem label = msg::BodyItem::Text;
    switch (kind) {
    case ParagraphKind::TableText:
        check.fontName(FontNameProperty::NameFarEast, tpl.tableTextFont).size(tpl.tableTextSize);
        label = msg::BodyItem::TableText;
        break;
    case ParagraphKind::Note:
        check.fontName(FontNameProperty::NameFarEast, tpl.captionNoteFont).size(tpl.captionNoteSize);
        label = msg::BodyItem::Note;
        break;
    default:
        check.blackenEveryTest().fontName(FontNameProperty::NameFarEast, tpl.bodyTextCnFont).size(tpl.bodyTextSize);
        break;
    }
    const Location where = locateItem(session, state, item);
    const bool alreadyReported = kind == ParagraphKind::Text && itemReportedAsText;
    if (!session.autoFix() && !alreadyReported) check.report(label, static_cast<int>(item.Start()), where);
    session.progress(where);
}

}  // namespace quillmark
