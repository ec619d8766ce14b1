#include "template/Codepage936.h"

#include "template/Utf8.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <stdexcept>

namespace quillmark {

namespace {

// glibc's CP936 matches the Windows code page, including 0x80 for the euro sign.
constexpr const char* kGbkName = "CP936";
constexpr const char* kUtf8Name = "UTF-8";

class IconvHandle {
public:
    IconvHandle(const char* to, const char* from) : handle_(iconv_open(to, from)) {
        if (handle_ == invalidHandle()) {
            throw std::runtime_error(std::string("no iconv converter from ") + from + " to " + to);
        }
    }
    ~IconvHandle() { iconv_close(handle_); }
    IconvHandle(const IconvHandle&) = delete;
    IconvHandle& operator=(const IconvHandle&) = delete;

    iconv_t get() const { return handle_; }

private:
    static iconv_t invalidHandle() { return reinterpret_cast<iconv_t>(-1); }
    iconv_t handle_;
};

// iconv descriptors carry conversion state, so each thread keeps its own.
iconv_t gbkEncoder() {
    thread_local IconvHandle handle(kGbkName, kUtf8Name);
    return handle.get();
}

iconv_t gbkDecoder() {
    thread_local IconvHandle handle(kUtf8Name, kGbkName);
    return handle.get();
}

// What to do where iconv stops at input it cannot convert.
struct ReplacementPolicy {
    std::string_view replacement;
    std::size_t (*skipLength)(std::string_view rest);
};

std::size_t skipOneByte(std::string_view) { return 1; }
std::size_t skipOneUtf8Char(std::string_view rest) { return decodeUtf8At(rest, 0).length; }

constexpr std::string_view kUtf8ReplacementBytes = "\xEF\xBF\xBD";

std::string convert(iconv_t converter, std::string_view input, const ReplacementPolicy& policy) {
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    std::string out;
    out.reserve(input.size() * 3 / 2 + 4);
    std::array<char, 4096> buffer;

    auto* inPtr = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    while (true) {
        char* outPtr = buffer.data();
        std::size_t outLeft = buffer.size();
        const std::size_t result = iconv(converter, inLeft > 0 ? &inPtr : nullptr, &inLeft, &outPtr, &outLeft);
        const int error = errno;
        out.append(buffer.data(), outPtr);
        if (result != static_cast<std::size_t>(-1)) {
            if (inLeft == 0) break;
            continue;
        }
        if (error == E2BIG) continue;
        // EILSEQ, EINVAL (truncated sequence at the end) or anything else:
        // replace the offending input and carry on, so the loop always advances.
        const std::size_t skip = std::min(inLeft, policy.skipLength(std::string_view(inPtr, inLeft)));
        out.append(policy.replacement);
        inPtr += skip;
        inLeft -= skip;
        if (inLeft == 0) break;
    }
    return out;
}

std::size_t gbkCharLength(std::string_view utf8Char) {
    if (utf8Char.size() == 1) return 1;
    return utf8ToGbk(utf8Char).size();
}

}  // namespace

std::string gbkToUtf8(std::string_view gbk) {
    return convert(gbkDecoder(), gbk, {kUtf8ReplacementBytes, &skipOneByte});
}

std::string utf8ToGbk(std::string_view utf8) {
    return convert(gbkEncoder(), utf8, {"?", &skipOneUtf8Char});
}

std::size_t gbkByteLength(std::string_view utf8) { return utf8ToGbk(utf8).size(); }

std::string cutGbkBytes(std::string_view utf8, std::size_t maxBytes) {
    std::string out;
    std::size_t usedBytes = 0;
    for (std::size_t pos = 0; pos < utf8.size();) {
        const Utf8Char ch = decodeUtf8At(utf8, pos);
        const std::string_view bytes = ch.valid ? utf8.substr(pos, ch.length) : kUtf8ReplacementBytes;
        const std::size_t length = ch.valid ? gbkCharLength(bytes) : 1;
        if (usedBytes + length > maxBytes) break;
        out.append(bytes);
        usedBytes += length;
        pos += ch.length;
    }
    return out;
}

}  // namespace quillmark
