#include "checks/ReferencesChecker.h"

#include "checks/CheckSession.h"
#include "checks/FormatRules.h"
#include "checks/ReferenceEntryFormat.h"
#include "shell/CheckError.h"
#include "template/Codepage936.h"

#include <optional>
#include <string>

namespace quillmark {

namespace refs = references;

namespace {

// The name of this check; it carries no progress report.
constexpr const char* kReferencesCheckName = "参考文献";

}  // namespace

const char* ReferencesChecker::progressName() const {
    return kReferencesCheckName;
}

long references::endWithoutTrailingBreaks(std::string_view listText, long end) {
    // Both characters are single bytes, so bytes and positions step together.
    while (!listText.empty() && (listText.back() == '\r' || listText.back() == '\f')) {
        listText.remove_suffix(1);
        --end;
    }
    return end;
}

// One run over one document.
struct ReferencesChecker::Run {
    CheckSession& session;
    word::Document& document;
    word::Selection& sel;
    long documentEnd = 0;
    long passedEnd = -1;  // the end of the last title occurrence passed over

    explicit Run(CheckSession& s) : session(s), document(s.document()), sel(s.selection()) {}

    void execute() {
        document.Select();
        documentEnd = sel.End();
        startAfterTableOfContents();

        const std::optional<word::Paragraph> title = findTitle();
        if (!title) {
            session.post(kLevelSevere, session.locateSelection(), std::string(refs::kTitleNotFoundText),
                         static_cast<int>(sel.Start()));
            return;
        }

        const long start = title->Range().End();
        const long end = listEnd(*title);
        if (end <= start) return;
        checkEntries(start, end);
    }

    // The search starts right after the first table of contents; without one
    // it starts at the document end and finds nothing.
    void startAfterTableOfContents() {
        const word::Fields fields = document.Fields();
        for (long i = 1; i <= fields.Count(); ++i) {
            const word::Field field = fields.Item(i);
            if (field.Type() == word::wdFieldTOC) {
                field.Select();
                break;
            }
        }
        sel.MoveRight(word::wdCharacter, 1);
        session.range(sel.Start(), documentEnd).Select();
    }

    // The centred paragraph that holds "参 考 文 献" or "参考文献" and little
    // else. Each pass tries the spaced form, then the plain one.
    std::optional<word::Paragraph> findTitle() {
        const char* form = refs::kSpacedTitleSearch;
        bool mayRetry = true;
        for (;;) {
            if (!findInSelection(sel, form, false, word::wdFindStop)) {
                if (!mayRetry) return std::nullopt;
                mayRetry = false;
                form = refs::kTitleSearch;
                continue;
            }
            // A search that finds nothing further on ends the walk.
            if (sel.End() <= passedEnd) return std::nullopt;
            const word::Paragraphs paragraphs = sel.Paragraphs();
            if (paragraphs.Alignment() != word::wdAlignParagraphCenter) {
                passOccurrence();
                form = refs::kSpacedTitleSearch;
                mayRetry = true;
                continue;
            }
            const word::Paragraph paragraph = paragraphs.First();
            if (gbkByteLength(paragraph.Range().Text()) > gbkByteLength(sel.Text()) + refs::kTitleSlackBytes) {
                passOccurrence();
                continue;
            }
            return paragraph;
        }
    }

    // The next search starts where the occurrence ends: every occurrence is
    // found once, and the search window shrinks each time.
    void passOccurrence() {
        passedEnd = sel.End();
        sel.SetRange(passedEnd, documentEnd);
    }

    // The end of the list: the end of the last paragraph before the next
    // heading of level 1 to 3, or the document end; then without the
    // paragraph marks and page breaks that close it.
    long listEnd(const word::Paragraph& title) {
        document.Select();
        const long limit = sel.End();
        // Stays the document end when the title is followed right away by a
        // heading.
        long end = limit;
        for (std::optional<word::Paragraph> p = title.Next(); p; p = p->Next()) {
            const word::Range range = p->Range();
            range.Select();
            if (p->OutlineLevel() <= 3) break;
            end = range.End();
            if (end > limit - 1) break;
        }
        const long start = title.Range().End();
        if (end <= start) return end;
        return refs::endWithoutTrailingBreaks(session.range(start, end).Text(), end);
    }

    // Every paragraph of the list is one entry; the count is taken once.
    void checkEntries(long start, long end) {
        const word::Range list = session.range(start, end);
        list.Select();
        const word::Paragraphs entries = list.Paragraphs();
        const long count = entries.Count();
        std::optional<word::Paragraph> entry = entries.First();
        for (long i = 1; i <= count && entry; ++i) {
            refs::checkReferenceEntry(session, entry->Range());
            entry = entry->Next();
        }
    }
};

void ReferencesChecker::run(CheckSession& session) {
    Run(session).execute();
}

}  // namespace quillmark
