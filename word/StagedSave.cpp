#include "StagedSave.h"

#include "WordError.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace word {

namespace fs = std::filesystem;

namespace {

WordError saveFailed(const fs::path& target, int error) {
    return WordError(errors::SaveFailed, "无法保存文档 " + target.string() + ": " + std::strerror(error));
}

// The mode a file created by this process gets (mkstemp makes 0600).
mode_t newFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Copies `from` into a new file beside `target`; returns its path.
fs::path copyBeside(const fs::path& from, const fs::path& target) {
    std::string part = (target.parent_path() / (".quillmark-part-XXXXXX")).string();
    const int out = ::mkstemp(part.data());
    if (out < 0) throw saveFailed(target, errno);
    const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    int error = in < 0 ? errno : 0;
    char buffer[1 << 16];
    while (!error) {
        const ssize_t n = ::read(in, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n < 0) error = errno;
            break;
        }
        for (ssize_t done = 0; done < n && !error;) {
            const ssize_t w = ::write(out, buffer + done, static_cast<size_t>(n - done));
            if (w < 0 && errno != EINTR) error = errno;
            if (w > 0) done += w;
        }
    }
    if (in >= 0) ::close(in);
    if (!error && ::fsync(out) != 0) error = errno;
    if (::close(out) != 0 && !error) error = errno;
    if (!error && ::chmod(part.c_str(), newFileMode()) != 0) error = errno;
    if (error) {
        ::unlink(part.c_str());
        throw saveFailed(target, error);
    }
    return part;
}

}  // namespace

fs::path stagingPath(const fs::path& folder, const fs::path& target) {
    static std::atomic<unsigned> counter{0};
    return folder / ("saved-" + std::to_string(::getpid()) + "-" + std::to_string(++counter) +
                     target.extension().string());
}

void putInPlace(const fs::path& staged, const fs::path& target) {
    if (::rename(staged.c_str(), target.c_str()) == 0) return;
    if (errno != EXDEV) {
        const int error = errno;
        ::unlink(staged.c_str());
        throw saveFailed(target, error);
    }
    fs::path part;
    try {
        part = copyBeside(staged, target);
    } catch (...) {
        ::unlink(staged.c_str());
        throw;
    }
    ::unlink(staged.c_str());
    if (::rename(part.c_str(), target.c_str()) != 0) {
        const int error = errno;
        ::unlink(part.c_str());
        throw saveFailed(target, error);
    }
}

}  // namespace word
