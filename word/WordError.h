#pragma once

#include <stdexcept>
#include <string>

namespace word {

// An error raised by the engine, the way an automation call raises one:
// a code and, where the engine gave one, a description.
class WordError : public std::runtime_error {
public:
    WordError(long code, std::string description)
        : std::runtime_error(description), code_(code), description_(std::move(description)) {}

    long code() const { return code_; }
    const std::string& description() const { return description_; }

private:
    long code_;
    std::string description_;
};

// Error codes this layer raises.
namespace errors {
inline constexpr long EngineUnavailable = 0x800706BA;  // the engine process is gone
inline constexpr long OpenFailed = 0x800A1066;         // the file could not be opened
inline constexpr long NotADocument = 0x800A1065;       // the file is not a word-processing document
inline constexpr long PasswordProtected = 0x800A1067;  // the file needs a password
inline constexpr long SaveFailed = 0x800A1068;         // the document could not be saved
inline constexpr long BadArgument = 0x800A1069;        // an argument out of range
inline constexpr long NoDocument = 0x800A0FE6;         // the document is closed
inline constexpr long TooLarge = 0x800A106A;           // the file is too large to open within the bounds
}  // namespace errors

}  // namespace word
