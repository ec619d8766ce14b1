#include "cli/TemplateCommand.h"

#include "derive/ModelDerivation.h"
#include "shell/RunLock.h"
#include "template/Codepage936.h"
#include "word/Application.h"
#include "template/TemplateLoader.h"
#include "template/TemplateWriter.h"

#include <CLI/CLI.hpp>

#include <chrono>
#include <fstream>
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

void addDeriveCommand(CLI::App& templateCommand) {
    auto options = std::make_shared<TemplateDeriveOptions>();
    CLI::App* derive = templateCommand.add_subcommand(
        "derive", "Read a format template out of the university's model document (.doc or .docx)");
    derive->add_option("MODEL", options->model, "The model document")->required();
    derive->add_option("--out", options->out, "Template file to write (code page 936)")->required()->type_name("FILE");
    derive->add_option("--type", options->type, "Kind of thesis: bachelor (default) or master")
        ->type_name("bachelor|master")
        ->check(CLI::IsMember({"bachelor", "master"}).description(""));
    derive->add_option("--base", options->base,
                       "Template whose values the members not found keep (default: the built-in template)")
        ->type_name("FILE");
    derive->add_option("--open-timeout", options->openTimeoutSeconds,
                       "Seconds the model may take to open before it is refused (default 120)");
    derive->callback([options] {
        const int exitCode = runTemplateDerive(*options, std::cerr);
        if (exitCode != 0) throw CLI::RuntimeError(exitCode);
    });
}

bool writeTemplateFile(const std::string& path, const FormatTemplate& tmpl) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << utf8ToGbk(formatTemplateFile(tmpl));
    file.close();
    return !file.fail();
}

}  // namespace

void addTemplateCommand(CLI::App& app) {
    CLI::App* templateCommand = app.add_subcommand("template", "Work with format templates");
    templateCommand->require_subcommand(1);
    addShowCommand(*templateCommand);
    addDeriveCommand(*templateCommand);
}

int runTemplateDerive(const TemplateDeriveOptions& options, std::ostream& err) {
    constexpr int kFailed = 2;
    if (options.openTimeoutSeconds < 1) {
        err << "quillmark: --open-timeout must be at least 1 second\n";
        return kFailed;
    }
    DerivationRequest request;
    request.thesisType = options.type == "master" ? kMasterThesis : kBachelorThesis;
    if (!options.base.empty()) {
        if (!loadTemplateFiles(request.base, {options.base}, err)) return kFailed;
        request.baseName = options.base;
    }
    word::setOpenTimeout(std::chrono::seconds(options.openTimeoutSeconds));
    RunLock runLock;
    const ModelDerivation outcome = deriveTemplateFromModel(options.model, request, runLock);
    if (!outcome.derived) {
        err << "quillmark: " << outcome.error << '\n';
        return kFailed;
    }
    if (!writeTemplateFile(options.out, outcome.derived->formatTemplate)) {
        err << "quillmark: 无法写入模板文件“" << options.out << "”\n";
        return kFailed;
    }
    for (const std::string& line : outcome.derived->notFound) err << line << '\n';
    return 0;
}

bool loadTemplateFiles(FormatTemplate& target, const std::vector<std::string>& paths, std::ostream& errors) {
    for (const std::string& path : paths) {
        const TemplateLoad result = loadTemplateFile(target, path);
        if (result != TemplateLoad::Loaded) {
            errors << "quillmark: " << templateRefusal(result, path) << '\n';
            return false;
        }
    }
    return true;
}

int runTemplateShow(const TemplateShowOptions& options, std::ostream& out, std::ostream& err) {
    FormatTemplate& tmpl = currentTemplate();
    if (!loadTemplateFiles(tmpl, options.loadPaths, err)) return 2;
    const std::string text = formatTemplateFile(tmpl);
    out << (options.encoding == OutputEncoding::Gbk ? utf8ToGbk(text) : text);
    out.flush();
    return out ? 0 : 1;
}

}  // namespace quillmark
