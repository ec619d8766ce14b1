#pragma once

#include "shell/StatusSink.h"
#include "shell/StatusTexts.h"
#include "shell/UserMessages.h"

#include <cstdlib>
#include <deque>
#include <filesystem>
#include <mutex>
#include <string>
#include <vector>

namespace quillmark::testing {

// Message boxes as a list of texts; answers Yes/No from a script (No when
// the script has run out). Safe to use from several threads.
class RecordingMessages : public UserMessages {
public:
    struct Shown {
        std::string caption;  // empty: the default caption
        std::string text;
        bool operator==(const Shown&) const = default;
    };

    void showMessage(const std::string& text) override {
        std::lock_guard guard(mutex_);
        shown_.push_back({"", text});
    }
    void showError(const std::string& caption, const std::string& text) override {
        std::lock_guard guard(mutex_);
        shown_.push_back({caption, text});
    }
    bool askYesNo(const std::string& text) override {
        std::lock_guard guard(mutex_);
        questions_.push_back(text);
        if (answers_.empty()) return false;
        bool answer = answers_.front();
        answers_.pop_front();
        return answer;
    }

    void answer(bool yes) {
        std::lock_guard guard(mutex_);
        answers_.push_back(yes);
    }
    std::vector<Shown> shown() const {
        std::lock_guard guard(mutex_);
        return shown_;
    }
    std::vector<std::string> texts() const {
        std::lock_guard guard(mutex_);
        std::vector<std::string> result;
        for (const Shown& s : shown_) result.push_back(s.text);
        return result;
    }
    std::vector<std::string> questions() const {
        std::lock_guard guard(mutex_);
        return questions_;
    }
    void clear() {
        std::lock_guard guard(mutex_);
        shown_.clear();
        questions_.clear();
    }

private:
    mutable std::mutex mutex_;
    std::vector<Shown> shown_;
    std::vector<std::string> questions_;
    std::deque<bool> answers_;
};

// The status bar as a list of writes plus the current text of each part.
class RecordingStatus : public StatusSink {
public:
    void setPart(int part, const std::string& text) override {
        std::lock_guard guard(mutex_);
        writes_.push_back({part, text});
        if (part >= 0 && part < 4) parts_[part] = text;
    }
    StatusWrites writes() const {
        std::lock_guard guard(mutex_);
        return writes_;
    }
    std::string part(int index) const {
        std::lock_guard guard(mutex_);
        return parts_[index];
    }
    void clear() {
        std::lock_guard guard(mutex_);
        writes_.clear();
    }

private:
    mutable std::mutex mutex_;
    StatusWrites writes_;
    std::string parts_[4] = {"", "", "", "<untouched>"};
};

// A fresh folder, removed with its contents at the end of the test.
class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "quillmark-shell-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

}  // namespace quillmark::testing
