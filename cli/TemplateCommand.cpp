#include "cli/TemplateCommand.h"

#include "template/Codepage936.h"
#include "template/ProfileReader.h"
#include "template/TemplateWriter.h"

#include <CLI/CLI.hpp>

#include <iostream>
#include <map>
#include <memory>
#include <ostream>

namespace quillmark {

namespace {

const std::map<std::string, OutputEncoding>& encodingNames() {
    static const std::map<std::string, OutputEncoding> names{
        {"utf-8", OutputEncoding::Utf8},
        {"gbk", OutputEncoding::Gbk},
    };
    return names;
}

std::string asciiLowercase(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

void addShowCommand(CLI::App& templateCommand) {
    auto options = std::make_shared<TemplateShowOptions>();
    auto encodingName = std::make_shared<std::string>("utf-8");
    CLI::App* show = templateCommand.add_subcommand(
        "show", "Print the effective format template as a template file");
    show->add_option("--load", options->loadPaths,
                     "Load a template file over the built-in defaults; repeat to load several, in order")
        ->type_name("FILE")
        ->expected(1)
        ->allow_extra_args(false)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    show->add_option("--encoding", *encodingName, "Output encoding: utf-8 (default) or gbk (code page 936)")
        ->type_name("utf-8|gbk")
        ->check(CLI::IsMember({"utf-8", "gbk"}, CLI::ignore_case).description(""));
    show->callback([options, encodingName] {
        options->encoding = encodingNames().at(asciiLowercase(*encodingName));
        const int exitCode = runTemplateShow(*options, std::cout, std::cerr);
        if (exitCode != 0) throw CLI::RuntimeError(exitCode);
    });
}

}  // namespace

void addTemplateCommand(CLI::App& app) {
    CLI::App* templateCommand = app.add_subcommand("template", "Work with format templates");
    templateCommand->require_subcommand(1);
    addShowCommand(*templateCommand);
}

void loadTemplateFiles(FormatTemplate& target, const std::vector<std::string>& paths, std::ostream& warnings) {
    for (const std::string& path : paths) {
        if (!readProfileFileBytes(path)) {
            warnings << "quillmark: warning: cannot read template file \"" << path
                     << "\"; loading it as a file without keys\n";
        }
        target.loadFromFile(path);
    }
}

int runTemplateShow(const TemplateShowOptions& options, std::ostream& out, std::ostream& err) {
    FormatTemplate& tmpl = currentTemplate();
    loadTemplateFiles(tmpl, options.loadPaths, err);
    const std::string text = formatTemplateFile(tmpl);
    out << (options.encoding == OutputEncoding::Gbk ? utf8ToGbk(text) : text);
    out.flush();
    return out ? 0 : 1;
}

}  // namespace quillmark
