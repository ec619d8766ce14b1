#include "checks/HeadingCheck.h"

#include "checks/BodyItemCheck.h"
#include "checks/CheckSession.h"
#include "checks/Messages.h"
#include "shell/CheckError.h"

#include <charconv>

namespace quillmark {

namespace msg = messages;

int headings::leadingInteger(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t' || text[pos] == '\v' || text[pos] == '\f'))
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    std::size_t end = pos;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
    int value = 0;
    const auto [stop, error] = std::from_chars(text.data() + pos, text.data() + end, value);
    if (end == pos || error != std::errc()) return 0;
    return negative ? -value : value;
}

namespace {

struct LevelFormat {
    std::int32_t bold;
    const std::string& font;
    float size;
    msg::BodyItem item;
};

LevelFormat levelFormat(const FormatTemplate& tpl, long level) {
    switch (level) {
    case 1: return {tpl.heading1Bold, tpl.heading1Font, tpl.heading1Size, msg::BodyItem::Heading1};
    case 2: return {tpl.heading2Bold, tpl.heading2Font, tpl.heading2Size, msg::BodyItem::Heading2};
    default: return {tpl.heading3Bold, tpl.heading3Font, tpl.heading3Size, msg::BodyItem::Heading3};
    }
}

int chapterNumber(const word::Range& heading) {
    const long listed = heading.ListFormat().ListValue();
    if (listed != 0) return static_cast<int>(listed);
    return headings::leadingInteger(heading.Text());
}

// The heading starts its page by a break of its own: a leading form feed, or
// (as the engine keeps it) a page break before its paragraph.
bool startsPageByBreak(const word::Paragraph& paragraph, const std::string& text) {
    return (!text.empty() && text.front() == '\f') || paragraph.Format().PageBreakBefore() == -1;
}

// Page-top test. The browser moves by pages, the only target it has.
void checkPageTop(CheckSession& session, const BodyState& state, const word::Range& heading) {
    heading.Select();
    const long p = heading.Start();
    word::Browser browser = session.application().Browser();
    browser.Previous();
    browser.Next();
    if (session.selection().Range().Start() != p) {
        markFaulty(heading);
        session.post(kLevelMedium, CheckSession::locate(heading), msg::heading1NotAtPageTop(), static_cast<int>(p));
    }
    session.range(state.bodyStart, state.bodyEnd).Select();
}

}  // namespace

void checkHeading(CheckSession& session, BodyState& state, const word::Paragraph& paragraph,
                  const word::Range& item, long level) {
    const LevelFormat format = levelFormat(session.formatTemplate(), level);
    session.found(level == 1 ? TemplateElement::Heading1 : level == 2 ? TemplateElement::Heading2
                                                                      : TemplateElement::Heading3,
                  paragraph.Range());
    BodyItemCheck check(session, item);
    check.bold(format.bold).fontName(FontNameProperty::NameFarEast, format.font).size(format.size);
    if (level == 1) check.centred();
    const Location where = locateItem(session, state, item);
    if (!session.autoFix()) check.report(format.item, static_cast<int>(item.Start()), where);
    session.progress(where);
    if (level != 1) return;

    const word::Range heading = paragraph.Range();
    const std::string text = heading.Text();
    state.chapter = chapterNumber(heading);
    state.tables = 0;
    state.figures = 0;
    if (startsPageByBreak(paragraph, text)) return;
    checkPageTop(session, state, heading);
}

}  // namespace quillmark
