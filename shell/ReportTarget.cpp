#include "shell/ReportTarget.h"

#include "shell/ShellTexts.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillmark {

namespace fs = std::filesystem;

namespace {

std::string lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

std::string problem(const char* text, const fs::path& target, const std::string& cause = {}) {
    return std::string(text) + "\n" + target.string() + (cause.empty() ? "" : "\n" + cause);
}

// Creates and removes a file of our own in `folder`: the only sure test that
// a file can be created there (permission bits say nothing for root, nor for
// a read-only mount or /proc).
std::optional<std::string> folderCannotTakeFiles(const fs::path& folder) {
    std::string probe = (folder / ".quillmark-probe-XXXXXX").string();
    const int fd = ::mkstemp(probe.data());
    if (fd < 0) return std::string(std::strerror(errno));
    ::close(fd);
    ::unlink(probe.c_str());
    return std::nullopt;
}

}  // namespace

std::optional<ReportFormat> reportFormatOf(const fs::path& target) {
    const std::string extension = lowered(target.extension().string());
    if (extension == ".doc") return ReportFormat::Word97;
    if (extension == ".docx") return ReportFormat::Word2007;
    return std::nullopt;
}

bool sameFile(const fs::path& a, const fs::path& b) {
    struct stat first {}, second {};
    if (::stat(a.c_str(), &first) != 0 || ::stat(b.c_str(), &second) != 0) return false;
    return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

bool namesAThesis(const fs::path& target, const std::vector<fs::path>& theses) {
    fs::path textReport = target;
    textReport += ".txt";
    return std::any_of(theses.begin(), theses.end(), [&](const fs::path& thesis) {
        return !thesis.empty() && (sameFile(target, thesis) || sameFile(textReport, thesis));
    });
}

std::optional<std::string> reportTargetProblem(const fs::path& target, const std::vector<fs::path>& theses) {
    if (!reportFormatOf(target)) return problem(texts::kReportExtension, target);
    if (namesAThesis(target, theses)) return problem(texts::kReportIsThesis, target);
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) return problem(texts::kSaveFailed, target, std::strerror(ENOENT));
    if (auto cause = folderCannotTakeFiles(folder)) return problem(texts::kReportFolderUnwritable, target, *cause);
    if (fs::is_directory(target, ec)) return problem(texts::kSaveFailed, target, std::strerror(EISDIR));
    if (fs::exists(target, ec)) {
        const int fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC);
        if (fd < 0) return problem(texts::kSaveFailed, target, std::strerror(errno));
        ::close(fd);
    }
    return std::nullopt;
}

}  // namespace quillmark
