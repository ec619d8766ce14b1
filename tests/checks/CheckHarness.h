#pragma once

// Runs a checker on an open document the way the run frame does, without
// threads, and collects what it hands over.

#include "shell/CheckContext.h"
#include "shell/CheckError.h"
#include "shell/CheckMode.h"
#include "shell/RunReporter.h"
#include "template/FormatTemplate.h"
#include "word/msword.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace quillmark::testing {

class CollectingReporter : public RunReporter {
public:
    void postCheckError(std::uint64_t documentId, const CheckError& error) override;
    void postProgress(const ProgressReport& report) override;
    void postCheckState() override { ++checkStates; }

    std::vector<CheckError> findings;
    std::vector<std::uint64_t> documentIds;
    std::vector<ProgressReport> progress;
    int checkStates = 0;
};

// Severity words of findings, and the colour of text a check never marked
// (Word's automatic colour).
inline constexpr const char* kSevere = "严重";
inline constexpr const char* kMedium = "中等";
inline constexpr const char* kMinor = "轻微";
inline constexpr long kUnmarked = -16777216;

inline constexpr const char* kTestFileName = "测试论文";
inline constexpr std::uint64_t kTestDocumentId = 42;

struct CheckRunResult {
    std::vector<CheckError> findings;
    std::vector<ProgressReport> progress;
    int checkStates = 0;
    // Findings as "level|page|line|position|description", for comparing
    // whole lists with readable differences.
    std::vector<std::string> lines() const;
};

// Runs the checker of `kind` over `document` with the shared engine.
CheckRunResult runCheck(CheckKind kind, const word::Document& document, const FormatTemplate& formatTemplate,
                        CheckMode mode);

// One expected finding, in the same text form as CheckRunResult::lines().
std::string finding(const char* level, int page, int line, long position, const std::string& description);

// Closes every document the shared engine holds open, without saving.
void closeAllDocuments();

// A test on documents of the shared engine: closes them all after each test.
class DocumentTest : public ::testing::Test {
protected:
    void TearDown() override { closeAllDocuments(); }
};

// Characters of a UTF-8 text as the engine counts positions (one per code point).
long charCount(const std::string& utf8);

}  // namespace quillmark::testing
