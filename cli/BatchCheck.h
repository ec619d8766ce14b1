#pragma once

#include "cli/CheckCommand.h"

#include <iosfwd>

namespace quillmark {

// Checks `options.files` with `options.jobs` worker processes side by side,
// each with one engine for all the files it is given in turn. Prints each
// file's findings and messages together, in the order of the files, as soon
// as the files before it are done; on a terminal, a progress line on
// standard error. Returns the exit status of runCheck over all files.
int runBatch(const CheckOptions& options, std::ostream& out, std::ostream& err);

}  // namespace quillmark
