#include "shell/FindingsCommands.h"

#include "shell/ShellTexts.h"
#include "word/Application.h"
#include "word/WordError.h"

#include <algorithm>
#include <climits>
#include <mutex>

namespace quillmark {

namespace {

// The record a row or a finding belongs to: by record id, or by the first
// record of its display name when it carries no id.
std::shared_ptr<ThesisDocument> recordFor(const DocumentRecords& documents, std::uint64_t documentId,
                                          const std::string& fileName) {
    for (const auto& record : documents) {
        if (documentId != 0 ? record->id == documentId : record->displayName == fileName) return record;
    }
    return nullptr;
}

}  // namespace

void takeFinding(const DocumentRecords& documents, FindingsList& list, UserMessages& messages, std::uint64_t documentId,
                 const CheckError& error) {
    list.append(documentId, error.fileName, error.level, error.page, error.description, error.position);
    std::shared_ptr<ThesisDocument> record = recordFor(documents, documentId, error.fileName);
    if (!record) {
        messages.showMessage(texts::kWrongFileName);
        return;
    }
    record->findings.push_back(StoredFinding{error.page, error.line, error.level, error.description, error.position});
}

void clearFindingsList(const DocumentRecords& documents, FindingsList& list) {
    std::vector<std::shared_ptr<ThesisDocument>> emptied;
    for (const FindingsRow& row : list.rows()) {
        std::shared_ptr<ThesisDocument> record = recordFor(documents, row.documentId, row.fileName());
        if (record && std::find(emptied.begin(), emptied.end(), record) == emptied.end()) {
            record->findings.clear();
            emptied.push_back(record);
        }
    }
    list.clear();
}

bool showDocumentFindings(const DocumentRecords& documents, FindingsList& list, UserMessages& messages,
                          std::optional<std::size_t> selectedDocument) {
    if (!selectedDocument || *selectedDocument >= documents.size()) {
        messages.showMessage(texts::kSelectDocument);
        return false;
    }
    const ThesisDocument& record = *documents[*selectedDocument];
    list.clear();
    for (const StoredFinding& finding : record.findings) {
        list.append(record.id, record.displayName, finding.level, finding.page, finding.description,
                    finding.position);
    }
    return true;
}

JumpResult jumpToFinding(const DocumentRecords& documents, FindingsList& list, UserMessages& messages,
                         RunLock& runLock, std::optional<std::size_t> selectedRow) {
    if (!selectedRow || *selectedRow >= list.size()) {
        messages.showMessage(texts::kSelectItem);
        return JumpResult::NoRowSelected;
    }
    const FindingsRow row = list.row(*selectedRow);
    const int position = leadingNumber(row.position());
    std::shared_ptr<ThesisDocument> record = recordFor(documents, row.documentId, row.fileName());
    if (!record) {
        messages.showMessage(texts::kWrongFileName);
        return JumpResult::NoDocument;
    }

    std::unique_lock held(runLock);
    try {
        record->wordApplication->SetVisible(true);
    } catch (const std::exception&) {
        return JumpResult::EngineGone;
    }

    auto found = std::find_if(record->findings.begin(), record->findings.end(),
                              [&](const StoredFinding& f) { return f.position == position; });
    if (found == record->findings.end()) {
        held.unlock();
        messages.showMessage(texts::kFindingNotFound);
        return JumpResult::NoFinding;
    }

    word::Document document = record->wordDocument();
    if (document.IsNull()) return JumpResult::Jumped;  // calls through an empty document do nothing

    // A document the user closed in the engine is no longer among its documents.
    try {
        bool stillOpen = false;
        word::Documents open = record->wordApplication->Documents();
        for (long i = 1, n = open.Count(); i <= n && !stillOpen; ++i) {
            stillOpen = open.Item(i).model() == document.model();
        }
        if (!stillOpen) throw word::WordError(word::errors::NoDocument, "");
        word::Range place = document.Range(position, position);
        document.Activate();  // the finding's document comes to the front, not the last active one
        place.Select();
        record->wordApplication->Activate();
    } catch (const word::WordError& error) {
        if (error.code() != word::errors::NoDocument) return JumpResult::EngineGone;
        held.unlock();
        list.removeRowsOf(record->id, record->displayName);
        return JumpResult::DocumentClosed;
    } catch (const std::exception&) {
        return JumpResult::EngineGone;
    }
    return JumpResult::Jumped;
}

int leadingNumber(std::string_view text) {
    long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') break;
        value = value * 10 + (c - '0');
        if (value > INT_MAX) return INT_MAX;
    }
    return static_cast<int>(value);
}

}  // namespace quillmark
