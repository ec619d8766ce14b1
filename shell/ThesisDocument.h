#pragma once

#include "shell/CheckMode.h"
#include "word/Document.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace word {
class Application;
}

namespace quillmark {

// A finding as a document keeps it (the document supplies the file name).
struct StoredFinding {
    int page = 0;
    int line = 0;
    std::string level;
    std::string description;
    int position = 0;
    bool operator==(const StoredFinding&) const = default;
};

// One opened thesis. Owned by the document set; the opening worker and a
// running check hold it too while they work on it.
class ThesisDocument {
public:
    ThesisDocument(std::uint64_t id, std::string tempCopyPath, std::string displayName,
                   std::shared_ptr<word::Application> wordApplication);
    ThesisDocument(const ThesisDocument&) = delete;
    ThesisDocument& operator=(const ThesisDocument&) = delete;

    // Identity of the record, unique within a program run; findings are
    // routed by it, so two theses with the same display name never mix.
    const std::uint64_t id;

    std::string tempCopyPath;  // the working copy the engine opens
    std::string displayName;   // file name less its last four bytes (code page 936)
    std::vector<StoredFinding> findings;  // in arrival order

    // The opened working copy; empty until the opening worker has opened it,
    // and for good when the opening failed. Written by the opening worker,
    // read by any thread.
    word::Document wordDocument() const;
    void setWordDocument(word::Document document);

    // The one engine instance, shared by every record.
    std::shared_ptr<word::Application> wordApplication;

    // True while the check has not been started on this document from its
    // page button.
    bool pendingCnAbstract = true;
    bool pendingEnAbstract = true;
    bool pendingAbstractNotes = true;
    bool pendingCover = true;
    bool pendingBody = true;
    bool pendingReferences = true;

    bool& pending(CheckKind kind);

    std::string sourcePath;  // the user's own file; never opened by the engine

private:
    mutable std::mutex documentMutex_;
    word::Document wordDocument_;
};

// The records of the document set, in the order of opening.
using DocumentRecords = std::vector<std::shared_ptr<ThesisDocument>>;

}  // namespace quillmark
