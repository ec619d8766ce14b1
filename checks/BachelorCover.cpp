#include "checks/BachelorCover.h"

#include "checks/CheckSession.h"
#include "checks/CoverRules.h"
#include "checks/Messages.h"
#include "shell/CheckError.h"

#include <optional>

namespace quillmark {

namespace msg = messages;

namespace {

// A line longer than this (trimmed, in bytes) counts as text when the
// author-details stretch is sought from the bottom of the page.
constexpr std::size_t kBottomTextBytes = 7;
// The line after the Chinese title is the English title when it is longer
// than this (in bytes, its paragraph mark included).
constexpr std::size_t kForeignTitleBytes = 5;

class BachelorCover {
public:
    explicit BachelorCover(CheckSession& session)
        : session_(session), tpl_(session.formatTemplate()), sel_(session.selection()) {}

    void walk() {
        if (!findDegreeLine()) return;
        std::optional<word::Paragraph> title = chineseTitle();
        if (!title) return;
        long titleEnd = title->Range().End();
        checkCoverItem(session_, title->Range(), chineseTitleItem());
        if (auto foreign = englishTitle(*title)) {
            titleEnd = foreign->End();
            checkCoverItem(session_, *foreign, englishTitleItem());
        }
        checkAuthorDetails(titleEnd, authorDetailsEnd(titleEnd));
    }

private:
    bool findDegreeLine() {
        const bool found = findInSelection(sel_, msg::kBachelorDegreeSearch, false, word::wdFindContinue);
        session_.progressAtSelection();
        if (found) {
            session_.found(TemplateElement::BachelorDegreeLabel, sel_.Range());
            return true;
        }
        const word::Range start = session_.range(session_.startOfRunStart(), session_.startOfRunEnd());
        session_.post(kLevelSevere, CheckSession::locate(start), msg::bachelorDegreeNotFound(),
                      static_cast<int>(session_.startOfRunStart()));
        return false;
    }

    // The first paragraph after the degree line's whose trimmed text is text.
    std::optional<word::Paragraph> chineseTitle() {
        std::optional<word::Paragraph> p = sel_.Paragraphs().First().Next();
        while (p && !isTrimmedCoverText(p->Range())) p = p->Next();
        return p;
    }

    // The paragraph right after the Chinese title, when it is longer than 5 bytes.
    std::optional<word::Range> englishTitle(const word::Paragraph& title) {
        const std::optional<word::Paragraph> next = title.Next();
        if (!next) return std::nullopt;
        const word::Range line = next->Range();
        line.Select();
        if (coverBytes(line.Text()) <= kForeignTitleBytes) return std::nullopt;
        return line;
    }

    // Walking up from the bottom of the page: the bottom text line (the date)
    // is passed over, the blank lines above it end the stretch, the next text
    // line stops the walk.
    long authorDetailsEnd(long titleEnd) {
        const PageBounds page = pageAround(session_, titleEnd);
        long end = page.last;
        if (end <= titleEnd) return titleEnd;
        const word::Paragraphs paragraphs = session_.range(titleEnd, page.last).Paragraphs();
        int textLines = 0;
        for (long i = paragraphs.Count(); i >= 1; --i) {
            const word::Range paragraph = paragraphs.Item(i).Range();
            if (trimmedCoverBytes(paragraph.Text()) > kBottomTextBytes) {
                if (++textLines == 2) break;
            } else if (textLines == 1) {
                end = paragraph.Start();
            }
        }
        return end;
    }

    void checkAuthorDetails(long start, long end) {
        if (end <= start) return;
        sel_.SetRange(start, end);
        const word::Paragraphs paragraphs = sel_.Paragraphs();
        const CoverItem item = authorDetailsItem();
        for (long i = 1; i <= paragraphs.Count(); ++i) {
            if (auto value = underlinedValue(session_, paragraphs.Item(i).Range())) {
                checkCoverItem(session_, *value, item);
            }
        }
    }

    CoverItem chineseTitleItem() const {
        return coverItem(TemplateElement::BachelorTitle, msg::kBachelorTitleLabel, tpl_.bachelorTitleBold, BoldRule::FlagIsOne, tpl_.bachelorTitleSize,
                         FontNameProperty::NameFarEast, tpl_.bachelorTitleFont,
                         msg::bachelorCoverTexts(msg::kCoverCnTitlePart));
    }

    CoverItem englishTitleItem() const {
        return coverItem(TemplateElement::BachelorForeignTitle, msg::kBachelorForeignTitleLabel, tpl_.bachelorTitleBold, BoldRule::FlagIsOne,
                         tpl_.bachelorForeignTitleSize, FontNameProperty::NameAscii, tpl_.bachelorForeignTitleFont,
                         msg::bachelorCoverTexts(msg::kCoverEnTitlePart));
    }

    CoverItem authorDetailsItem() const {
        CoverItem item;
        item.element = TemplateElement::BachelorAuthorInfo;
        item.label = msg::kBachelorAuthorInfoLabel;
        item.boldFlag = tpl_.bachelorAuthorInfoBold;
        item.size = tpl_.bachelorAuthorInfoSize;
        item.compared = {{FontNameProperty::NameFarEast, tpl_.bachelorAuthorInfoCnFont},
                         {FontNameProperty::NameAscii, tpl_.bachelorAuthorInfoEnFont}};
        item.corrections = {{FontNameProperty::NameFarEast, tpl_.bachelorAuthorInfoCnFont, true},
                            {FontNameProperty::NameAscii, tpl_.bachelorAuthorInfoEnFont, true}};
        item.texts = msg::bachelorCoverTexts(msg::kCoverAuthorInfoPart);
        return item;
    }

    CheckSession& session_;
    const FormatTemplate& tpl_;
    word::Selection& sel_;
};

}  // namespace

void checkBachelorCover(CheckSession& session) {
    BachelorCover(session).walk();
}

}  // namespace quillmark
