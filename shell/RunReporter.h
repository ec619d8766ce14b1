#pragma once

#include "CheckError.h"

#include <cstdint>

namespace quillmark {

// Where a running check hands its findings and progress. Posting never waits
// for the receiver. `documentId` names the document record the finding
// belongs to, so two documents with the same display name never share
// findings.
class RunReporter {
public:
    virtual ~RunReporter() = default;
    virtual void postCheckError(std::uint64_t documentId, const CheckError& error) = 0;
    virtual void postProgress(const ProgressReport& report) = 0;
    virtual void postCheckState() = 0;
};

}  // namespace quillmark
