#include "ServeProcess.h"

#include "support/Files.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace quillmark::testing {

namespace fs = std::filesystem;

ServeProcess::ServeProcess(const std::vector<std::string>& options, const fs::path& home)
    : cache_(home / "cache"), tmp_(home / "tmp"), log_(home / "serve.log") {
    fs::create_directories(cache_);
    fs::create_directories(tmp_);
    int out[2];
    if (pipe(out) != 0) throw std::runtime_error("no pipe");
    pid_ = fork();
    if (pid_ == 0) {
        // A test that crashes takes its server with it.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        const int log = ::open(log_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(log, STDERR_FILENO);
        setenv("XDG_CACHE_HOME", cache_.c_str(), 1);
        setenv("TMPDIR", tmp_.c_str(), 1);
        std::vector<std::string> args = {QUILLMARK_BINARY, "serve", "--listen", "127.0.0.1:0"};
        args.insert(args.end(), options.begin(), options.end());
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(out[1]);
    std::string said;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (said.find('\n') == std::string::npos && std::chrono::steady_clock::now() < deadline) {
        pollfd p{out[0], POLLIN, 0};
        if (poll(&p, 1, 1000) <= 0) continue;
        char buffer[512];
        const ssize_t got = read(out[0], buffer, sizeof buffer);
        if (got <= 0) break;
        said.append(buffer, static_cast<std::size_t>(got));
    }
    close(out[0]);
    const std::size_t colon = said.find(':', said.find("127.0.0.1"));
    if (colon == std::string::npos) {
        stop(SIGKILL);
        throw std::runtime_error("the server did not start: " + said + errorOutput());
    }
    port_ = std::stoi(said.substr(colon + 1));
}

ServeProcess::~ServeProcess() {
    if (pid_ > 0) stop(SIGTERM);
}

std::vector<std::string> ServeProcess::keptFiles() const {
    std::vector<std::string> found;
    std::error_code error;
    const fs::path folders = cache_ / "quillmark" / "Temporary files for word";
    for (auto it = fs::recursive_directory_iterator(folders, error); !error && it != fs::recursive_directory_iterator();
         it.increment(error)) {
        if (!it->is_directory()) found.push_back(it->path().string());
    }
    return found;
}

int ServeProcess::stop(int signal) {
    if (pid_ <= 0) return -1;
    kill(pid_, signal);
    int status = 0;
    const bool ended = waitFor([&] { return waitpid(pid_, &status, WNOHANG) == pid_; }, std::chrono::seconds(60));
    if (!ended) {
        kill(pid_, SIGKILL);
        waitpid(pid_, &status, 0);
    }
    pid_ = -1;
    return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
}

std::string ServeProcess::errorOutput() const { return readBytes(log_); }

}  // namespace quillmark::testing
