#include "ProgramRun.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <set>
#include <sstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace quillmark::testing {

namespace fs = std::filesystem;

namespace {

// Reads a file of /proc with plain reads: a process that ends while its
// files are read makes the read fail (ESRCH), which a stream reports by
// throwing; here it is only the end of what there is.
std::string readFile(const fs::path& path) {
    std::string bytes;
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return bytes;
    char buffer[4096];
    for (ssize_t got; (got = read(fd, buffer, sizeof buffer)) > 0;) bytes.append(buffer, static_cast<std::size_t>(got));
    close(fd);
    return bytes;
}

void readSome(int& fd, std::string& into) {
    char buffer[8192];
    const ssize_t got = read(fd, buffer, sizeof buffer);
    if (got > 0) {
        into.append(buffer, static_cast<size_t>(got));
    } else if (got == 0 || errno != EINTR) {
        close(fd);
        fd = -1;
    }
}

double seconds(const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6; }

}  // namespace

ProgramRun runProgram(const std::vector<std::string>& arguments, const RunSettings& settings) {
    int outPipe[2], errPipe[2];
    ProgramRun run;
    if (pipe(outPipe) != 0 || pipe(errPipe) != 0) return run;
    const auto start = std::chrono::steady_clock::now();
    run.pid = fork();
    if (run.pid == 0) {
        dup2(outPipe[1], STDOUT_FILENO);
        dup2(errPipe[1], STDERR_FILENO);
        close(outPipe[0]);
        close(errPipe[0]);
        for (const auto& [name, value] : settings.environment) setenv(name.c_str(), value.c_str(), 1);
        if (settings.fileSizeLimit > 0) {
            signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{settings.fileSizeLimit, settings.fileSizeLimit};
            setrlimit(RLIMIT_FSIZE, &limit);
        }
        std::vector<char*> argv;
        for (const auto& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(outPipe[1]);
    close(errPipe[1]);
    int outFd = outPipe[0], errFd = errPipe[0];
    int status = 0;
    rusage usage{};
    bool ended = false;
    while (!ended) {
        pollfd fds[2] = {{outFd, POLLIN, 0}, {errFd, POLLIN, 0}};
        poll(fds, 2, 50);
        if (outFd >= 0 && fds[0].revents) readSome(outFd, run.out);
        if (errFd >= 0 && fds[1].revents) readSome(errFd, run.err);
        const auto elapsed =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
        if (wait4(run.pid, &status, WNOHANG, &usage) == run.pid) {
            ended = true;
            break;
        }
        if (elapsed > settings.bound) {
            run.timedOut = true;
            kill(run.pid, SIGKILL);
        } else if (settings.whileRunning) {
            settings.whileRunning(run.pid, elapsed, run.err);
        }
    }
    while (outFd >= 0) readSome(outFd, run.out);
    while (errFd >= 0) readSome(errFd, run.err);
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    // The engine is the program's grandchild: its time shows in the
    // children's usage only when the program waited for it.
    run.cpuSeconds = seconds(usage.ru_utime) + seconds(usage.ru_stime);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return run;
}

namespace {

// Every running process, by pid.
std::vector<pid_t> processes() {
    std::vector<pid_t> pids;
    std::error_code error;
    for (fs::directory_iterator it("/proc", error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.find_first_not_of("0123456789") == std::string::npos) pids.push_back(std::stoi(name));
    }
    return pids;
}

std::string commandLineOf(pid_t pid) { return readFile(fs::path("/proc") / std::to_string(pid) / "cmdline"); }

}  // namespace

pid_t engineOf(pid_t ownerPid) {
    const std::string mark = "quillmark-engine-" + std::to_string(ownerPid) + ".";
    for (const pid_t pid : processes()) {
        if (commandLineOf(pid).find(mark) != std::string::npos) return pid;
    }
    return -1;
}

namespace {

pid_t parentOf(pid_t pid) {
    // The command name in parentheses may hold blanks: the fields after its
    // closing parenthesis are the state and then the parent's pid.
    const std::string stat = readFile(fs::path("/proc") / std::to_string(pid) / "stat");
    const std::size_t close = stat.rfind(')');
    if (close == std::string::npos || close + 4 >= stat.size()) return -1;
    return static_cast<pid_t>(std::atoi(stat.c_str() + close + 4));
}

}  // namespace

std::vector<pid_t> childrenOf(pid_t parentPid) {
    std::vector<pid_t> children;
    for (const pid_t pid : processes()) {
        if (parentOf(pid) == parentPid) children.push_back(pid);
    }
    return children;
}

std::vector<pid_t> enginesBelow(pid_t rootPid) {
    std::vector<pid_t> engines;
    for (const pid_t engine : processes()) {
        if (commandLineOf(engine).find("quillmark-engine-") == std::string::npos) continue;
        for (pid_t p = parentOf(engine); p > 1; p = parentOf(p)) {
            if (p == rootPid) {
                engines.push_back(engine);
                break;
            }
        }
    }
    return engines;
}

std::string engineProfileOf(pid_t engine) {
    const std::string cmdline = commandLineOf(engine);
    const std::string option = "-env:UserInstallation=";
    const std::size_t at = cmdline.find(option);
    if (at == std::string::npos) return {};
    std::string url = cmdline.substr(at + option.size(), cmdline.find('\0', at) - at - option.size());
    if (url.rfind("file://", 0) == 0) url.erase(0, 7);
    std::string path;
    for (std::size_t i = 0; i < url.size(); ++i) {
        if (url[i] == '%' && i + 2 < url.size()) {
            path += static_cast<char>(std::stoi(url.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            path += url[i];
        }
    }
    return path;
}

std::vector<std::string> socketPathsOf(pid_t pid) {
    const fs::path process = fs::path("/proc") / std::to_string(pid);
    std::set<std::string> inodes;
    std::error_code error;
    for (fs::directory_iterator it(process / "fd", error), end; !error && it != end; it.increment(error)) {
        std::error_code unreadable;
        const std::string target = fs::read_symlink(it->path(), unreadable).string();
        if (target.rfind("socket:[", 0) == 0) inodes.insert(target.substr(8, target.size() - 9));
    }
    // Num RefCount Protocol Flags Type St Inode Path
    std::istringstream table(readFile(process / "net" / "unix"));
    std::vector<std::string> paths;
    std::string line;
    while (std::getline(table, line)) {
        std::istringstream fields(line);
        std::string field[8];
        for (auto& f : field) fields >> f;
        if (!field[7].empty() && field[7][0] == '/' && inodes.count(field[6])) paths.push_back(field[7]);
    }
    return paths;
}

std::vector<std::string> leftoversOf(pid_t pid, const std::string& cacheHome, const std::string& tmpDir) {
    const std::string tag = std::to_string(pid) + ".";
    std::vector<std::string> left;
    auto scan = [&](const fs::path& folder, const std::string& prefix) {
        std::error_code error;
        for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
            if (it->path().filename().string().rfind(prefix + tag, 0) == 0) left.push_back(it->path().string());
        }
    };
    scan(fs::path(cacheHome) / "quillmark" / "Temporary files for word", "");
    scan(tmpDir, "quillmark-engine-");
    scan("/tmp", "OSL_PIPE_" + std::to_string(getuid()) + "_quillmark-");
    if (const pid_t engine = engineOf(pid); engine > 0) left.push_back("engine process " + std::to_string(engine));
    return left;
}

}  // namespace quillmark::testing
