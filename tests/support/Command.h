#pragma once

#include <string>

namespace quillmark::testing {

struct CommandResult {
    int status = -1;  // the exit status; -1 when the command did not exit by itself
    std::string out;  // everything it wrote to standard output
};

// Runs `commandLine` through the shell and waits for its end.
CommandResult runCommand(const std::string& commandLine);

}  // namespace quillmark::testing
