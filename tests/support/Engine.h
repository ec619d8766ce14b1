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

}  // namespace quillmark::testing
