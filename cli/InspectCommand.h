#pragma once

#include <iosfwd>
#include <string>

namespace CLI {
class App;
}

namespace quillmark {

struct InspectOptions {
    std::string file;
    bool json = false;
    int openTimeoutSeconds = 120;
    bool runs = false;  // also every character run of each paragraph
};

// Registers "inspect": what the engine reads of a document, paragraph by paragraph.
void addInspectCommand(CLI::App& app);

// Returns the exit status: 0, or 2 when the file cannot be opened as a document.
int runInspect(const InspectOptions& options, std::ostream& out, std::ostream& err);

}  // namespace quillmark
