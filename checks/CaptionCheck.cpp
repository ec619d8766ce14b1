#include "checks/CaptionCheck.h"

#include "checks/BodyItemCheck.h"
#include "checks/CheckSession.h"
#include "checks/HeadingCheck.h"
#include "checks/Messages.h"
#include "shell/CheckError.h"

#include <optional>

namespace quillmark {

namespace msg = messages;
using captions::CaptionKind;

CaptionKind captions::kindOf(std::string_view firstWord) {
    // A word carries the white space that follows it ("表 2.1").
    for (;;) {
        if (firstWord.ends_with(' ') || firstWord.ends_with('\t')) {
            firstWord.remove_suffix(1);
        } else if (firstWord.ends_with("\xE3\x80\x80")) {
            firstWord.remove_suffix(3);
        } else {
            break;
        }
    }
    if (firstWord == "Fig") return CaptionKind::EnFigure;
    if (firstWord == "Tab") return CaptionKind::EnTable;
    if (firstWord == "表") return CaptionKind::Table;
    if (firstWord == "图") return CaptionKind::Figure;
    return CaptionKind::Other;
}

std::array<std::string, 4> captions::numberSearches(bool table, std::string_view separator) {
    const std::string close(table ? "表^#" : "图^#");
    const std::string spaced(table ? "表^w^#" : "图^w^#");
    const std::string sep(separator);
    return {close + sep + "^#^#", spaced + sep + "^#^#", close + sep + "^#", spaced + sep + "^#"};
}

std::string captions::numberText(std::string_view match) {
    std::string text;
    // The first character is 表 or 图, three bytes in UTF-8.
    std::size_t pos = 0;
    if (!match.empty()) {
        const auto lead = static_cast<unsigned char>(match[0]);
        pos = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    }
    constexpr std::string_view kIdeographicSpace = "\xE3\x80\x80";
    for (; pos < match.size(); ++pos) {
        if (match.substr(pos, 3) == kIdeographicSpace) {
            pos += 2;
            continue;
        }
        text += match[pos];
    }
    const std::size_t first = text.find_first_not_of(" \t\v\f\r\n");
    return first == std::string::npos ? std::string() : text.substr(first);
}

bool captions::numberIsRight(std::string_view numberText, int chapter, int counter, bool twoDigits) {
    const std::size_t digits = twoDigits ? 2 : 1;
    if (numberText.size() < digits) return false;
    return headings::leadingInteger(numberText) == chapter &&
           headings::leadingInteger(numberText.substr(numberText.size() - digits)) == counter + 1;
}

namespace {

// The first word that is not a single space; the last word when all are.
std::optional<word::Range> firstWord(const word::Range& paragraph) {
    const word::Words words = paragraph.Words();
    std::optional<word::Range> word;
    for (long i = 1; i <= words.Count(); ++i) {
        word = words.Item(i);
        if (word->Text() != " ") break;
    }
    return word;
}

TemplateElement elementOf(CaptionKind kind) {
    switch (kind) {
    case CaptionKind::EnFigure: return TemplateElement::EnFigureCaption;
    case CaptionKind::EnTable: return TemplateElement::EnTableCaption;
    case CaptionKind::Table: return TemplateElement::TableCaption;
    case CaptionKind::Figure: return TemplateElement::FigureCaption;
    case CaptionKind::Other: break;
    }
    return TemplateElement::CaptionNote;  // a doubtful caption is compared as a note
}

class CaptionChecker {
public:
    CaptionChecker(CheckSession& session, BodyState& state, const word::Range& paragraph)
        : session_(session), state_(state), paragraph_(paragraph), tpl_(session.formatTemplate()) {}

    void check() {
        const std::optional<word::Range> word = firstWord(paragraph_);
        session_.progress(locateItem(session_, state_, paragraph_));
        const CaptionKind kind = word ? captions::kindOf(word->Text()) : CaptionKind::Other;
        session_.found(elementOf(kind), paragraph_);
        checkFormat(kind, word);
        if (kind == CaptionKind::Table) checkNumber(true, state_.tables);
        if (kind == CaptionKind::Figure) checkNumber(false, state_.figures);
    }

private:
    void checkFormat(CaptionKind kind, const std::optional<word::Range>& word) {
        BodyItemCheck item(session_, paragraph_);
        msg::BodyItem label = msg::BodyItem::OtherCentred;
        switch (kind) {
        case CaptionKind::EnFigure:
            item.fontName(FontNameProperty::NameAscii, tpl_.figureCaptionEnFont);
            label = msg::BodyItem::EnFigureCaption;
            break;
        case CaptionKind::EnTable:
            item.fontName(FontNameProperty::NameAscii, tpl_.tableCaptionEnFont);
            label = msg::BodyItem::EnTableCaption;
            break;
        case CaptionKind::Table:
            item.fontName(FontNameProperty::NameFarEast, tpl_.tableCaptionCnFont)
                .size(tpl_.tableCaptionSize)
                .bold(tpl_.tableCaptionBold);
            label = msg::BodyItem::TableCaption;
            break;
        case CaptionKind::Figure:
            item.fontName(FontNameProperty::NameFarEast, tpl_.figureCaptionCnFont)
                .size(tpl_.figureCaptionSize)
                .bold(tpl_.figureCaptionBold);
            label = msg::BodyItem::FigureCaption;
            break;
        case CaptionKind::Other:
            item.fontName(FontNameProperty::NameFarEast, tpl_.captionNoteFont).size(tpl_.captionNoteSize);
            break;
        }
        if (session_.autoFix() || !item.deviates()) return;
        // A doubtful caption is shown at its first word.
        const word::Range& at = kind == CaptionKind::Other && word ? *word : paragraph_;
        item.report(label, static_cast<int>(at.Start()), locateItem(session_, state_, at));
    }

    void checkNumber(bool table, int& counter) {
        const auto searches = captions::numberSearches(table, tpl_.numberSeparator);
        for (int i = 0; i < static_cast<int>(searches.size()); ++i) {
            word::Range match = paragraph_.Duplicate();
            word::Find find = match.Find();
            find.SetMatchFuzzy(false);
            word::FindOptions options;
            options.wrap = word::wdFindStop;
            find.Execute(searches[i], options);
            if (!find.Found()) continue;
            judgeNumber(table, counter, match, i < captions::kTwoDigitSearches);
            return;
        }
        markFaulty(paragraph_);
        session_.post(kLevelMedium, locateItem(session_, state_, paragraph_), msg::captionNumberMissing(table),
                      static_cast<int>(paragraph_.Start()));
    }

    void judgeNumber(bool table, int& counter, const word::Range& match, bool twoDigits) {
        if (state_.chapter == 0) return;
        if (captions::numberIsRight(captions::numberText(match.Text()), state_.chapter, counter, twoDigits)) {
            ++counter;
            return;
        }
        markFaulty(paragraph_);
        session_.post(kLevelMedium, CheckSession::locate(match), msg::captionNumberWrong(table),
                      static_cast<int>(match.Start()));
    }

    CheckSession& session_;
    BodyState& state_;
    const word::Range& paragraph_;
    const FormatTemplate& tpl_;
};

}  // namespace

void checkCaption(CheckSession& session, BodyState& state, const word::Range& paragraph) {
    CaptionChecker(session, state, paragraph).check();
}

}  // namespace quillmark
