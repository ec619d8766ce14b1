#include "serve/CheckId.h"

#include <array>
#include <cerrno>
#include <cstdint>
#include <stdexcept>
#include <sys/random.h>

namespace quillmark::serve {

std::string newCheckId() {
    std::array<std::uint8_t, 16> bits{};
    std::size_t got = 0;
    while (got < bits.size()) {
        const ssize_t n = getrandom(bits.data() + got, bits.size() - got, 0);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) throw std::runtime_error("no randomness for a check id");
        got += static_cast<std::size_t>(n);
    }
    static constexpr char kHex[] = "0123456789abcdef";
    std::string id;
    for (std::uint8_t b : bits) {
        id += kHex[b >> 4];
        id += kHex[b & 15];
    }
    return id;
}

bool isCheckId(std::string_view text) {
    if (text.size() != 32) return false;
    for (char c : text) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
    }
    return true;
}

}  // namespace quillmark::serve
