#include "checks/CheckerBodies.h"

#include "checks/Checker.h"
#include "shell/CheckKinds.h"
#include "shell/RunController.h"

namespace quillmark {

bool checkAvailable(CheckKind kind) { return makeChecker(kind) != nullptr; }

void installCheckerBodies(RunController& runs) {
    for (CheckKind kind : kCheckAllOrder) {
        runs.setBody(kind, [kind](const CheckContext& context, CheckMode mode) {
            if (auto checker = makeChecker(kind)) runChecker(*checker, context, mode);
        });
    }
}

}  // namespace quillmark
