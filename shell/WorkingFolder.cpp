#include "shell/WorkingFolder.h"

#include "word/ProcessTag.h"

#include <cstdlib>
#include <pwd.h>
#include <system_error>
#include <unistd.h>

namespace quillmark {

namespace fs = std::filesystem;

namespace {

bool usableFolder(const fs::path& dir) {
    if (dir.empty()) return false;
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (!fs::is_directory(dir, ec)) return false;
    return ::access(dir.c_str(), W_OK | X_OK) == 0;
}

}  // namespace

fs::path programDirectory() {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec) return fs::current_path(ec);
    return exe.parent_path();
}

fs::path userCacheDirectory() {
    if (const char* xdg = std::getenv("XDG_CACHE_HOME"); xdg != nullptr && xdg[0] == '/') {
        return fs::path(xdg);
    }
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] == '\0') {
        if (const passwd* pw = ::getpwuid(::getuid()); pw != nullptr) home = pw->pw_dir;
    }
    if (home == nullptr || home[0] == '\0') return fs::temp_directory_path() / ".cache";
    return fs::path(home) / ".cache";
}

fs::path chooseWorkingFolder(const fs::path& programDir, const fs::path& cacheDir) {
    fs::path beside = programDir / kWorkingFolderName;
    if (!programDir.empty() && usableFolder(beside)) return beside;
    fs::path cached = cacheDir / "quillmark" / kWorkingFolderName;
    usableFolder(cached);
    return cached;
}

fs::path processWorkingFolder(const fs::path& parent) {
    std::error_code ec;
    fs::create_directories(parent, ec);
    word::removeLeftoversOfDeadProcesses(parent, "");
    const fs::path own = parent / word::processTag();
    fs::create_directory(own, ec);
    fs::permissions(own, fs::perms::owner_all, fs::perm_options::replace, ec);
    return own;
}

fs::path workingFolder() {
    static const fs::path folder = processWorkingFolder(userCacheDirectory() / "quillmark" / kWorkingFolderName);
    return folder;
}

void removeWorkingFolder() {
    std::error_code ignored;
    fs::remove_all(workingFolder(), ignored);
}

}  // namespace quillmark
