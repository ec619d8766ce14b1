#include "cli/CheckCommand.h"
#include "cli/InspectCommand.h"
#include "cli/Interruption.h"
#include "cli/TemplateCommand.h"
#include "serve/ServeCommand.h"
#include "shell/WorkingFolder.h"
#include "word/Engine.h"

#include <CLI/CLI.hpp>

#include <exception>
#include <iostream>

namespace {

constexpr int kUsageExitCode = 2;

bool isUsageError(const CLI::ParseError& error) {
    // Help and version requests are "errors" that succeed; RuntimeError
    // carries a command's own exit code.
    return dynamic_cast<const CLI::Success*>(&error) == nullptr &&
           dynamic_cast<const CLI::RuntimeError*>(&error) == nullptr;
}

// "quillmark frob": the word is named and the commands listed, where the
// parser would only say that a command is required.
bool refusedUnknownCommand(const CLI::App& app, int argc, char** argv) {
    if (argc < 2 || argv[1][0] == '-') return false;
    const std::string word = argv[1];
    std::string names;
    for (const CLI::App* command : app.get_subcommands({})) {
        if (command->check_name(word)) return false;
        names += (names.empty() ? "" : ", ") + command->get_name();
    }
    std::cerr << "quillmark: unknown command \"" << word << "\"; the commands are: " << names << '\n';
    return true;
}

int run(CLI::App& app, int argc, char** argv) {
    if (refusedUnknownCommand(app, argc, argv)) return kUsageExitCode;
    try {
        app.parse(argc, argv);
        return 0;
    } catch (const CLI::ParseError& error) {
        const int exitCode = app.exit(error);
        return isUsageError(error) ? kUsageExitCode : exitCode;
    } catch (const std::exception& error) {
        std::cerr << "quillmark: " << error.what() << '\n';
        return 1;
    } catch (...) {
        // An engine exception that escaped translation: still one clear line,
        // and the exit handlers end the engine and remove the working copies.
        std::cerr << "quillmark: 文档引擎出错，检测没有完成\n";
        return 2;
    }
}

}  // namespace

int main(int argc, char** argv) {
    quillmark::handleInterruptions();
    CLI::App app{"Checks the format of Chinese university theses", "quillmark"};
    app.set_version_flag("--version", "quillmark " QUILLMARK_VERSION);
    app.require_subcommand(1);
    app.failure_message(CLI::FailureMessage::help);

    quillmark::addTemplateCommand(app);
    quillmark::addInspectCommand(app);
    quillmark::addCheckCommand(app);
    quillmark::serve::addServeCommand(app);

    const int exitCode = run(app, argc, argv);
    quillmark::waitIfInterrupted();
    // End the engine while the runtime that talks to it is still whole; a
    // program that ends has nothing to keep in it.
    word::Engine::instance().endAtOnce();
    quillmark::removeWorkingFolder();
    return exitCode;
}
