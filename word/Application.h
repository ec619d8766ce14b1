#pragma once

#include "Document.h"
#include "Range.h"

#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace word {

class ApplicationState;

// How long opening one document may take before the engine is ended and the
// document refused (120 seconds unless set); for every later opening.
void setOpenTimeout(std::chrono::seconds limit);
std::chrono::seconds openTimeout();

// Refuses, before an engine sees it, what opening would refuse by the file
// alone: no file, an empty file, no word-processing format, a password, a
// package that would inflate beyond the bounds, XML that declares a document
// type. Raises the WordError an opening raises, naming the file `shownName`.
void refuseUnfitFile(const std::string& file, const std::string& shownName);

struct OpenOptions {
    bool readOnly = false;
    bool visible = false;
    // How messages name the file (the user's own file rather than the
    // working copy); the opened path when empty.
    std::string shownName;
};

class Documents {
public:
    explicit Documents(std::shared_ptr<ApplicationState> app) : app_(std::move(app)) {}

    // Opens `path` (a working copy; the caller never hands the user's own file).
    // Raises WordError for a file that is not a document or needs a password.
    Document Open(const std::string& path, const OpenOptions& options = {});
    long Count() const;
    Document Item(long index) const;  // 1-based

private:
    std::shared_ptr<ApplicationState> app_;
};

// Moves the Selection by pages.
class Browser {
public:
    explicit Browser(std::shared_ptr<ApplicationState> app) : app_(std::move(app)) {}
    void Next();
    void Previous();

private:
    std::shared_ptr<ApplicationState> app_;
};

// The engine instance. Starting one starts (or reuses) the engine process on
// demand; Quit closes every document without saving.
class Application {
public:
    Application();

    void SetVisible(bool visible);
    bool Visible() const;
    word::Documents Documents() const;
    word::Selection Selection() const;  // belongs to the last activated document
    word::Browser Browser() const;
    word::Document ActiveDocument() const;
    void Activate();
    void Quit(bool saveChanges = false);
    // Ours, for a program that is about to end: drops every document unsaved
    // and ends the engine at once, without its own orderly shutdown.
    void QuitAtOnce();

    const std::shared_ptr<ApplicationState>& state() const { return state_; }
    static word::Selection Selection(const std::shared_ptr<ApplicationState>& state);

private:
    std::shared_ptr<ApplicationState> state_;
};

}  // namespace word
