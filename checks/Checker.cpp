#include "checks/Checker.h"

#include "checks/CheckSession.h"
#include "checks/AbstractNotesChecker.h"
#include "checks/BodyChecker.h"
#include "checks/CnAbstractChecker.h"
#include "checks/CoverChecker.h"
#include "checks/EnAbstractChecker.h"
#include "checks/ReferencesChecker.h"

namespace quillmark {

Checker::~Checker() = default;

std::unique_ptr<Checker> makeChecker(CheckKind kind) {
    switch (kind) {
    case CheckKind::CnAbstract: return std::make_unique<CnAbstractChecker>();
    case CheckKind::EnAbstract: return std::make_unique<EnAbstractChecker>();
    case CheckKind::AbstractNotes: return std::make_unique<AbstractNotesChecker>();
    case CheckKind::References: return std::make_unique<ReferencesChecker>();
    case CheckKind::Cover: return std::make_unique<CoverChecker>();
    case CheckKind::Body: return std::make_unique<BodyChecker>();
    }
    return nullptr;
}

void runChecker(Checker& checker, const CheckContext& context, CheckMode mode) {
    CheckSession session(context, mode);
    session.start(checker.frameSteps(), checker.progressName());
    checker.run(session);
}

}  // namespace quillmark
