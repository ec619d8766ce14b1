#include "shell/DocumentSet.h"

#include "shell/DisplayName.h"
#include "shell/EngineErrors.h"
#include "shell/OpenDocumentWorker.h"
#include "shell/ShellTexts.h"
#include "shell/ThesisCopy.h"
#include "word/Application.h"

#include <algorithm>
#include <cerrno>
#include <stdexcept>
#include <mutex>
#include <system_error>

namespace quillmark {

namespace fs = std::filesystem;

namespace {

struct CopyFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

}  // namespace

DocumentSet::DocumentSet(RunLock& runLock, UserMessages& messages, fs::path workDir, Options options)
    : runLock_(runLock),
      messages_(messages),
      workerMessages_(options.workerMessages != nullptr ? *options.workerMessages : messages),
      workDir_(std::move(workDir)),
      applicationFactory_(std::move(options.applicationFactory)) {
    if (!applicationFactory_) {
        applicationFactory_ = [] { return std::make_shared<word::Application>(); };
    }
}

DocumentSet::~DocumentSet() { waitForOpenings(); }

fs::path DocumentSet::copyIntoWorkDir(const fs::path& source) {
    std::error_code ec;
    // A working folder that cannot be made (a full disk) is the reason,
    // not the missing folder that creating a copy in it then meets.
    fs::create_directories(workDir_, ec);
    if (ec) throw CopyFailure(workingFolderFailureReason(ec.value()));
    // Every copy gets a numbered folder of its own, so theses of the same
    // file name from different folders never share a working copy. A folder
    // that already exists belongs to someone else and is passed over.
    fs::path folder;
    for (int tries = 0; tries < 100000; ++tries) {
        fs::path candidate = workDir_ / std::to_string(nextFolder_++);
        if (fs::create_directory(candidate, ec)) {
            folder = candidate;
            break;
        }
        if (ec) break;
    }
    if (folder.empty()) throw CopyFailure(workingFolderFailureReason(ec ? ec.value() : EEXIST));
    fs::path copy = folder / source.filename();
    const std::string failure = copyThesis(source, copy);
    if (!failure.empty()) {
        std::error_code ignored;
        fs::remove(folder, ignored);
        throw CopyFailure(failure);
    }
    return copy;
}

std::shared_ptr<ThesisDocument> DocumentSet::open(const fs::path& source) {
    joinFinishedOpenings();

    fs::path copy;
    try {
        copy = copyIntoWorkDir(source);
    } catch (const CopyFailure& failure) {
        messages_.showMessage(copyFailedText(source, failure.what()));
        return nullptr;
    }
    workingCopies_.push_back(copy);

    if (!application_) {
        try {
            application_ = applicationFactory_();
        } catch (const std::exception&) {
            application_.reset();
        }
        if (!application_) {
            messages_.showMessage(texts::kWordStartFailed);
            return nullptr;  // the copy stays recorded and goes at program end
        }
    }

    auto record = std::make_shared<ThesisDocument>(nextId_++, copy.string(), displayNameFor(copy.filename().string()),
                                                   application_);
    record->sourcePath = source.string();

    auto done = std::make_shared<std::atomic<bool>>(false);
    RunLock::Ticket turn = runLock_.reserve();
    try {
        std::thread worker([record, turn = std::move(turn), done, this]() mutable {
            OpenDocumentWorker(record, std::move(turn), runLock_, workerMessages_);
            done->store(true);
        });
        openings_.push_back(Opening{std::move(worker), done});
    } catch (const std::system_error&) {
        // The record stays, without a document, like one whose opening failed.
        messages_.showMessage(texts::kThreadFailed);
    }

    records_.push_back(record);
    return record;
}

DocumentSet::RemoveResult DocumentSet::removeOne(std::size_t index) {
    if (index >= records_.size()) return RemoveResult::NoSuchDocument;
    RemoveResult result = RemoveResult::Removed;
    {
        std::lock_guard held(runLock_);
        std::shared_ptr<ThesisDocument> record = records_[index];
        word::Document document = record->wordDocument();
        if (!document.IsNull()) {
            try {
                document.Close(false);
            } catch (const std::exception&) {
                result = RemoveResult::ClosedInWord;
            }
        }
        record->findings.clear();
        record->setWordDocument({});
        records_.erase(records_.begin() + static_cast<std::ptrdiff_t>(index));
    }
    if (result == RemoveResult::ClosedInWord) messages_.showMessage(texts::kDocumentClosedInWord);
    return result;
}

bool DocumentSet::removeAll() {
    std::unique_lock held(runLock_);
    bool reached = true;
    const std::size_t n = records_.size();
    for (std::size_t k = 0; k < n; ++k) {
        std::shared_ptr<ThesisDocument> record = records_.front();
        if (k + 1 == n) {
            try {
                record->wordApplication->Quit(false);
            } catch (const std::exception&) {
                reached = false;
            }
            application_.reset();
        }
        record->findings.clear();
        record->setWordDocument({});
        records_.erase(records_.begin());
    }
    held.unlock();
    if (!reached) messages_.showMessage(texts::kDocumentClosedInWord);
    return reached;
}

void DocumentSet::hide() {
    if (records_.empty()) return;
    std::unique_lock held(runLock_);
    try {
        records_.front()->wordApplication->SetVisible(false);
    } catch (const word::WordError& error) {
        held.unlock();
        reportEngineError(messages_, error);
    }
}

void DocumentSet::shutDownWord() {
    endWord([](word::Application& app) {
        try {
            app.Quit(false);
        } catch (const std::exception&) {
        }
    });
}

void DocumentSet::endWordAtOnce() {
    endWord([](word::Application& app) { app.QuitAtOnce(); });
}

void DocumentSet::endWord(const std::function<void(word::Application&)>& quit) {
    waitForOpenings();
    std::lock_guard held(runLock_);
    // Also quits an engine left running after its last document was removed
    // one by one, or one that runs without a document.
    std::shared_ptr<word::Application> app = records_.empty() ? application_ : records_.front()->wordApplication;
    if (!app) app = std::make_shared<word::Application>();
    for (auto& record : records_) record->setWordDocument({});
    records_.clear();
    application_.reset();
    quit(*app);
}

void DocumentSet::deleteWorkingCopies() {
    for (auto it = workingCopies_.rbegin(); it != workingCopies_.rend(); ++it) {
        std::error_code ignored;
        fs::remove(*it, ignored);
        fs::remove(it->parent_path(), ignored);  // only when empty
    }
    workingCopies_.clear();
}

void DocumentSet::waitForOpenings() {
    for (Opening& opening : openings_) {
        if (opening.thread.joinable()) opening.thread.join();
    }
    openings_.clear();
}

void DocumentSet::joinFinishedOpenings() {
    auto finished = std::stable_partition(openings_.begin(), openings_.end(),
                                          [](const Opening& o) { return !o.done->load(); });
    for (auto it = finished; it != openings_.end(); ++it) {
        if (it->thread.joinable()) it->thread.join();
    }
    openings_.erase(finished, openings_.end());
}

std::shared_ptr<ThesisDocument> DocumentSet::findById(std::uint64_t id) const {
    for (const auto& record : records_) {
        if (record->id == id) return record;
    }
    return nullptr;
}

std::shared_ptr<ThesisDocument> DocumentSet::findByName(const std::string& displayName) const {
    for (const auto& record : records_) {
        if (record->displayName == displayName) return record;
    }
    return nullptr;
}

}  // namespace quillmark
