#include "CountingServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace quillmark::testing {

CountingServer::CountingServer() {
    socket_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    ::bind(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::listen(socket_, 16);
    socklen_t length = sizeof address;
    ::getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { serve(); });
}

CountingServer::~CountingServer() {
    stop_ = true;
    thread_.join();
    ::close(socket_);
}

void CountingServer::serve() {
    while (!stop_) {
        pollfd listening{socket_, POLLIN, 0};
        if (::poll(&listening, 1, 100) <= 0) continue;
        const int client = ::accept4(socket_, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0) continue;
        ++requests_;
        char request[4096];
        pollfd readable{client, POLLIN, 0};
        if (::poll(&readable, 1, 1000) > 0) (void)::read(client, request, sizeof request);
        static constexpr char kAnswer[] = "HTTP/1.0 404 Not Found\r\nContent-Length: 0\r\n\r\n";
        (void)::write(client, kAnswer, sizeof kAnswer - 1);
        ::close(client);
    }
}

}  // namespace quillmark::testing
