#include "checks/AbstractNotesChecker.h"

#include "checks/CheckSession.h"
#include "checks/FormatRules.h"
#include "checks/Messages.h"
#include "shell/CheckError.h"

namespace quillmark {

namespace msg = messages;

namespace {

// A paragraph mark, or a page or section break (Word writes both as a form feed).
bool isBreak(char c) {
    return c == '\r' || c == '\f';
}

}  // namespace

bool holdsNoText(std::string_view paragraphText) {
    for (char c : paragraphText) {
        if (!isBreak(c)) return false;
    }
    return true;
}

long trailingBreaks(std::string_view text) {
    long count = 0;
    for (auto it = text.rbegin(); it != text.rend() && isBreak(*it); ++it) ++count;
    return count;
}

const char* AbstractNotesChecker::progressName() const {
    return msg::kNotesCheckName;
}

// One run over one document: the working values and the steps.
struct AbstractNotesChecker::Run {
    CheckSession& session;
    const FormatTemplate& tpl;
    word::Selection& sel;

    long labelPage = 0;
    long stretchStart = 0;  // end of the keywords paragraph
    long stretchEnd = 0;    // start of the English title
    long notesStart = 0;
    long notesEnd = 0;

    explicit Run(CheckSession& s) : session(s), tpl(s.formatTemplate()), sel(s.selection()) {}

    void execute() {
        if (!findStretch()) return;
        if (!delimitNotes()) return;
        checkNotes();
    }

    // Steps 1 to 4.
    bool findStretch() {
        const std::string labelWord(tpl.cnKeywordsLabelForm != 0 ? msg::kCnLabelCi : msg::kCnLabelZi);
        if (!findInSelection(sel, labelWord, false, word::wdFindContinue)) return false;
        labelPage = sel.Information(word::wdActiveEndPageNumber);
        stretchStart = sel.Paragraphs().First().Range().End();

        if (!findInSelection(sel, msg::kEnTitleSearch, false, word::wdFindContinue)) return false;
        stretchEnd = sel.Start();
        return stretchEnd > stretchStart;
    }

    // Steps 5 and 6: the last paragraph with text, without the breaks that
    // follow it. False when there is no note.
    bool delimitNotes() {
        notesStart = stretchStart;
        const word::Paragraphs paragraphs = session.range(stretchStart, stretchEnd).Paragraphs();
        for (long i = 1; i <= paragraphs.Count(); ++i) {
            const word::Range paragraph = paragraphs.Item(i).Range();
            if (!holdsNoText(paragraph.Text())) notesStart = paragraph.Start();
        }
        notesEnd = stretchEnd - trailingBreaks(session.range(notesStart, stretchEnd).Text());
        return notesEnd > notesStart;
    }

    // Steps 7 to 10.
    void checkNotes() {
        sel.SetRange(notesStart, notesEnd);
        session.found(TemplateElement::AbstractNotes, sel.Range());
        const Location where = session.locateSelection();
        const int position = static_cast<int>(sel.Start());

        if (sizeDeviates(sel.Font(), tpl.abstractNotesSize)) {
            session.post(kLevelMedium, where, msg::notesSize(), position);
            markFaulty(sel);
        }
        session.progress(where);
        if (where.page != labelPage) session.post(kLevelMedium, where, msg::notesAcrossPages(), position);
    }
};

void AbstractNotesChecker::run(CheckSession& session) {
    Run(session).execute();
}

}  // namespace quillmark
