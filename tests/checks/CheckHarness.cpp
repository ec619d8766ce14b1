#include "CheckHarness.h"

#include "checks/Checker.h"
#include "support/Engine.h"

#include <stdexcept>

namespace quillmark::testing {

void CollectingReporter::postCheckError(std::uint64_t documentId, const CheckError& error) {
    documentIds.push_back(documentId);
    findings.push_back(error);
}

void CollectingReporter::postProgress(const ProgressReport& report) {
    progress.push_back(report);
}

std::vector<std::string> CheckRunResult::lines() const {
    std::vector<std::string> out;
    for (const CheckError& e : findings) out.push_back(finding(e.level.c_str(), e.page, e.line, e.position, e.description));
    return out;
}

CheckRunResult runCheck(CheckKind kind, const word::Document& document, const FormatTemplate& formatTemplate,
                        CheckMode mode) {
    std::unique_ptr<Checker> checker = makeChecker(kind);
    if (!checker) throw std::logic_error("no checker for this kind");

    CollectingReporter reporter;
    CheckContext context;
    context.documentIndex = 0;
    context.documentId = kTestDocumentId;
    context.wordDocument = document;
    context.wordApplication = &sharedApplication();
    context.formatTemplate = &formatTemplate;
    context.fileName = kTestFileName;
    context.reporter = &reporter;
    runChecker(*checker, context, mode);

    for (const CheckError& e : reporter.findings) {
        if (e.fileName != kTestFileName) throw std::logic_error("finding with a foreign file name: " + e.fileName);
    }
    for (std::uint64_t id : reporter.documentIds) {
        if (id != kTestDocumentId) throw std::logic_error("finding for a foreign document");
    }
    return CheckRunResult{reporter.findings, reporter.progress, reporter.checkStates};
}

std::string finding(const char* level, int page, int line, long position, const std::string& description) {
    return std::string(level) + "|p" + std::to_string(page) + "|l" + std::to_string(line) + "|@" +
           std::to_string(position) + "|" + description;
}

void closeAllDocuments() {
    word::Documents documents = sharedApplication().Documents();
    for (long i = documents.Count(); i >= 1; --i) documents.Item(i).Close(false);
}

long charCount(const std::string& utf8) {
    long n = 0;
    for (unsigned char c : utf8) {
        if ((c & 0xC0) != 0x80) ++n;
    }
    return n;
}

}  // namespace quillmark::testing
