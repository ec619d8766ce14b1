#pragma once

#include "word/msword.h"

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

}  // namespace quillmark::testing
