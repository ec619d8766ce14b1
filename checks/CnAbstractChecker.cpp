#include "checks/CnAbstractChecker.h"

#include "checks/CheckSession.h"
#include "checks/FormatRules.h"
#include "checks/Messages.h"
#include "shell/CheckError.h"

#include <optional>
#include <string_view>

namespace quillmark {

namespace msg = messages;

const char* CnAbstractChecker::progressName() const {
    return msg::kCnAbstractCheckName;
}

// One run over one document: the working values and the steps.
struct CnAbstractChecker::Run {
    CheckSession& session;
    const FormatTemplate& tpl;
    word::Selection& sel;

    std::string_view titleWord;
    std::string_view labelWord;
    long regionStart = 0;      // end of the title paragraph
    long keywordsStart = 0;    // start of the keywords paragraph
    long keywordsEnd = 0;      // end of the keywords paragraph
    long labelEnd = 0;         // end of the label range (after its colon when there is one)
    long keywordTextStart = 0;
    long blankLines = 0;       // short paragraphs right before the keywords
    bool hasText = false;      // the region holds abstract text

    explicit Run(CheckSession& s) : session(s), tpl(s.formatTemplate()), sel(s.selection()) {}

    void execute() {
        if (!findTitle()) return;
        checkTitle();
        if (!findLabel()) return;
        checkColonAndLabel();
        checkKeywords();
        countSeparators();
        delimitText();
        checkBlankLines();
        if (!hasText) return;
        checkLineSpacing();
        checkText();
    }

    // Steps 1 and 2.
    bool findTitle() {
        const bool reversed = tpl.cnAbstractHeadingForm == 1;
        titleWord = reversed ? msg::kCnTitleWordReversed : msg::kCnTitleWord;
        bool found = findInSelection(sel, reversed ? msg::kCnTitleSpacedSearchReversed : msg::kCnTitleSpacedSearch,
                                     false, word::wdFindStop);
        if (!found) found = findInSelection(sel, std::string(titleWord), false, word::wdFindStop);
        session.progressAtSelection();
        if (!found) {
            session.post(kLevelSevere, session.locateSelection(), msg::cnTitleNotFound(titleWord), 0);
            return false;
        }
        return true;
    }

    // Step 3.
    void checkTitle() {
        const word::Range title = sel.Paragraphs().First().Range();
        regionStart = title.End();
        session.found(TemplateElement::CnAbstractTitle, title);

        const word::Font font = title.Font();
        Deviations d = fontDeviations(font, tpl.cnAbstractHeadingBold, tpl.cnAbstractHeadingSize, FontNameProperty::NameFarEast, tpl.cnAbstractHeadingFont);
        d.alignment = alignmentDeviates(title, tpl.cnAbstractHeadingAlign);
        if (d.any()) {
            const msg::ItemTexts texts{tpl.cnAbstractHeadingBold, msg::kCnTitlePart, tpl.cnAbstractHeadingAlign};
            const Correction fix{tpl.cnAbstractHeadingSize,
                                 {{FontNameProperty::NameFarEast, tpl.cnAbstractHeadingFont}},
                                 tpl.cnAbstractHeadingAlign};
            reportOrCorrect(session, title, d, msg::listForm(titleWord, msg::kPartTitle, d, texts),
                            static_cast<int>(sel.Start()), CheckSession::locate(title), fix);
        }
        session.progressAtSelection();
    }

    // Steps 4 and 5.
    bool findLabel() {
        const bool either = tpl.cnKeywordsLabelForm == 2;
        labelWord = tpl.cnKeywordsLabelForm == 1 ? msg::kCnLabelCi : msg::kCnLabelZi;
        bool found = findInSelection(sel, std::string(labelWord), false, word::wdFindContinue);
        if (!found && either) {
            labelWord = msg::kCnLabelCi;
            found = findInSelection(sel, std::string(labelWord), false, word::wdFindContinue);
        }
        if (!found) {
            session.post(kLevelSevere, session.locateSelection(), msg::cnLabelNotFound(labelWord, either), 0);
            return false;
        }
        return true;
    }

    // Steps 6 and 7.
    void checkColonAndLabel() {
        const word::Range keywords = sel.Paragraphs().First().Range();
        keywordsStart = keywords.Start();
        keywordsEnd = keywords.End();
        const long labelWordEnd = sel.End();

        long fontEnd = labelWordEnd;
        if (findInStretch(sel, labelWordEnd, keywordsEnd, msg::kCnColonPattern, true)) {
            labelEnd = sel.End();
            fontEnd = sel.Text() == ":" ? sel.Start() : sel.End();
        } else {
            session.post(kLevelMedium, session.locateSelection(), msg::cnMissingColon(labelWord),
                         static_cast<int>(sel.Start()));
            labelEnd = labelWordEnd;
        }

        sel.SetRange(keywordsStart, labelEnd);
        session.found(TemplateElement::CnKeywordsLabel, sel.Range());
        const word::Font font = sel.Font();
        Deviations d = fontDeviations(font, tpl.cnKeywordsLabelBold, tpl.cnKeywordsLabelSize, FontNameProperty::Name, tpl.cnKeywordsLabelFont);
        // Word shows an ASCII colon in the Latin font, whatever Asian font the
        // label has, so the font name is read before it.
        d.font = fontNameDeviates(session.range(keywordsStart, fontEnd).Font(), FontNameProperty::Name, tpl.cnKeywordsLabelFont);
        if (d.any()) {
            const msg::ItemTexts texts{tpl.cnKeywordsLabelBold, msg::kCnLabelPart};
            const Correction fix{tpl.cnKeywordsLabelSize, {{FontNameProperty::NameFarEast, tpl.cnKeywordsLabelFont}}};
            reportOrCorrect(session, sel, d, msg::listForm(labelWord, msg::kPartTitle, d, texts),
                            static_cast<int>(sel.Start()), session.locateSelection(), fix);
        }
    }

    // Steps 8 and 9.
    void checkKeywords() {
        keywordTextStart = labelEnd;
        while (keywordTextStart < keywordsEnd) {
            const std::string c = session.range(keywordTextStart, keywordTextStart + 1).Text();
            if (c != " " && c != "\t") break;
            ++keywordTextStart;
        }

        session.found(TemplateElement::CnKeywords, session.range(keywordTextStart, keywordsEnd));
        const word::Words words = session.range(keywordTextStart, keywordsEnd).Words();
        const msg::ItemTexts texts{tpl.cnKeywordsBold, msg::kCnKeywordsPart};
        const Correction fix{tpl.cnKeywordsSize,
                             {{FontNameProperty::NameFarEast, tpl.cnKeywordsCnFont},
                              {FontNameProperty::NameAscii, tpl.cnKeywordsEnFont}}};
        for (long i = 1; i < words.Count(); ++i) {
            const word::Range w = words.Item(i);
            w.Select();
            const word::Font font = w.Font();
            Deviations d;
            d.font = languageFontDeviates(w, tpl.cnKeywordsCnFont, tpl.cnKeywordsEnFont);
            d.bold = boldDeviates(font, tpl.cnKeywordsBold);
            d.size = sizeDeviates(font, tpl.cnKeywordsSize);
            if (d.any()) {
                reportOrCorrect(session, w, d, msg::listForm(labelWord, msg::kPartText, d, texts),
                                static_cast<int>(w.Start()), CheckSession::locate(w), fix);
            }
        }
    }

    // Step 10.
    void countSeparators() {
        sel.SetRange(keywordTextStart, keywordTextStart);
        int separators = 0;
        // Each search starts after the last match; one that would not move
        // on ends the count.
        for (long from = keywordTextStart;
             findInStretch(sel, from, keywordsEnd, msg::kCnSeparatorPattern, true) && sel.End() > from;
             from = sel.End()) {
            ++separators;
        }

        std::string finding;
        if (separators == 0) {
            finding = msg::cnNoSeparator(labelWord);
        } else if (separators < 2 || separators > 4) {
            finding = msg::cnKeywordCount(labelWord);
        } else {
            return;
        }
        session.post(kLevelMedium, session.locateSelection(), finding, static_cast<int>(sel.Start()));
        markFaulty(session.range(keywordTextStart, keywordsEnd));
    }

    // Step 11: drops the short paragraphs at both ends of the region and
    // counts those before the keywords.
    void delimitText() {
        blankLines = 0;
        hasText = false;
        if (keywordsStart <= regionStart) {
            sel.SetRange(keywordsStart, keywordsStart);
            return;
        }
        sel.SetRange(regionStart, keywordsStart);
        const word::Paragraphs paragraphs = sel.Paragraphs();
        long last = paragraphs.Count();
        // A region ending right at the keywords paragraph does not hold it.
        while (last >= 1 && paragraphs.Item(last).Range().Start() >= keywordsStart) --last;

        long first = 1;
        while (first <= last && isShortParagraph(paragraphs.Item(first).Range())) ++first;
        while (last >= 1 && isShortParagraph(paragraphs.Item(last).Range())) {
            --last;
            ++blankLines;
        }
        if (first > last) {
            sel.SetRange(keywordsStart, keywordsStart);
            return;
        }
        hasText = true;
        sel.SetRange(paragraphs.Item(first).Range().Start(), paragraphs.Item(last).Range().End());
    }

    // Step 12.
    void checkBlankLines() {
        if (blankLines != 1) {
            session.post(kLevelMedium, session.locateSelection(), msg::cnBlankLineBeforeKeywords(labelWord),
                         static_cast<int>(keywordsStart));
        }
        session.progressAtSelection();
    }

    // Step 13.
    void checkLineSpacing() {
        if (lineSpacingDeviates(sel)) {
            session.post(kLevelMedium, session.locateSelection(), msg::cnLineSpacing(), static_cast<int>(sel.Start()));
        }
    }

    // Step 14.
    void checkText() {
        const word::Paragraphs paragraphs = sel.Paragraphs();
        const msg::ItemTexts texts{tpl.cnAbstractBodyBold, msg::kCnBodyPart};
        const Correction fix{tpl.cnAbstractBodySize,
                             {{FontNameProperty::NameFarEast, tpl.cnAbstractBodyCnFont},
                              {FontNameProperty::NameAscii, tpl.cnAbstractBodyEnFont}}};
        // The Selection stays on the abstract text; its place changes only
        // when a correction moves the text.
        std::optional<Location> here;
        auto where = [&]() -> const Location& {
            if (!here) here = session.locateSelection();
            return *here;
        };

        for (long i = 1; i <= paragraphs.Count(); ++i) {
            const word::Range paragraph = paragraphs.Item(i).Range();
            session.found(TemplateElement::CnAbstractText, paragraph);
            const word::Font font = paragraph.Font();
            if (font.Size() == tpl.cnAbstractBodySize && font.Bold() == tpl.cnAbstractBodyBold &&
                font.NameAscii() == tpl.cnAbstractBodyEnFont && font.NameFarEast() == tpl.cnAbstractBodyCnFont) {
                continue;
            }
            walkRuns(session.document(), paragraph, [&](const TextRun& run) {
                session.progress(where());
                Deviations d;
                d.bold = boldDeviates(run.bold, tpl.cnAbstractBodyBold);
                d.size = sizeDeviates(run.size, tpl.cnAbstractBodySize);
                d.font = runFontDeviates(run.fontName, run.language, tpl.cnAbstractBodyCnFont,
                                         tpl.cnAbstractBodyEnFont);
                if (!d.any()) return;
                const word::Range item = session.range(run.start, run.end);
                if (session.autoFix()) {
                    applyCorrections(item, d, fix);
                    here.reset();
                } else {
                    reportOrCorrect(session, item, d, msg::listForm(msg::kCnBodyItem, msg::kPartText, d, texts),
                                    static_cast<int>(run.start), where(), fix);
                }
            });
        }
    }
};

void CnAbstractChecker::run(CheckSession& session) {
    Run(session).execute();
}

}  // namespace quillmark
