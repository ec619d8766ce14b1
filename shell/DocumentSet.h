#pragma once

#include "shell/RunLock.h"
#include "shell/ThesisDocument.h"
#include "shell/UserMessages.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace word {
class Application;
}

namespace quillmark {

// Starts the engine instance; throws when it cannot be started.
using ApplicationFactory = std::function<std::shared_ptr<word::Application>()>;

// The opened theses, in the order of opening, with their working copies and
// the one engine instance they share.
//
// Lives on the user-interface thread. Its engine calls take their turn on the
// run lock, after every opening started before them; the commands that change
// the set must not be called while a check run is in progress (the shell
// refuses them then).
class DocumentSet {
public:
    struct Options {
        // Where opening workers tell their errors; the user messages when null.
        MessageSink* workerMessages = nullptr;
        // Starts the engine; a plain word::Application when empty.
        ApplicationFactory applicationFactory;
    };

    DocumentSet(RunLock& runLock, UserMessages& messages, std::filesystem::path workDir, Options options);
    DocumentSet(RunLock& runLock, UserMessages& messages, std::filesystem::path workDir)
        : DocumentSet(runLock, messages, std::move(workDir), Options{}) {}
    ~DocumentSet();  // waits for the opening workers; ends neither the engine nor the copies

    DocumentSet(const DocumentSet&) = delete;
    DocumentSet& operator=(const DocumentSet&) = delete;

    // Opens a thesis: copies it into a folder of its own under the working
    // folder, starts the engine when none runs, starts the opening worker and
    // appends the record. Returns at once with the new record, or null when
    // the copy or the engine start failed (told to the user).
    std::shared_ptr<ThesisDocument> open(const std::filesystem::path& source);

    enum class RemoveResult {
        Removed,        // closed in the engine without saving and removed
        ClosedInWord,   // the user had closed it in the engine; removed all the same
        NoSuchDocument  // index out of range
    };
    // Removes record `index`; the engine keeps running.
    RemoveResult removeOne(std::size_t index);

    // Removes every record and quits the engine without saving. Returns false
    // when the engine could no longer be reached (told to the user).
    bool removeAll();

    // Hides the engine; nothing when the set is empty.
    void hide();

    // At program end: quits the engine without saving, ignoring errors, and
    // destroys every record.
    void shutDownWord();
    // The same for a program that ends next: the engine is ended at once
    // rather than closing each document and shutting down in order.
    void endWordAtOnce();

    // Deletes every working copy made so far (at program end, or when a
    // batch is done with its documents), newest first, with the folder made
    // for it; failures are ignored.
    void deleteWorkingCopies();

    // Waits until every opening worker has finished.
    void waitForOpenings();

    std::size_t size() const { return records_.size(); }
    bool empty() const { return records_.empty(); }
    const std::shared_ptr<ThesisDocument>& at(std::size_t index) const { return records_.at(index); }
    const std::vector<std::shared_ptr<ThesisDocument>>& records() const { return records_; }
    std::shared_ptr<ThesisDocument> findById(std::uint64_t id) const;
    // The first record with this display name (exact byte comparison).
    std::shared_ptr<ThesisDocument> findByName(const std::string& displayName) const;

    const std::filesystem::path& workDir() const { return workDir_; }
    // The working copies made in this run, oldest first.
    const std::vector<std::filesystem::path>& workingCopies() const { return workingCopies_; }
    // The engine instance, while one runs.
    const std::shared_ptr<word::Application>& application() const { return application_; }
    RunLock& runLock() { return runLock_; }

private:
    // Drops every record and quits the engine the way `quit` does.
    void endWord(const std::function<void(word::Application&)>& quit);

    std::filesystem::path copyIntoWorkDir(const std::filesystem::path& source);
    void joinFinishedOpenings();

    struct Opening {
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> done;
    };

    RunLock& runLock_;
    UserMessages& messages_;
    MessageSink& workerMessages_;
    std::filesystem::path workDir_;
    ApplicationFactory applicationFactory_;
    std::shared_ptr<word::Application> application_;
    std::vector<std::shared_ptr<ThesisDocument>> records_;
    std::vector<std::filesystem::path> workingCopies_;
    std::vector<Opening> openings_;
    std::uint64_t nextId_ = 1;
    unsigned nextFolder_ = 1;
};

}  // namespace quillmark
