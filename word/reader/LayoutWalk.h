#pragma once

#include "WalkedStory.h"

#include <com/sun/star/frame/XModel.hpp>

#include <vector>

namespace word {

// One laid-out line of the main story: where it starts, on which page as
// Word counts pages, and which line of that page it is (from 1).
struct WalkedLine {
    sal_Int32 position = 0;
    sal_Int32 page = 1;
    sal_Int32 line = 1;
};

struct WalkedLayout {
    bool laidOut = false;  // false: the document has no view to lay it out
    sal_Int32 pageCount = 0;
    std::vector<WalkedLine> lines;  // by position
};

// Walks the laid-out lines with the view cursor, one line down at a time
// from the first page to the last, so that every paragraph start is passed
// without a jump to it. Pages are numbered as Word numbers them: an empty
// page the engine inserts only to bring a restarted page number onto its
// parity is not counted; one that a section starting on an odd or even page
// needs is, since Word inserts it too.
WalkedLayout walkLayout(const ::com::sun::star::uno::Reference<::com::sun::star::frame::XModel>& model,
                        const WalkedStory& story);

}  // namespace word
