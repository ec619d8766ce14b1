#include "checks/BodyChecker.h"

#include "checks/BodyParagraphCheck.h"
#include "checks/BodyState.h"
#include "checks/CheckSession.h"
#include "checks/CitationCheck.h"
#include "checks/HeadingCheck.h"
#include "checks/Messages.h"
#include "shell/CheckError.h"
#include "shell/RunFlags.h"
#include "template/Codepage936.h"
#include "template/FormatTemplate.h"

namespace quillmark {

namespace msg = messages;

const char* BodyChecker::progressName() const {
    return msg::kBodyCheckName;
}

struct BodyChecker::Run {
    CheckSession& session;
    word::Selection& sel;
    BodyState state;

    explicit Run(CheckSession& s) : session(s), sel(s.selection()) {}

    void execute() {
        if (!selectTableOfContents()) {
            session.post(kLevelSevere, 1, 1, msg::bodyTocMissing(), 1);
            return;
        }
        delimitBody();
        walk();
    }

    // Selects the first table of contents, or the second one of a master's
    // thesis. False when there is no such one.
    bool selectTableOfContents() {
        const int wanted = session.formatTemplate().thesisType == kMasterThesis ? 2 : 1;
        const word::Fields fields = session.document().Fields();
        int found = 0;
        for (long i = 1; i <= fields.Count(); ++i) {
            const word::Field field = fields.Item(i);
            if (field.Type() != word::wdFieldTOC) continue;
            field.Select();
            if (++found == wanted) return true;
        }
        return false;
    }

    // From the start of the page after the table of contents to the end.
    void delimitBody() {
        sel.MoveRight(word::wdCharacter, 1);
        sel.GoTo(word::wdGoToPage, word::wdGoToNext, 1);
        sel.EndKey(word::wdStory, word::wdExtend);
        state.bodyStart = sel.Start();
        state.bodyEnd = sel.End();
    }

    void walk() {
        const word::Paragraphs paragraphs = sel.Paragraphs();
        const long count = paragraphs.Count();
        for (long i = 1; i <= count && runAllowed(); ++i) checkParagraph(paragraphs.Item(i));
    }

    void checkParagraph(const word::Paragraph& paragraph) {
        const word::Range range = paragraph.Range();
        const std::string text = range.Text();
        if (gbkByteLength(text) <= body::kSkippedParagraphBytes) return;

        word::Range item = range;
        bool itemReportedAsText = false;
        if (range.Font().Superscript() != 0) {
            CitationWalk walked = checkCitations(session, state, range);
            item = walked.lastRun;
            itemReportedAsText = walked.lastRunReportedAsText;
        }
        const long level = paragraph.OutlineLevel();
        if (level >= 1 && level <= 3) {
            checkHeading(session, state, paragraph, item, level);
        } else if (level == 10) {
            checkBodyParagraph(session, state, paragraph, item, text, itemReportedAsText);
        }
    }
};

void BodyChecker::run(CheckSession& session) {
    Run(session).execute();
}

}  // namespace quillmark
