#include "shell/ThesisDocument.h"

namespace quillmark {

ThesisDocument::ThesisDocument(std::uint64_t id, std::string tempCopyPath, std::string displayName,
                               std::shared_ptr<word::Application> wordApplication)
    : id(id),
      tempCopyPath(std::move(tempCopyPath)),
      displayName(std::move(displayName)),
      wordApplication(std::move(wordApplication)) {}

word::Document ThesisDocument::wordDocument() const {
    std::lock_guard guard(documentMutex_);
    return wordDocument_;
}

void ThesisDocument::setWordDocument(word::Document document) {
    std::lock_guard guard(documentMutex_);
    wordDocument_ = std::move(document);
}

bool& ThesisDocument::pending(CheckKind kind) {
    switch (kind) {
    case CheckKind::Cover:
        return pendingCover;
    case CheckKind::CnAbstract:
        return pendingCnAbstract;
    case CheckKind::EnAbstract:
        return pendingEnAbstract;
    case CheckKind::AbstractNotes:
        return pendingAbstractNotes;
    case CheckKind::Body:
        return pendingBody;
    case CheckKind::References:
        return pendingReferences;
    }
    return pendingBody;
}

}  // namespace quillmark
