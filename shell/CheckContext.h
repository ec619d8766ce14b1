#pragma once

#include "CheckMode.h"
#include "RunReporter.h"
#include "template/FormatTemplate.h"
#include "word/msword.h"

#include <cstdint>
#include <string>

namespace quillmark {

// What a check run works on, filled when the run is prepared.
struct CheckContext {
    int documentIndex = -1;            // index of the document in the document set
    std::uint64_t documentId = 0;      // identity of the document record
    word::Document wordDocument;
    word::Application* wordApplication = nullptr;
    const FormatTemplate* formatTemplate = nullptr;  // read in place, never copied
    std::string fileName;              // display name, used as CheckError.fileName
    RunReporter* reporter = nullptr;
};

}  // namespace quillmark
