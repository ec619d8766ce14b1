#include "serve/ServeCommand.h"

#include "cli/Interruption.h"
#include "cli/TemplateCommand.h"
#include "serve/CheckService.h"
#include "serve/HttpApi.h"
#include "shell/WorkingFolder.h"
#include "template/FormatTemplate.h"

#include <CLI/CLI.hpp>
#include <httplib.h>

#include <csignal>
#include <filesystem>
#include <iostream>
#include <sstream>

namespace quillmark::serve {

namespace {

constexpr int kError = 2;

struct ListenAddress {
    std::string host;
    int port = 0;
};

// "HOST:PORT", with an IPv6 host in brackets ("[::1]:8080").
std::optional<ListenAddress> parseListen(const std::string& text) {
    const std::size_t colon = text.rfind(':');
    if (colon == std::string::npos || colon == 0) return std::nullopt;
    ListenAddress address{text.substr(0, colon), 0};
    const std::string port = text.substr(colon + 1);
    if (port.empty() || port.size() > 5 || port.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
    address.port = std::stoi(port);
    if (address.port > 65535) return std::nullopt;
    if (address.host.front() == '[') {
        if (address.host.back() != ']') return std::nullopt;
        address.host = address.host.substr(1, address.host.size() - 2);
    } else if (address.host.find(':') != std::string::npos) {
        return std::nullopt;
    }
    return address;
}

bool readTemplates(const std::vector<std::string>& given, ApiSettings& api, std::ostream& err) {
    for (const std::string& entry : given) {
        const std::size_t equals = entry.find('=');
        if (equals == std::string::npos || equals == 0 || equals + 1 == entry.size()) {
            err << "quillmark: --template takes NAME=FILE.ini, not \"" << entry << "\"\n";
            return false;
        }
        const std::string name = entry.substr(0, equals);
        const std::string file = std::filesystem::absolute(entry.substr(equals + 1)).string();
        std::error_code error;
        if (!std::filesystem::is_regular_file(file, error)) {
            err << "quillmark: template file not found: " << file << '\n';
            return false;
        }
        if (api.templates.contains(name)) {
            err << "quillmark: two templates named \"" << name << "\"\n";
            return false;
        }
        FormatTemplate loaded;
        if (!loadTemplateFiles(loaded, {file}, err)) return false;
        api.templates[name] = file;
        api.templateTypes[name] = loaded.thesisType == kMasterThesis ? "master" : "bachelor";
    }
    return true;
}

}  // namespace

int runServe(const ServeOptions& options, std::ostream& out, std::ostream& err) {
    const std::optional<ListenAddress> address = parseListen(options.listen);
    if (!address) {
        err << "quillmark: --listen takes HOST:PORT (e.g. 127.0.0.1:8080 or [::1]:8080)\n";
        return kError;
    }
    if (options.jobs < 1 || options.queue < 1 || options.maxUploadMb < 1 || options.keepMinutes <= 0 ||
        options.openTimeoutSeconds < 1) {
        err << "quillmark: --jobs, --queue, --max-upload-mb, --keep-minutes and --open-timeout must be positive\n";
        return kError;
    }
    ApiSettings api;
    api.maxDocumentBytes = static_cast<std::size_t>(options.maxUploadMb) << 20;
    if (!readTemplates(options.templates, api, err)) return kError;

    ServiceSettings settings;
    settings.jobs = options.jobs;
    settings.queueBound = static_cast<std::size_t>(options.queue);
    settings.keep = std::chrono::milliseconds(static_cast<long long>(options.keepMinutes * 60'000));
    settings.workerOptions = {"--json", "--open-timeout", std::to_string(options.openTimeoutSeconds)};
    // Inside this process's working folder: removed at the end, also an
    // interrupted one; nothing outlives the service.
    settings.storage = workingFolder() / "checks";
    // A worker that died takes its pipe's reader with it; the service goes on
    // (the workers get the default back when they start).
    ::signal(SIGPIPE, SIG_IGN);
    CheckService checks(settings);
    setInterruptionHook([&checks](int signal) { checks.interrupt(signal); });

    httplib::Server server;
    installApi(server, checks, api);
    const int port = address->port == 0 ? server.bind_to_any_port(address->host)
                                        : (server.bind_to_port(address->host, address->port) ? address->port : -1);
    if (port < 0) {
        err << "quillmark: cannot listen on " << options.listen << '\n';
        setInterruptionHook({});
        return kError;
    }
    const bool v6 = address->host.find(':') != std::string::npos;
    out << "quillmark serve: http://" << (v6 ? "[" + address->host + "]" : address->host) << ':' << port << "/ ("
        << options.jobs << " workers)" << std::endl;
    server.listen_after_bind();
    setInterruptionHook({});
    return 0;
}

void addServeCommand(CLI::App& app) {
    auto options = std::make_shared<ServeOptions>();
    CLI::App* serve = app.add_subcommand("serve", "Serve an upload page and an HTTP API for checks");
    serve->add_option("--listen", options->listen, "Address to listen on, HOST:PORT (default 127.0.0.1:8080)");
    serve->add_option("--jobs", options->jobs, "Worker processes, each with an engine of its own (default 2)");
    serve->add_option("--queue", options->queue, "Uploads that may wait for a worker (default 32)");
    serve->add_option("--template", options->templates, "A template the page offers, NAME=T.ini (repeatable)");
    serve->add_option("--max-upload-mb", options->maxUploadMb, "Largest thesis accepted, in MB (default 50)");
    serve->add_option("--keep-minutes", options->keepMinutes,
                      "Minutes a result and its files are kept after the check (default 60)");
    serve->add_option("--open-timeout", options->openTimeoutSeconds,
                      "Seconds a document may take to open before it is refused (default 120)");
    serve->callback([options] {
        const int exitCode = runServe(*options, std::cout, std::cerr);
        if (exitCode != 0) throw CLI::RuntimeError(exitCode);
    });
}

}  // namespace quillmark::serve
