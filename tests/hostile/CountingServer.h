#pragma once

#include <atomic>
#include <string>
#include <thread>

namespace quillmark::testing {

// A web server on 127.0.0.1 that answers every request with 404 and counts
// the connections made to it: a document that makes the engine fetch
// anything from it has leaked that it was opened.
class CountingServer {
public:
    CountingServer();
    ~CountingServer();
    std::string url() const { return "http://127.0.0.1:" + std::to_string(port_); }
    int requests() const { return requests_; }

private:
    void serve();
    int socket_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::atomic<int> requests_{0};
    std::thread thread_;
};

}  // namespace quillmark::testing
