#pragma once

#include "shell/CheckMode.h"

namespace quillmark {

class RunController;

// True when a checker for `kind` exists in this build.
bool checkAvailable(CheckKind kind);

// Gives every check of the run controller its checker as the work of its
// run; a check without a checker only passes its begin and end steps.
// Every front end (command line, main window) runs the checks through this.
void installCheckerBodies(RunController& runs);

}  // namespace quillmark
