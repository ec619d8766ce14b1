#pragma once

#include <string>

namespace quillmark {

// A private copy of a user's file in a folder of its own in the working folder, removed again when
// the copy goes out of scope. The engine only ever opens such copies, so the
// user's own file is never opened or written by it.
class TemporaryCopy {
public:
    // Raises std::runtime_error (with a message for the user) when the file
    // is missing, is a folder, or cannot be copied.
    explicit TemporaryCopy(const std::string& source);
    ~TemporaryCopy();
    TemporaryCopy(const TemporaryCopy&) = delete;
    TemporaryCopy& operator=(const TemporaryCopy&) = delete;

    const std::string& path() const { return path_; }

private:
    std::string folder_;
    std::string path_;
};

}  // namespace quillmark
