#include "cli/Interruption.h"

#include "shell/WorkingFolder.h"
#include "word/Engine.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <mutex>
#include <pthread.h>
#include <string>
#include <thread>
#include <unistd.h>

namespace quillmark {

namespace {

std::mutex hookMutex;
std::function<void(int)> interruptionHook;
std::atomic<bool> interrupting{false};

sigset_t interruptionSignals() {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    return signals;
}

// From here on standard error carries the interruption's line alone: what
// the other threads still say comes from the engine's end that the
// interruption itself brings about ("文档引擎意外退出"), not from its cause.
// Returns the descriptor that still reaches the old standard error.
int keepStandardErrorForTheInterruption() {
    const int kept = ::dup(STDERR_FILENO);
    const int nowhere = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (kept < 0 || nowhere < 0) return STDERR_FILENO;
    ::dup2(nowhere, STDERR_FILENO);
    ::close(nowhere);
    return kept;
}

void endInterrupted(int signal) {
    interrupting = true;
    const int err = keepStandardErrorForTheInterruption();
    std::function<void(int)> hook;
    {
        std::lock_guard lock(hookMutex);
        hook = interruptionHook;
    }
    if (hook) hook(signal);
    word::Engine::instance().abandon();
    removeWorkingFolder();
    const std::string text = std::string("quillmark: 检测已中断（") + (signal == SIGINT ? "SIGINT" : "SIGTERM") +
                             "），文档引擎已结束，工作副本已删除\n";
    [[maybe_unused]] const auto written = ::write(err, text.data(), text.size());
    // No destructors, no exit handlers: other threads may be inside the
    // engine's runtime.
    ::_exit(128 + signal);
}

}  // namespace

void handleInterruptions() {
    const sigset_t signals = interruptionSignals();
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    std::thread([signals] {
        int signal = 0;
        while (sigwait(&signals, &signal) != 0) {
        }
        endInterrupted(signal);
    }).detach();
}

void waitIfInterrupted() {
    while (interrupting) std::this_thread::sleep_for(std::chrono::milliseconds(50));
}

void setInterruptionHook(std::function<void(int)> hook) {
    std::lock_guard lock(hookMutex);
    interruptionHook = std::move(hook);
}

}  // namespace quillmark
