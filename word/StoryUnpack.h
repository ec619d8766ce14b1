#pragma once

#include "StoryTypes.h"

#include <optional>
#include <string>
#include <vector>

namespace word {

// The start of one laid-out line: its story position, Word's page and the
// line of that page (from 1), and the page as the engine counts it.
struct LineStart {
    long position = 0;
    long page = 1;
    long line = 1;
    long physicalPage = 1;
    // Only this first line of its page is known: the page lies inside one
    // paragraph, and so may the pages up to the next line known. Their
    // lines are walked when asked about.
    bool restOfPageUnknown = false;
    bool operator==(const LineStart&) const = default;
};

// The layout facts the object model reports, as the story walk found them:
// all of them, or those before `resume` (a walk that stopped early, or a
// layout that writes have made stale from there on).
struct StoryLayout {
    long pageCount = 1;  // when complete
    std::vector<LineStart> lines;  // by position
    bool complete = true;
    struct Resume {
        long physicalPage = 1;
        long page = 1;
        long position = 0;
    } resume;  // when not complete: the first line not known

    bool knows(long position) const { return complete || position < resume.position; }
    long pageOf(long position) const;
    long lineOf(long position) const;
    long pageStart(long page) const;  // 1-based; clamped to the pages there are; when complete
    // Takes the lines of a walk that went on from `resume`.
    void append(StoryLayout&& more);
    // The line known last before `position` when the lines between it and
    // the next one known were not walked and the position lies among them.
    const LineStart* unknownLineAbove(long position) const;
    // The line known last before `page` when that page lies among pages
    // whose lines were not walked.
    const LineStart* unknownPageAfter(long page) const;
    // Takes the lines of a walk of pages that were not walked.
    void fillGap(StoryLayout&& walked);
    // Forgets the pages from the one holding `position` on (a write there
    // may move them); a later walk goes on from that page's first line.
    void dropFrom(long position);
    // Finds where each page begins, once the layout is complete.
    void findPageStarts();

private:
    std::vector<long> pageStarts_;  // where each page begins, index 0 = page 1
};

// The main story, paragraph by paragraph.
struct StoryContents {
    std::u16string text;
    std::vector<ParagraphEntry> paragraphs;
    std::vector<std::vector<CharRun>> runs;  // by paragraph, adjacent equal runs merged
    std::vector<ParagraphAttributes> attributes;
    std::vector<CharAttributes> marks;  // what each paragraph mark carries
};

// The engine's objects of the story's paragraphs and texts, fetched only
// when a write needs them.
struct StoryObjects {
    std::vector<uno::Reference<uno::css::text::XTextRange>> paragraphs;  // by paragraph index
    std::vector<int> textOfParagraph;                                     // index into `texts`
    std::vector<uno::Reference<uno::css::text::XText>> texts;            // the main text, then table cells
};

struct StoryReply {
    std::optional<StoryContents> story;
    std::optional<StoryLayout> layout;  // absent when not asked for or not laid out
    std::optional<StoryObjects> objects;  // only when asked for
    // Paragraphs that no longer snap to the grid: their indices and objects.
    std::vector<long> releasedFromGrid;
    std::vector<uno::Reference<uno::css::text::XTextRange>> releasedParagraphs;
};

// Reads a packed story walk (reader/StoryPacket.h). Raises WordError on a
// reply that does not have the expected shape.
StoryReply unpackStory(const uno::Sequence<uno::Any>& reply);

}  // namespace word
