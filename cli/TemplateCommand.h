#pragma once

#include "template/FormatTemplate.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace quillmark {

enum class OutputEncoding { Utf8, Gbk };

struct TemplateShowOptions {
    std::vector<std::string> loadPaths;
    OutputEncoding encoding = OutputEncoding::Utf8;
};

// Registers "template show".
void addTemplateCommand(CLI::App& app);

// Loads each file over `target` in order. A file that cannot be read still
// loads (every key absent) and earns a one-line warning.
void loadTemplateFiles(FormatTemplate& target, const std::vector<std::string>& paths, std::ostream& warnings);

// Prints the current template, after the loads, as a template file.
int runTemplateShow(const TemplateShowOptions& options, std::ostream& out, std::ostream& err);

}  // namespace quillmark
