#pragma once

#include "WalkedStory.h"

#include <com/sun/star/frame/XModel.hpp>

#include <vector>

namespace word {

// One laid-out line of the main story: where it starts, on which page as
// Word counts pages, which line of that page it is (from 1), and the page
// as the engine counts it (with any empty page of its own).
struct WalkedLine {
    sal_Int32 position = 0;
    sal_Int32 page = 1;
    sal_Int32 line = 1;
    sal_Int32 physicalPage = 1;
    // The page lies wholly inside one paragraph, and so may the pages after
    // it up to the page of the next line reported: only this first line was
    // walked. No paragraph starts there; a walk asked for a position there
    // walks its page.
    bool restOfPageSkipped = false;
};

// Which part of the layout to walk: from the start of an engine page whose
// Word number is known (the pages before it are as a walk found them), as
// far as the page after the one holding `until` (-1: to the last page).
struct LayoutRequest {
    sal_Int32 fromPhysicalPage = 1;
    sal_Int32 fromPage = 1;      // Word's number of that page
    sal_Int32 fromPosition = 0;  // the story position of its first line
    sal_Int32 until = -1;
    // Which story read the layout read follows: with packet::CachedStory,
    // the paragraphs that read found are used when it was the last one.
    sal_Int32 storyStamp = 0;
};

// Where a walk that stopped early would go on: the first line it did not
// report, on the start of its page.
struct LayoutResume {
    sal_Int32 physicalPage = 0;
    sal_Int32 page = 0;
    sal_Int32 position = 0;
};

struct WalkedLayout {
    bool laidOut = false;  // false: the document has no view to lay it out
    bool complete = true;  // false: stopped early, at `resume`
    sal_Int32 pageCount = 0;  // Word's page count, when complete
    std::vector<WalkedLine> lines;  // by position
    LayoutResume resume;
};

// Walks the laid-out lines with the view cursor, one line down at a time
// from the first page asked for, so that every paragraph start is passed
// without a jump to it. Pages that lie wholly inside one long paragraph are
// stepped over (the first line of the first of them only), except the one
// that holds `until`: lines deep inside a paragraph of megabytes cost the
// engine milliseconds each. Pages are numbered as Word numbers them: an empty
// page the engine inserts only to bring a restarted page number onto its
// parity is not counted; one that a section starting on an odd or even page
// needs is, since Word inserts it too.
WalkedLayout walkLayout(const ::com::sun::star::uno::Reference<::com::sun::star::frame::XModel>& model,
                        const WalkedStory& story, const LayoutRequest& request = {});

}  // namespace word
