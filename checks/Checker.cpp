#include "checks/Checker.h"

#include "checks/CheckSession.h"
#include "checks/CnAbstractChecker.h"

namespace quillmark {

Checker::~Checker() = default;

std::unique_ptr<Checker> makeChecker(CheckKind kind) {
    switch (kind) {
    case CheckKind::CnAbstract: return std::make_unique<CnAbstractChecker>();
    case CheckKind::Cover:
    case CheckKind::EnAbstract:
    case CheckKind::AbstractNotes:
    case CheckKind::Body:
    case CheckKind::References: break;
    }
    return nullptr;
}

void runChecker(Checker& checker, const CheckContext& context, CheckMode mode) {
    CheckSession session(context, mode);
    session.start(checker.frameSteps(), checker.progressName());
    checker.run(session);
}

}  // namespace quillmark
