#pragma once

#include <chrono>
#include <filesystem>
#include <map>
#include <string>
#include <vector>
#include <sys/types.h>

namespace quillmark::testing {

// `quillmark serve` on a free loopback port, with a cache and temporary
// folder of its own (so that what it leaves can be looked for), ended by
// SIGTERM when the object goes.
class ServeProcess {
public:
    // Waits (bounded) until the server says where it listens.
    ServeProcess(const std::vector<std::string>& options, const std::filesystem::path& home);
    ~ServeProcess();
    ServeProcess(const ServeProcess&) = delete;
    ServeProcess& operator=(const ServeProcess&) = delete;

    pid_t pid() const { return pid_; }
    int port() const { return port_; }
    const std::filesystem::path& cacheHome() const { return cache_; }
    const std::filesystem::path& tmpDir() const { return tmp_; }
    // Every file in the working folders of the server and its workers
    // (uploads, templates, reports, working copies): empty when it keeps nothing.
    std::vector<std::string> keptFiles() const;
    // Sends the signal and waits (bounded) for the end; the exit status,
    // 128 + signal when the signal ended it.
    int stop(int signal);
    std::string errorOutput() const;

private:
    pid_t pid_ = -1;
    int port_ = 0;
    std::filesystem::path cache_, tmp_, log_;
};

// Waits for `condition` at most `bound`, checking every 50 ms; whether it held.
template <class Condition>
bool waitFor(Condition condition, std::chrono::seconds bound) {
    const auto deadline = std::chrono::steady_clock::now() + bound;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        struct timespec pause{0, 50'000'000};
        nanosleep(&pause, nullptr);
    }
    return true;
}

}  // namespace quillmark::testing
