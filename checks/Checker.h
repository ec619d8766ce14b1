#pragma once

#include "shell/CheckContext.h"
#include "shell/CheckMode.h"

#include <memory>

namespace quillmark {

class CheckSession;

// What the frame does for a checker before its own work, besides activating
// the document, hiding the application and counting the pages.
struct FrameSteps {
    bool collapseSelection = false;  // Selection.SetRange(0, 0) before the first search
    bool postCheckState = false;     // announce the run with UM_CHECK_STATE
};

// One check of one part of a thesis. A checker keeps no state between runs:
// everything a run needs lives in its CheckSession.
class Checker {
public:
    virtual ~Checker();

    virtual CheckKind kind() const = 0;
    // The check name carried by every progress report of a run.
    virtual const char* progressName() const = 0;
    virtual FrameSteps frameSteps() const { return {}; }
    // The checker's own work, after the frame steps. Engine errors
    // (word::WordError) are left to the caller.
    virtual void run(CheckSession& session) = 0;
};

// The checker for `kind`, or nullptr when that check is not available.
std::unique_ptr<Checker> makeChecker(CheckKind kind);

// Runs one checker on a prepared context: the frame steps of the session
// (activate, hide, Selection, total pages), then the checker's work. The run
// frame calls it after its begin step and its runAllowed test.
void runChecker(Checker& checker, const CheckContext& context, CheckMode mode);

}  // namespace quillmark
