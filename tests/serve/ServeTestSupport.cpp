#include "ServeTestSupport.h"

#include "support/Files.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <stdexcept>

namespace quillmark::testing {

httplib::Client clientOf(const ServeProcess& server) {
    httplib::Client client("127.0.0.1", server.port());
    client.set_connection_timeout(std::chrono::seconds(5));
    client.set_read_timeout(std::chrono::seconds(60));
    client.set_write_timeout(std::chrono::seconds(60));
    return client;
}

httplib::Result post(httplib::Client& client, const Upload& upload) {
    httplib::MultipartFormDataItems items = upload.fields;
    const std::string name = upload.name.empty() ? std::filesystem::path(upload.path).filename().string() : upload.name;
    items.push_back({"file", readBytes(upload.path), name, "application/msword"});
    return client.Post("/api/checks", items);
}

json waitForEnd(httplib::Client& client, const std::string& id) {
    json last;
    waitFor(
        [&] {
            const auto r = client.Get("/api/checks/" + id);
            if (!r || r->status != 200) return false;
            last = json::parse(r->body);
            return last["status"] == "done" || last["status"] == "failed";
        },
        std::chrono::seconds(600));
    return last;
}

json commandLineFindings(const std::string& file, const std::string& options) {
    const std::string command = std::string(QUILLMARK_BINARY) + " check --json '" + file + "' " + options + " 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) throw std::runtime_error("cannot run " + command);
    std::string out;
    std::array<char, 4096> buffer{};
    for (std::size_t got; (got = fread(buffer.data(), 1, buffer.size(), pipe)) > 0;) out.append(buffer.data(), got);
    pclose(pipe);
    return withoutFileNames(json::parse(out));
}

json withoutFileNames(json findings) {
    for (json& f : findings) f.erase("file");
    return findings;
}

std::string sampleThesis() { return std::string(QUILLMARK_SOURCE_DIR) + "/samples/bachelor-thesis.doc"; }

}  // namespace quillmark::testing
