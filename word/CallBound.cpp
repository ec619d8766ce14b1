#include "CallBound.h"

#include "Engine.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <thread>

namespace word {

namespace {

using Clock = std::chrono::steady_clock;

long initialLimit() {
    if (const char* text = std::getenv("QUILLMARK_CALL_TIMEOUT"); text && *text) {
        char* end = nullptr;
        const long seconds = std::strtol(text, &end, 10);
        if (end && *end == '\0' && seconds > 0) return seconds;
    }
    return 120;
}

std::atomic<long>& limitSeconds() {
    static std::atomic<long> seconds{initialLimit()};
    return seconds;
}

// The calls under way on every thread, and the one thread that watches their
// deadlines. It lives as long as the process, so it is never destroyed.
class CallWatch {
public:
    static CallWatch& instance() {
        static CallWatch* watch = new CallWatch;
        return *watch;
    }

    std::uint64_t begin() {
        std::lock_guard lock(mutex_);
        if (!watching_) {
            std::thread([this] { watch(); }).detach();
            watching_ = true;
        }
        const std::uint64_t ticket = next_++;
        setDeadline(ticket);
        return ticket;
    }
    void end(std::uint64_t ticket) {
        std::lock_guard lock(mutex_);
        deadlines_.erase(ticket);
        expired_.erase(ticket);
    }
    // The clock of a call stops while its thread waits for something else;
    // it starts again from the full limit.
    void pause(std::uint64_t ticket) {
        std::lock_guard lock(mutex_);
        deadlines_.erase(ticket);
    }
    void resume(std::uint64_t ticket) {
        std::lock_guard lock(mutex_);
        if (expired_.count(ticket) == 0) setDeadline(ticket);
    }
    bool expired(std::uint64_t ticket) {
        std::lock_guard lock(mutex_);
        return expired_.count(ticket) > 0;
    }

private:
    CallWatch() = default;

    // The watch is woken only when it would wake too late: calls begin and
    // end far more often than any of them runs out of time.
    void setDeadline(std::uint64_t ticket) {
        const Clock::time_point deadline = Clock::now() + callTimeout();
        deadlines_[ticket] = deadline;
        if (deadline < wakeAt_) changed_.notify_all();
    }

    void watch() {
        std::unique_lock lock(mutex_);
        for (;;) {
            if (deadlines_.empty()) {
                wakeAt_ = Clock::time_point::max();
                changed_.wait(lock);
                continue;
            }
            const auto earliest = std::min_element(deadlines_.begin(), deadlines_.end(),
                                                   [](const auto& a, const auto& b) { return a.second < b.second; });
            if (Clock::now() < earliest->second) {
                wakeAt_ = earliest->second;
                changed_.wait_until(lock, wakeAt_);
                continue;
            }
            expired_.insert(earliest->first);
            deadlines_.erase(earliest);
            // The calling thread may hold the engine's own lock while it
            // waits, so the engine is ended without taking it.
            Engine::instance().killUnanswering();
        }
    }

    std::mutex mutex_;
    std::condition_variable changed_;
    std::map<std::uint64_t, Clock::time_point> deadlines_;
    std::set<std::uint64_t> expired_;
    std::uint64_t next_ = 1;
    bool watching_ = false;
    Clock::time_point wakeAt_ = Clock::time_point::min();  // when the watch wakes next
};

thread_local int callDepth = 0;
thread_local std::uint64_t currentTicket = 0;

}  // namespace

void setCallTimeout(std::chrono::seconds limit) { limitSeconds() = static_cast<long>(limit.count()); }

std::chrono::seconds callTimeout() { return std::chrono::seconds(limitSeconds().load()); }

BoundedCall::BoundedCall() {
    if (callDepth++ == 0) currentTicket = CallWatch::instance().begin();
}

BoundedCall::~BoundedCall() {
    if (--callDepth == 0) {
        CallWatch::instance().end(currentTicket);
        currentTicket = 0;
    }
}

UnboundedWait::UnboundedWait() : stopped_(currentTicket != 0) {
    if (stopped_) CallWatch::instance().pause(currentTicket);
}

UnboundedWait::~UnboundedWait() {
    if (stopped_) CallWatch::instance().resume(currentTicket);
}

bool callTimedOut() { return currentTicket != 0 && CallWatch::instance().expired(currentTicket); }

}  // namespace word
