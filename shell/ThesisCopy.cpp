#include "shell/ThesisCopy.h"

#include "shell/ShellTexts.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillmark {

namespace fs = std::filesystem;

namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }
    int release() {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }

private:
    int fd_;
};

// Writes all of `count` bytes; false with errno set otherwise.
bool writeAll(int fd, const char* data, ssize_t count) {
    while (count > 0) {
        const ssize_t written = ::write(fd, data, static_cast<size_t>(count));
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            if (written == 0) errno = ENOSPC;
            return false;
        }
        data += written;
        count -= written;
    }
    return true;
}

std::string copyOpenFiles(int in, int out) {
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = ::read(in, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return "读取论文时出错：" + copyFailureReason(errno);
        if (got == 0) return {};
        if (!writeAll(out, buffer, got)) return copyFailureReason(errno);
    }
}

}  // namespace

std::string copyFailureReason(int error) {
    switch (error) {
        case ENOENT: return "文件不存在";
        case EACCES:
        case EPERM: return "没有权限";
        case EISDIR: return "这是一个文件夹，不是文档";
        case ENOSPC:
        case EDQUOT:
        case EFBIG: return "工作文件夹所在的磁盘没有足够的空间";
        case EROFS: return "工作文件夹所在的磁盘是只读的";
        case EIO: return "磁盘读写出错";
        case ELOOP: return "符号链接循环";
        case ENAMETOOLONG: return "文件名太长";
        case EMFILE:
        case ENFILE: return "打开的文件太多";
        default: return std::strerror(error);
    }
}

std::string workingFolderFailureReason(int error) {
    const std::string reason = copyFailureReason(error);
    return reason.find("工作文件夹") == std::string::npos ? "工作文件夹：" + reason : reason;
}

std::string copyFailedText(const fs::path& source, const std::string& reason) {
    return std::string(texts::kCopyFailed) + source.string() + "（" + reason + "）";
}

std::string copyThesis(const fs::path& source, const fs::path& target) {
    // O_NONBLOCK: a pipe or a device named like a thesis must not hold us.
    FileDescriptor in(::open(source.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (in.get() < 0) return copyFailureReason(errno);
    struct stat status {};
    if (::fstat(in.get(), &status) != 0) return copyFailureReason(errno);
    if (S_ISDIR(status.st_mode)) return copyFailureReason(EISDIR);
    if (!S_ISREG(status.st_mode)) return "不是普通文件（设备、管道或套接字）";
    FileDescriptor out(::open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600));
    if (out.get() < 0) return workingFolderFailureReason(errno);
    std::string failure = copyOpenFiles(in.get(), out.get());
    if (failure.empty() && ::close(out.release()) != 0) failure = copyFailureReason(errno);
    if (!failure.empty()) {
        std::error_code ignored;
        fs::remove(target, ignored);
    }
    return failure;
}

}  // namespace quillmark
