#pragma once

#include <string>

namespace quillmark {

// Severity words.
inline constexpr const char* kLevelSevere = "严重";   // an element a check depends on is missing
inline constexpr const char* kLevelMedium = "中等";   // a formatting deviation
inline constexpr const char* kLevelMinor = "轻微";    // a doubtful caption

// One finding, fields in the order a checker hands them over.
struct CheckError {
    std::string fileName;  // display name of the document under check
    std::string level;
    int page = 0;
    int line = 0;
    std::string description;
    int position = 0;  // character position in the main story; 0 when nothing was found
};

// A progress report of a running check.
struct ProgressReport {
    std::string text;  // the check's name; receivers do not use it
    int totalPages = 0;
    int line = 0;
    int page = 0;
};

}  // namespace quillmark
