#include "checks/EnAbstractChecker.h"

#include "checks/CheckSession.h"
#include "checks/FormatRules.h"
#include "checks/Messages.h"
#include "shell/CheckError.h"
#include "template/Utf8.h"

#include <algorithm>

namespace quillmark {

namespace msg = messages;

// ------------------------------------------------------------ word scan

bool isStopCharacter(char32_t c, StopCharacters stops) {
    if (c >= 0x80 || c == U' ' || c == U'\r') return true;
    return stops == StopCharacters::KeyWords ? c == U'\f' : c == U',';
}

std::vector<ScannedWord> scanWords(std::string_view text, long start, StopCharacters stops) {
    std::vector<ScannedWord> words;
    std::size_t at = 0;
    long position = start;
    ScannedWord current{start, start};
    while (at < text.size()) {
        const Utf8Char c = decodeUtf8At(text, at);
        at += c.length;
        const long units = c.codePoint > 0xFFFF ? 2 : 1;
        if (!isStopCharacter(c.codePoint, stops)) {
            position += units;
            current.end = position;
            continue;
        }
        words.push_back(current);
        position += units;
        // A stop at the last character ends the scan.
        if (at >= text.size()) return words;
        current = ScannedWord{position, position};
    }
    words.push_back(current);
    return words;
}

// ---------------------------------------------------------------- checker

const char* EnAbstractChecker::progressName() const {
    return msg::kEnAbstractCheckName;
}

// One run over one document: the working values and the steps.
struct EnAbstractChecker::Run {
    CheckSession& session;
    const FormatTemplate& tpl;
    word::Selection& sel;

    long titleStart = 0;
    long titleEnd = 0;     // end of the title paragraph
    long labelStart = 0;
    long keywordsEnd = 0;  // end of the "Key words" paragraph

    explicit Run(CheckSession& s) : session(s), tpl(s.formatTemplate()), sel(s.selection()) {}

    void execute() {
        if (!findTitle()) return;
        checkPageTop();
        checkTitle();
        if (!findLabel()) return;
        checkColonAndLabel();
        checkKeywords();
        checkText();
    }

    // The place of a finding: only check mode reports one, and asking the
    // engine after a correction would make it lay the document out again.
    Location findingPlace(const word::Range& item) const {
        return session.autoFix() ? Location{} : CheckSession::locate(item);
    }

    // Steps 1 to 3.
    bool findTitle() {
        if (!findInSelection(sel, msg::kEnTitleSearch, false, word::wdFindContinue)) {
            session.post(kLevelSevere, session.locateSelection(), msg::enTitleNotFound(), 0);
            return false;
        }
        session.progressAtSelection();
        titleStart = sel.Start();
        return true;
    }

    void checkPageTop() {
        if (!beginsPage(sel, titleStart)) {
            session.post(kLevelMedium, session.locateSelection(), msg::enTitleNotAtPageTop(),
                         static_cast<int>(titleStart));
        }
        session.progressAtSelection();
    }

    // Step 4.
    void checkTitle() {
        sel.SetRange(titleStart, titleStart);
        const word::Range title = sel.Paragraphs().First().Range();
        titleEnd = title.End();
        session.found(TemplateElement::EnAbstractTitle, title);

        const word::Font font = title.Font();
        Deviations d = fontDeviations(font, tpl.enAbstractHeadingBold, tpl.enAbstractHeadingSize, FontNameProperty::Name, tpl.enAbstractHeadingFont);
        if (d.any()) {
            const msg::ItemTexts texts{tpl.enAbstractHeadingBold, msg::kEnTitlePart};
            const Correction fix{tpl.enAbstractHeadingSize, {{FontNameProperty::Name, tpl.enAbstractHeadingFont}}};
            reportOrCorrect(session, title, d, msg::listForm(msg::kEnTitleItem, msg::kPartTitle, d, texts),
                            static_cast<int>(title.Start()), findingPlace(sel), fix);
        }
        session.progressAtSelection();
    }

    // Steps 5 and 6.
    bool findLabel() {
        if (!findInSelection(sel, msg::kEnLabelSearch, false, word::wdFindContinue)) {
            session.post(kLevelSevere, session.locateSelection(), msg::enLabelNotFound(), 0);
            return false;
        }
        return true;
    }

    // Step 7.
    void checkColonAndLabel() {
        labelStart = sel.Start();
        const long labelWordEnd = sel.End();
        keywordsEnd = sel.Paragraphs().First().Range().End();

        long fontEnd = labelWordEnd;
        if (findInStretch(sel, labelWordEnd, keywordsEnd, msg::kEnColonPattern, true)) {
            fontEnd = sel.Text() == ":" ? sel.End() : sel.Start();
            sel.SetRange(labelStart, sel.End());
        } else {
            session.post(kLevelMedium, session.locateSelection(), msg::enMissingColon(),
                         static_cast<int>(labelStart));
            sel.SetRange(labelStart, labelWordEnd);
        }
        session.found(TemplateElement::EnKeywordsLabel, sel.Range());

        const word::Font font = sel.Font();
        Deviations d = fontDeviations(font, tpl.enKeywordsLabelBold, tpl.enKeywordsLabelSize, FontNameProperty::Name, tpl.enKeywordsLabelFont);
        // Word shows a full-width colon in the Asian font, whatever Latin font
        // the label has, so the font name is read before it.
        d.font = fontNameDeviates(session.range(labelStart, fontEnd).Font(), FontNameProperty::Name, tpl.enKeywordsLabelFont);
        if (d.any()) {
            const msg::ItemTexts texts{tpl.enKeywordsLabelBold, msg::kEnLabelPart};
            const Correction fix{tpl.enKeywordsLabelSize, {{FontNameProperty::Name, tpl.enKeywordsLabelFont}}};
            reportOrCorrect(session, sel, d, msg::listForm(msg::kEnLabelItem, msg::kPartTitle, d, texts),
                            static_cast<int>(sel.Start()), findingPlace(sel), fix);
        }
    }

    // Step 8.
    void checkKeywords() {
        long start = sel.End();
        while (start < keywordsEnd) {
            const std::string c = session.range(start, start + 1).Text();
            if (c != " " && c != "\t") break;
            ++start;
        }
        sel.SetRange(start, keywordsEnd);
        session.found(TemplateElement::EnKeywords, sel.Range());

        const msg::ItemTexts texts{tpl.enKeywordsBold, msg::kEnKeywordsPart};
        const Correction fix{tpl.enKeywordsSize, {{FontNameProperty::Name, tpl.enKeywordsEnFont}}};
        for (const ScannedWord& w : scanWords(sel.Text(), start, StopCharacters::KeyWords)) {
            if (w.empty()) continue;
            sel.SetRange(w.start, w.end);
            const word::Font font = sel.Font();
            Deviations d = fontDeviations(font, tpl.enKeywordsBold, tpl.enKeywordsSize, FontNameProperty::Name, tpl.enKeywordsEnFont);
            if (d.any()) {
                reportOrCorrect(session, sel, d, msg::listForm(msg::kEnLabelItem, msg::kPartText, d, texts),
                                static_cast<int>(w.start), findingPlace(sel), fix);
            }
        }
    }

    // Step 9.
    void checkText() {
        if (labelStart <= titleEnd) return;
        sel.SetRange(titleEnd, labelStart);
        const word::Paragraphs paragraphs = sel.Paragraphs();
        for (long i = 1; i <= paragraphs.Count(); ++i) {
            const word::Range paragraph = paragraphs.Item(i).Range();
            if (isShortParagraph(paragraph)) continue;
            const long end = std::min(paragraph.End(), labelStart);
            session.found(TemplateElement::EnAbstractText, session.range(paragraph.Start(), end));
            if (passesWhole(paragraph)) continue;
            checkWords(session.range(paragraph.Start(), end));
        }
    }

    // English text in the right size and Latin font, bold or not.
    bool passesWhole(const word::Range& paragraph) const {
        if (paragraph.LanguageID() != word::wdEnglishUS) return false;
        const word::Font font = paragraph.Font();
        return font.Size() == tpl.enAbstractBodySize && font.NameAscii() == tpl.enAbstractBodyEnFont;
    }

    void checkWords(const word::Range& stretch) {
        std::vector<ScannedWord> words = scanWords(stretch.Text(), stretch.Start(), StopCharacters::AbstractText);
        std::erase_if(words, [](const ScannedWord& w) { return w.empty(); });
        // Each word is located before the corrections of its paragraph move
        // the text: marking leaves the layout as it is, so check mode sees
        // the same places it would see word by word.
        std::vector<Location> places;
        places.reserve(words.size());
        for (const ScannedWord& w : words) places.push_back(CheckSession::locate(session.range(w.start, w.end)));

        const msg::ItemTexts texts{tpl.enAbstractBodyBold, msg::kEnBodyPart};
        const Correction fix{tpl.enAbstractBodySize, {{FontNameProperty::Name, tpl.enAbstractBodyEnFont}}};
        for (std::size_t k = 0; k < words.size(); ++k) {
            const ScannedWord& w = words[k];
            sel.SetRange(w.start, w.end);
            session.progress(places[k]);
            const word::Font font = sel.Font();
            Deviations d = fontDeviations(font, tpl.enAbstractBodyBold, tpl.enAbstractBodySize, FontNameProperty::Name, tpl.enAbstractBodyEnFont);
            if (d.any()) {
                reportOrCorrect(session, sel, d, msg::listForm(msg::kEnTitleItem, msg::kPartText, d, texts),
                                static_cast<int>(w.start), places[k], fix);
            }
        }
    }
};

void EnAbstractChecker::run(CheckSession& session) {
    Run(session).execute();
}

}  // namespace quillmark
