#pragma once

#include "word/CallBound.h"
#include "word/msword.h"

#include <chrono>
#include <string>

namespace quillmark::testing {

// One engine instance shared by all tests of a test program.
word::Application& sharedApplication();

// A fresh temporary folder for one test, removed at program exit.
std::string scratchDir();

// Copies `path` into a scratch folder and opens the copy, as the program opens
// a working copy.
word::Document openCopy(const std::string& path);

// Saves `source` again under a password through the engine, as Word 97-2003
// or, for a `.docx` target, as an encrypted Word 2007 package.
void saveWithPassword(const std::string& source, const std::string& target);

// Saves `source` again through the engine as Word 97-2003 (`.doc`), Word
// 2007 (`.docx`) or rich text (`.rtf`), by the target's extension.
void saveInFormatOf(const std::string& source, const std::string& target);

// Sets the bound of every engine call for one scope, then puts the old one back.
class CallLimit {
public:
    explicit CallLimit(std::chrono::seconds limit) : before_(word::callTimeout()) { word::setCallTimeout(limit); }
    ~CallLimit() { word::setCallTimeout(before_); }
    CallLimit(const CallLimit&) = delete;
    CallLimit& operator=(const CallLimit&) = delete;

private:
    std::chrono::seconds before_;
};

}  // namespace quillmark::testing
