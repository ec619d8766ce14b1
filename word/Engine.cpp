#include "Engine.h"

#include "ProcessLauncher.h"
#include "WordError.h"

#include <com/sun/star/bridge/XUnoUrlResolver.hpp>
#include <com/sun/star/bridge/UnoUrlResolver.hpp>
#include <com/sun/star/connection/NoConnectException.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <cppuhelper/bootstrap.hxx>

#include <atomic>
#include <new>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <thread>
#include <sys/wait.h>
#include <unistd.h>

namespace word {

namespace css = uno::css;
using uno::Reference;

namespace {

constexpr const char* kProgramDir = "/usr/lib/libreoffice/program";
constexpr auto kStartTimeout = std::chrono::seconds(90);
constexpr int kRestartRequested = 81;

std::string uniquePipeName() {
    static std::atomic<int> counter{0};
    return "quillmark-" + std::to_string(getpid()) + "-" + std::to_string(++counter) + "-" +
           std::to_string(std::chrono::steady_clock::now().time_since_epoch().count() % 100000);
}

std::string makeProfileDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "quillmark-engine-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        throw WordError(errors::EngineUnavailable, "无法创建文档引擎的临时配置目录");
    }
    return pattern;
}

// With a display the engine runs invisible, so a document window can be shown
// for a finding; without one, or when asked to, it runs headless.
bool wantHeadless() {
    const char* forced = std::getenv("QUILLMARK_ENGINE_HEADLESS");
    if (forced && *forced && std::string(forced) != "0") return true;
    const char* display = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return !(display && *display) && !(wayland && *wayland);
}

Reference<css::uno::XComponentContext> localContext() {
    static Reference<css::uno::XComponentContext> context = [] {
        setenv("URE_BOOTSTRAP", "vnd.sun.star.pathname:/usr/lib/libreoffice/program/fundamentalrc", 0);
        return cppu::defaultBootstrap_InitialComponentContext();
    }();
    return context;
}

}  // namespace

// Never destroyed: at exit the UNO runtime may already be gone, so the
// process is ended by a plain kill instead (see endAtExit).
Engine& Engine::instance() {
    static Engine* engine = new Engine();
    return *engine;
}

Engine::~Engine() = default;

void Engine::endAtExit() {
    Engine& engine = instance();
    std::unique_lock lock(engine.mutex_, std::try_to_lock);
    engine.dead_ = true;
    // Forget the references without releasing them into a runtime that may be gone.
    new (&engine.desktop_) uno::Reference<css::frame::XDesktop2>();
    new (&engine.remoteContext_) uno::Reference<css::uno::XComponentContext>();
    engine.stopProcess();
}

Reference<css::frame::XDesktop2> Engine::desktop() {
    std::lock_guard lock(mutex_);
    if (!alive()) start();
    return desktop_;
}

Reference<css::uno::XComponentContext> Engine::context() {
    std::lock_guard lock(mutex_);
    if (!alive()) start();
    return remoteContext_;
}

std::uint64_t Engine::generation() const {
    std::lock_guard lock(mutex_);
    return generation_;
}

bool Engine::alive() {
    std::lock_guard lock(mutex_);
    if (dead_ || pid_ <= 0) return false;
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
        pid_ = -1;
        dead_ = true;
        return false;
    }
    return true;
}

void Engine::markDead() {
    std::lock_guard lock(mutex_);
    if (dead_) return;
    dead_ = true;
    stopProcess();
}

void Engine::shutDown() {
    std::lock_guard lock(mutex_);
    if (!dead_ && desktop_.is()) {
        try {
            desktop_->terminate();
        } catch (...) {
        }
    }
    dead_ = true;
    stopProcess();
}

void Engine::stopProcess() {
    desktop_.clear();
    remoteContext_.clear();
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        for (int i = 0; i < 50; ++i) {
            if (waitpid(pid_, nullptr, WNOHANG) == pid_) {
                pid_ = -1;
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
            pid_ = -1;
        }
    }
    if (!profileDir_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(profileDir_, ignored);
        profileDir_.clear();
    }
}

void Engine::start() {
    static const bool registered = [] { return std::atexit(&Engine::endAtExit) == 0; }();
    (void)registered;
    stopProcess();
    profileDir_ = makeProfileDir();
    const std::string pipeName = uniquePipeName();
    std::vector<std::string> args = {
        std::string(kProgramDir) + "/soffice.bin",
        "--invisible",
        "--nologo",
        "--norestore",
        "--nodefault",
        "--nolockcheck",
        "--nofirststartwizard",
        "-env:UserInstallation=file://" + profileDir_,
        "--accept=pipe,name=" + pipeName + ";urp;StarOffice.ComponentContext",
    };
    if (wantHeadless()) args.insert(args.begin() + 1, "--headless");
    launch(args);
    connect(pipeName, args);
    dead_ = false;
    ++generation_;
}

void Engine::launch(const std::vector<std::string>& args) {
    pid_ = ProcessLauncher::instance().launch(args);
    if (pid_ <= 0) throw WordError(errors::EngineUnavailable, "无法启动文档引擎 (soffice)");
}

void Engine::connect(const std::string& pipeName, const std::vector<std::string>& args) {
    auto resolver = css::bridge::UnoUrlResolver::create(localContext());
    const OUString url = uno::toOU("uno:pipe,name=" + pipeName + ";urp;StarOffice.ComponentContext");
    const auto deadline = std::chrono::steady_clock::now() + kStartTimeout;
    int restarts = 0;
    while (true) {
        try {
            remoteContext_.set(resolver->resolve(url), css::uno::UNO_QUERY_THROW);
            desktop_ = css::frame::Desktop::create(remoteContext_);
            return;
        } catch (const css::connection::NoConnectException&) {
        }
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            // A fresh profile makes the engine ask for one restart (exit code 81).
            if (WIFEXITED(status) && WEXITSTATUS(status) == kRestartRequested && restarts++ < 3) {
                launch(args);
                continue;
            }
            throw WordError(errors::EngineUnavailable, "文档引擎启动后立即退出");
        }
        if (std::chrono::steady_clock::now() > deadline) {
            stopProcess();
            throw WordError(errors::EngineUnavailable, "连接文档引擎超时");
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}

}  // namespace word
