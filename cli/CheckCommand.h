#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace quillmark {

struct CheckOptions {
    std::vector<std::string> files;
    std::vector<std::string> templates;
    std::string type;   // "", "bachelor" or "master"
    std::optional<std::string> parts;  // comma-separated; unset: every built part
    bool fix = false;
    std::string report;
    bool comments = false;  // the findings as review comments in the report document
    bool json = false;
    bool verbose = false;
    int openTimeoutSeconds = 120;
    std::optional<int> callTimeoutSeconds;  // unset: the engine layer's own limit
    int jobs = 1;
    // Internal: one of the processes of a batch. It reads file names from
    // standard input (each ended by a NUL) and answers each with a result
    // (cli/BatchResults.h) on standard output, with one engine for all.
    bool batchWorker = false;
};

// Registers "check".
void addCheckCommand(CLI::App& app);

// Checks the files and prints the findings. Returns 0 without findings, 1 with
// findings, 2 on an error (a file that is missing or not a document, a bad
// option, a check that failed).
int runCheck(const CheckOptions& options, std::ostream& out, std::ostream& err);

}  // namespace quillmark
