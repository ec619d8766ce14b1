#include "checks/CoverChecker.h"

#include "checks/BachelorCover.h"
#include "checks/CheckSession.h"
#include "checks/MasterCovers.h"
#include "checks/Messages.h"

namespace quillmark {

const char* CoverChecker::progressName() const {
    return messages::kCoverCheckName;
}

void CoverChecker::run(CheckSession& session) {
    if (session.formatTemplate().thesisType == kBachelorThesis) {
        checkBachelorCover(session);
    } else {
        checkMasterCovers(session);
    }
}

}  // namespace quillmark
