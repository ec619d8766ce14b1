#include "ProcessTag.h"

#include <cctype>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace word {

namespace fs = std::filesystem;

namespace {

// Field 22 of /proc/<pid>/stat: the start time in clock ticks since boot.
std::string startTimeOf(const std::string& pid) {
    std::ifstream in("/proc/" + pid + "/stat");
    std::string line;
    if (!std::getline(in, line)) return {};
    const auto close = line.rfind(')');  // the command name may hold blanks
    if (close == std::string::npos) return {};
    std::istringstream fields(line.substr(close + 2));
    std::string field;
    for (int i = 3; i <= 22 && fields >> field; ++i) {
        if (i == 22) return field;
    }
    return {};
}

// The tag at the start of `rest`: digits, a dot, digits.
std::string_view leadingTag(std::string_view rest) {
    std::size_t at = 0;
    int dots = 0;
    while (at < rest.size() && (std::isdigit(static_cast<unsigned char>(rest[at])) || (rest[at] == '.' && dots++ == 0))) {
        ++at;
    }
    std::string_view tag = rest.substr(0, at);
    if (dots != 1 || tag.front() == '.' || tag.back() == '.') return {};
    return tag;
}

}  // namespace

const std::string& processTag() {
    static const std::string tag = [] {
        const std::string pid = std::to_string(getpid());
        return pid + "." + startTimeOf(pid);
    }();
    return tag;
}

bool processTagAlive(std::string_view tag) {
    const auto dot = tag.find('.');
    if (dot == std::string_view::npos) return false;
    const std::string pid(tag.substr(0, dot));
    const std::string started = startTimeOf(pid);
    return !started.empty() && started == tag.substr(dot + 1);
}

namespace {

bool removeEntry(const fs::path& path, const RemoveEntry& remove) {
    if (remove) {
        remove(path);
        return !fs::exists(path);
    }
    std::error_code ignored;
    return fs::remove_all(path, ignored) > 0;
}

}  // namespace

int removeLeftoversOfDeadProcesses(const fs::path& folder, std::string_view prefix, const RemoveEntry& remove) {
    int removed = 0;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.compare(0, prefix.size(), prefix) != 0) continue;
        const std::string_view tag = leadingTag(std::string_view(name).substr(prefix.size()));
        if (tag.empty() || processTagAlive(tag)) continue;
        if (removeEntry(it->path(), remove)) ++removed;
    }
    return removed;
}

void removeLeftoversOf(const fs::path& folder, std::string_view prefix, std::string_view tag, const RemoveEntry& remove) {
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.compare(0, prefix.size(), prefix) != 0) continue;
        if (leadingTag(std::string_view(name).substr(prefix.size())) != tag) continue;
        removeEntry(it->path(), remove);
    }
}

}  // namespace word
