#include "checks/MasterCovers.h"

#include "checks/CheckSession.h"
#include "checks/CoverRules.h"
#include "checks/EnglishCover.h"
#include "checks/Messages.h"
#include "shell/CheckError.h"

#include <optional>

namespace quillmark {

namespace msg = messages;

namespace {

using OptionalParagraph = std::optional<word::Paragraph>;

// A title line is continued by a following paragraph longer than this many
// bytes: 4 on the outer cover, 5 on the inner one.
constexpr std::size_t kOuterTitleContinues = 4;
constexpr std::size_t kInnerTitleContinues = 5;

class MasterCovers {
public:
    explicit MasterCovers(CheckSession& session)
        : session_(session), tpl_(session.formatTemplate()), sel_(session.selection()) {}

    void walk() {
        const std::optional<long> outerEnd = outerCover();
        if (!outerEnd) return;
        const std::optional<long> innerStart = innerCover(*outerEnd);
        if (!innerStart) return;
        checkEnglishCover(session_, *innerStart);
    }

private:
    word::Paragraph paragraphAt(long position) const {
        return session_.range(position, position).Paragraphs().First();
    }

    // The first text paragraph from `p` on that starts on the page (up to `last`).
    static OptionalParagraph nextItem(OptionalParagraph p, long last) {
        while (p && p->Range().Start() <= last && !isCoverText(p->Range())) p = p->Next();
        if (!p || p->Range().Start() > last) return std::nullopt;
        return p;
    }

    // Title lines from `line` on: each following paragraph on the page longer
    // than `continues` bytes is one more line. Returns the last line.
    word::Paragraph checkTitleLines(word::Paragraph line, long last, std::size_t continues, const CoverItem& item) {
        for (;;) {
            checkCoverItem(session_, line.Range(), item);
            const OptionalParagraph next = line.Next();
            if (!next || next->Range().Start() > last || coverBytes(next->Range().Text()) <= continues) return line;
            line = *next;
        }
    }

    // ------------------------------------------------------------ outer cover

    // Returns the end of the date, or nothing when the walk ends here.
    std::optional<long> outerCover() {
        const bool found = findInSelection(sel_, msg::kOuterDegreeSearch, false, word::wdFindContinue);
        session_.setProgressName(msg::kOuterCoverCheckName);
        session_.progressAtSelection();
        if (!found) {
            const word::Range start = session_.range(session_.startOfRunStart(), session_.startOfRunEnd());
            session_.post(kLevelSevere, CheckSession::locate(start), msg::outerDegreeNotFound(),
                          static_cast<int>(session_.startOfRunStart()));
            return std::nullopt;
        }
        const word::Range degree = sel_.Range();
        checkCoverItem(session_, degree, outerItem(TemplateElement::MasterDegreeLabel, msg::OuterItem::DegreeLine, msg::kOuterDegreeLabel,
                                                   tpl_.masterDegreeLabelBold, tpl_.masterDegreeLabelSize,
                                                   tpl_.masterDegreeLabelFont));
        const long last = pageAround(session_, degree.End()).last;

        // The items follow the degree line's paragraph, never begin inside it.
        const OptionalParagraph type = nextItem(paragraphAt(degree.End()).Next(), last);
        if (!type) return std::nullopt;
        checkCoverItem(session_, type->Range(),
                       outerItem(TemplateElement::MasterDegreeType, msg::OuterItem::DegreeType, msg::kOuterDegreeTypeLabel, tpl_.masterDegreeTypeBold,
                                 tpl_.masterDegreeTypeSize, tpl_.masterDegreeTypeFont));

        const OptionalParagraph title = nextItem(type->Next(), last);
        if (!title) return std::nullopt;
        const word::Paragraph titleEnd =
            checkTitleLines(*title, last, kOuterTitleContinues,
                            outerItem(TemplateElement::MasterTitle, msg::OuterItem::Title, msg::kOuterTitleLabel, tpl_.masterTitleBold,
                                      tpl_.masterTitleSize, tpl_.masterTitleFont));

        const OptionalParagraph author = nextItem(titleEnd.Next(), last);
        if (!author) return std::nullopt;
        checkCoverItem(session_, author->Range(),
                       outerItem(TemplateElement::MasterAuthorInfo, msg::OuterItem::AuthorName, msg::kOuterAuthorNameLabel, tpl_.masterAuthorInfoBold,
                                 tpl_.masterAuthorInfoSize, tpl_.masterAuthorInfoFont));

        const OptionalParagraph date = nextItem(author->Next(), last);
        if (!date) return std::nullopt;
        checkCoverItem(session_, date->Range(),
                       outerItem(TemplateElement::MasterDate, msg::OuterItem::Date, msg::kOuterDateLabel, tpl_.masterDateBold, tpl_.masterDateSize,
                                 tpl_.masterDateFont));
        return date->Range().End();
    }

    static CoverItem outerItem(TemplateElement element, msg::OuterItem which, std::string_view label,
                               std::int32_t bold, float size, const std::string& font) {
        return coverItem(element, label, bold, BoldRule::NonZero, size, FontNameProperty::Name, font,
                         msg::outerCoverTexts(which));
    }

    // ---------------------------------------------------- Chinese inner cover

    // Returns the start of the inner cover's page, or nothing when the walk
    // ends here.
    std::optional<long> innerCover(long outerEnd) {
        const std::optional<PageBounds> page = nextPage(session_, outerEnd - 1);
        if (!page) return std::nullopt;
        const long last = page->last;

        const OptionalParagraph top = nextItem(paragraphAt(page->start), last);
        if (!top) return std::nullopt;
        OptionalParagraph secondTop = top->Next();
        if (secondTop && secondTop->Range().Start() > last) secondTop.reset();
        const word::Range topInfo = session_.range(page->start, (secondTop ? *secondTop : *top).Range().End());
        session_.setProgressName(msg::kInnerCoverCheckName);
        checkCoverItem(session_, topInfo, topInfoItem());

        const OptionalParagraph degree = nextItem(paragraphAt(topInfo.End()), last);
        if (!degree) return std::nullopt;
        checkCoverItem(session_, degree->Range(),
                       innerItem(TemplateElement::CnInnerDegreeLabel, msg::kInnerDegreeLabel, tpl_.cnInnerDegreeLabelBold, tpl_.cnInnerDegreeLabelSize,
                                 tpl_.cnInnerDegreeLabelFont, {{FontNameProperty::NameFarEast, tpl_.cnInnerDegreeLabelFont, true}}));

        const OptionalParagraph type = nextItem(degree->Next(), last);
        if (!type) return std::nullopt;
        checkCoverItem(session_, type->Range(),
                       innerItem(TemplateElement::CnInnerDegreeType, msg::kInnerDegreeTypeLabel, tpl_.cnInnerDegreeTypeBold, tpl_.cnInnerDegreeTypeSize,
                                 tpl_.cnInnerDegreeTypeFont, {{FontNameProperty::NameFarEast, tpl_.cnInnerDegreeTypeFont}}));
        session_.progressAtSelection();

        const OptionalParagraph title = nextItem(type->Next(), last);
        if (!title) return std::nullopt;
        const word::Paragraph titleEnd =
            checkTitleLines(*title, last, kInnerTitleContinues,
                            innerItem(TemplateElement::CnInnerTitle, msg::kInnerTitleLabel, tpl_.cnInnerTitleBold, tpl_.cnInnerTitleSize,
                                      tpl_.cnInnerTitleFont,
                                      {{FontNameProperty::NameFarEast, tpl_.cnInnerTitleFont, true},
                                       {FontNameProperty::NameAscii, tpl_.cnInnerTitleFont, true}}));

        const OptionalParagraph author = nextItem(titleEnd.Next(), last);
        if (!author) return std::nullopt;
        checkCoverItem(session_, author->Range(),
                       innerItem(TemplateElement::CnInnerAuthorName, msg::kInnerAuthorNameLabel, tpl_.cnInnerAuthorNameBold, tpl_.cnInnerAuthorNameSize,
                                 tpl_.cnInnerAuthorNameFont, {{FontNameProperty::NameFarEast, tpl_.cnInnerAuthorNameFont}}));

        if (const OptionalParagraph details = nextItem(author->Next(), last)) {
            checkAuthorDetails(details->Range().Start(), last);
        }
        return page->start;
    }

    void checkAuthorDetails(long start, long last) {
        sel_.SetRange(start, last);
        const word::Paragraphs lines = sel_.Paragraphs();
        const CoverItem item =
            coverItem(TemplateElement::CnInnerAuthorInfo, msg::kInnerAuthorInfoLabel, tpl_.cnInnerAuthorInfoBold, BoldRule::FlagIsOne,
                      tpl_.cnInnerAuthorInfoSize, FontNameProperty::Name, tpl_.cnInnerAuthorInfoFont,
                      msg::bachelorCoverTexts(msg::kCoverAuthorInfoPart));
        for (long i = 1; i <= lines.Count(); ++i) {
            if (auto value = underlinedValue(session_, lines.Item(i).Range())) checkCoverItem(session_, *value, item);
        }
    }

    CoverItem topInfoItem() const {
        CoverItem item = coverItem(TemplateElement::CnInnerTopInfo, msg::kInnerTopInfoLabel, tpl_.cnInnerTopInfoBold, BoldRule::FlagIsOne,
                                   tpl_.cnInnerTopInfoSize, FontNameProperty::NameFarEast, tpl_.cnInnerTopInfoFont,
                                   msg::bachelorCoverTexts(msg::kCoverCnTitlePart));
        item.corrections = {{FontNameProperty::NameFarEast, tpl_.cnInnerTopInfoFont, true},
                            {FontNameProperty::NameAscii, tpl_.cnInnerTopInfoFont, true}};
        return item;
    }

    // The inner items after the top information: compared by Font.Name, an
    // ASCII comma before the font text.
    static CoverItem innerItem(TemplateElement element, std::string_view label, std::int32_t bold, float size,
                               const std::string& font, std::vector<CoverFontName> corrections) {
        CoverItem item = coverItem(element, label, bold, BoldRule::FlagIsOne, size, FontNameProperty::Name, font,
                                   msg::bachelorCoverTexts(msg::kCoverCnTitlePart));
        item.corrections = std::move(corrections);
        item.fontSeparator = msg::kCoverAsciiSeparator;
        return item;
    }

    CheckSession& session_;
    const FormatTemplate& tpl_;
    word::Selection& sel_;
};

}  // namespace

void checkMasterCovers(CheckSession& session) {
    MasterCovers(session).walk();
}

}  // namespace quillmark
