#include "checks/EnglishCover.h"

#include "checks/CheckSession.h"
#include "checks/CoverRules.h"
#include "checks/Messages.h"
#include "shell/CheckError.h"

#include <optional>

namespace quillmark {

namespace msg = messages;

namespace {

// Paragraphs counted from the one after a block up to and including the
// next text paragraph: the blank lines between two blocks, plus one.
struct Gap {
    long count = 0;
    long textStart = 0;  // the next block's first paragraph
    long textEnd = 0;
};

// Blank lines wanted before the thesis title, and before the author name and
// the author details, as counts of the gap (blank lines + 1).
constexpr long kTitleGap = 2;
constexpr long kAuthorGap = 7;

class EnglishCover {
public:
    explicit EnglishCover(CheckSession& session)
        : session_(session), tpl_(session.formatTemplate()), sel_(session.selection()) {}

    void walk(long previousCoverPosition) {
        const std::optional<PageBounds> page = nextPage(session_, previousCoverPosition);
        if (!page) return;
        start_ = page->start;
        last_ = page->last;
        clearSpacing();
        if (!findTopTitle()) return;

        const std::optional<word::Range> top = topTitle();
        if (!top) return;
        top->Select();
        keepLineSpacing(*top, word::wdLineSpace1pt5);
        checkCoverItem(session_, *top, topTitleItem());

        // The thesis title, after one blank line.
        std::optional<Gap> gap = gapAfter(top->End());
        if (!gap) return;
        const long inserted = makeUpGap(top->End(), *gap, kTitleGap);
        const word::Range title = session_.range(inserted > 0 ? top->End() + inserted : top->End() + 1, gap->textEnd);
        title.Select();
        keepLineSpacing(title, word::wdLineSpace1pt5);
        checkCoverItem(session_, title, item(TemplateElement::EnInnerTitle, msg::kEnglishTitleLabel, tpl_.enInnerTitleBold, tpl_.enInnerTitleSize,
                                             tpl_.enInnerTitleFont));

        // The author name, two lines after six blank lines.
        gap = gapAfter(title.End());
        if (!gap) return;
        makeUpGap(title.End(), *gap, kAuthorGap);
        const word::Paragraph nameLine = paragraphAt(gap->textStart);
        std::optional<word::Paragraph> secondLine = nameLine.Next();
        if (secondLine && secondLine->Range().Start() > last_) secondLine.reset();
        const word::Range name = session_.range(gap->textStart, (secondLine ? *secondLine : nameLine).Range().End());
        name.Select();
        setLineSpacing(name, word::wdLineSpace1pt5);
        checkCoverItem(session_, name, item(TemplateElement::EnInnerAuthorName, msg::kEnglishAuthorNameLabel, tpl_.enInnerAuthorNameBold,
                                            tpl_.enInnerAuthorNameSize, tpl_.enInnerAuthorNameFont));

        // The author details, after six blank lines, to the end of the page.
        gap = gapAfter(name.End());
        if (!gap) return;
        makeUpGap(name.End(), *gap, kAuthorGap);
        const word::Range details = session_.range(gap->textStart, last_);
        details.Select();
        keepLineSpacing(details, word::wdLineSpaceSingle);
        checkCoverItem(session_, details, item(TemplateElement::EnInnerAuthorInfo, msg::kEnglishAuthorInfoLabel, tpl_.enInnerAuthorInfoBold,
                                               tpl_.enInnerAuthorInfoSize, tpl_.enInnerAuthorInfoFont));
    }

private:
    word::Paragraph paragraphAt(long position) const {
        return session_.range(position, position).Paragraphs().First();
    }

    // No space before or after any paragraph of the page, in lines or points.
    void clearSpacing() {
        sel_.SetRange(start_, last_);
        word::ParagraphFormat format = sel_.ParagraphFormat();
        format.SetLineUnitBefore(0);
        format.SetLineUnitAfter(0);
        format.SetSpaceAfter(0);
        format.SetSpaceBefore(0);
    }

    // Searched within the page only: a text on another page is not the top title.
    bool findTopTitle() {
        sel_.SetRange(start_, last_);
        const bool found = last_ > start_ && findInSelection(sel_, msg::kEnglishTopTitleSearch, false, word::wdFindAsk);
        session_.setProgressName(msg::kEnglishCoverCheckName);
        session_.progressAtSelection();
        if (found) return true;
        session_.post(kLevelSevere, CheckSession::locate(session_.range(start_, last_)), msg::englishTopTitleNotFound(),
                      static_cast<int>(start_));
        return false;
    }

    // The page's first paragraph whose trimmed text is text.
    std::optional<word::Range> topTitle() const {
        std::optional<word::Paragraph> p = paragraphAt(start_);
        while (p && p->Range().Start() <= last_ && !isTrimmedCoverText(p->Range())) p = p->Next();
        if (!p || p->Range().Start() > last_) return std::nullopt;
        return p->Range();
    }

    // The gap that begins at `after`, up to the next text paragraph on the page.
    std::optional<Gap> gapAfter(long after) const {
        if (after > last_) return std::nullopt;
        Gap gap;
        for (std::optional<word::Paragraph> p = paragraphAt(after); p; p = p->Next()) {
            const word::Range paragraph = p->Range();
            if (paragraph.Start() > last_) break;
            ++gap.count;
            if (isTrimmedCoverText(paragraph)) {
                gap.textStart = paragraph.Start();
                gap.textEnd = paragraph.End();
                return gap;
            }
        }
        return std::nullopt;
    }

    // Blank lines typed at `after` (where the Selection is collapsed) until the gap counts `wanted`; the gap's
    // positions and the page end move with the text. Returns how many.
    long makeUpGap(long after, Gap& gap, long wanted) {
        const long missing = wanted - gap.count;
        if (missing <= 0) return 0;
        sel_.SetRange(after, after);
        // One typed stretch of paragraph marks: the engine re-reads the
        // story once, not once per blank line.
        sel_.TypeText(std::string(static_cast<std::size_t>(missing), '\r'));
        gap.count = wanted;
        gap.textStart += missing;
        gap.textEnd += missing;
        last_ += missing;
        return missing;
    }

    static void setLineSpacing(const word::Range& range, long rule) {
        word::ParagraphFormat format = range.ParagraphFormat();
        format.SetLineSpacingRule(rule);
        format.SetLineUnitBefore(0);
        format.SetLineUnitAfter(0);
    }

    static void keepLineSpacing(const word::Range& range, long rule) {
        if (range.ParagraphFormat().LineSpacingRule() != rule) setLineSpacing(range, rule);
    }

    CoverItem topTitleItem() const {
        return coverItem(TemplateElement::EnInnerTopTitle, msg::kEnglishTopTitleLabel, tpl_.enInnerTopTitleBold, BoldRule::NonZero,
                         tpl_.enInnerTopTitleSize, FontNameProperty::NameAscii, tpl_.enInnerTopTitleFont,
                         msg::outerCoverTexts(msg::OuterItem::DegreeLine));
    }

    static CoverItem item(TemplateElement element, std::string_view label, std::int32_t bold, float size,
                          const std::string& font) {
        return coverItem(element, label, bold, BoldRule::FlagIsOne, size, FontNameProperty::NameAscii, font,
                         msg::bachelorCoverTexts(msg::kCoverAuthorInfoPart));
    }

    CheckSession& session_;
    const FormatTemplate& tpl_;
    word::Selection& sel_;
    long start_ = 0;
    long last_ = 0;
};

}  // namespace

void checkEnglishCover(CheckSession& session, long previousCoverPosition) {
    EnglishCover(session).walk(previousCoverPosition);
}

}  // namespace quillmark
