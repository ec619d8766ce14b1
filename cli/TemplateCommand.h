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

struct TemplateDeriveOptions {
    std::string model;
    std::string out;
    std::string type = "bachelor";  // "bachelor" or "master"
    std::string base;               // empty: the built-in template
    int openTimeoutSeconds = 120;
};

// Registers "template show" and "template derive".
void addTemplateCommand(CLI::App& app);

// Loads each file over `target` in order. The first file that cannot be read
// or is no template ends the loads with one line on `errors`: false.
bool loadTemplateFiles(FormatTemplate& target, const std::vector<std::string>& paths, std::ostream& errors);

// Derives a template from a model document and writes it to options.out in
// code page 936; the members whose element was not found are listed on
// `err`, one line each. 0 when the file was written, 2 with one message line
// otherwise.
int runTemplateDerive(const TemplateDeriveOptions& options, std::ostream& err);

// Prints the current template, after the loads, as a template file.
int runTemplateShow(const TemplateShowOptions& options, std::ostream& out, std::ostream& err);

}  // namespace quillmark
