#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace quillmark::serve {

struct ServeOptions {
    std::string listen = "127.0.0.1:8080";
    int jobs = 2;
    int queue = 32;
    std::vector<std::string> templates;  // NAME=T.ini
    int maxUploadMb = 50;
    double keepMinutes = 60;
    int openTimeoutSeconds = 120;
};

// Registers "serve".
void addServeCommand(CLI::App& app);

// Serves the page and the API until SIGTERM or SIGINT; prints the address
// it listens on. Returns 2 when it cannot start (a bad option, a template
// that cannot be read, an address that cannot be bound).
int runServe(const ServeOptions& options, std::ostream& out, std::ostream& err);

}  // namespace quillmark::serve
