#include "cli/BatchResults.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <unistd.h>

namespace quillmark {

namespace {

constexpr char kHeader[] = "quillmark-result ";

}  // namespace

std::string encodeResult(const FileResult& result) {
    return kHeader + std::to_string(result.status) + ' ' + std::to_string(result.out.size()) + ' ' +
           std::to_string(result.err.size()) + '\n' + result.out + result.err;
}

std::optional<FileResult> takeResult(std::string& buffer, bool& damaged) {
    const std::string header(kHeader);
    const std::size_t shared = std::min(buffer.size(), header.size());
    if (buffer.compare(0, shared, header, 0, shared) != 0) {
        damaged = true;
        return std::nullopt;
    }
    const std::size_t end = buffer.find('\n');
    if (end == std::string::npos) {
        if (buffer.size() > 64) damaged = true;
        return std::nullopt;
    }
    FileResult result;
    unsigned long long outSize = 0, errSize = 0;
    if (std::sscanf(buffer.c_str() + header.size(), "%d %llu %llu", &result.status, &outSize, &errSize) != 3) {
        damaged = true;
        return std::nullopt;
    }
    const std::size_t body = end + 1;
    if (buffer.size() - body < outSize + errSize) return std::nullopt;
    result.out = buffer.substr(body, outSize);
    result.err = buffer.substr(body + outSize, errSize);
    buffer.erase(0, body + outSize + errSize);
    return result;
}

bool writeAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        done += static_cast<std::size_t>(written);
    }
    return true;
}

}  // namespace quillmark
