#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <set>

namespace quillmark {

// The one lock under which the engine is used: a check run holds it from its
// begin step to its end step, a document-opening worker while the engine
// opens a document, and the user-interface thread for its own engine calls.
//
// Turns are taken in the order of reservation: whoever starts a worker
// reserves its turn on the starting thread, so a check started right after an
// opening works only after that opening, whichever thread reaches the lock
// first. lock() reserves and takes a turn at once.
class RunLock {
public:
    // One reserved turn. A ticket that is dropped without being used gives its
    // turn away, so a worker that never ran does not hold up the others.
    class Ticket {
    public:
        Ticket() = default;
        Ticket(Ticket&& other) noexcept;
        Ticket& operator=(Ticket&& other) noexcept;
        Ticket(const Ticket&) = delete;
        Ticket& operator=(const Ticket&) = delete;
        ~Ticket();

        bool valid() const { return lock_ != nullptr; }
        // Waits for this turn and takes the lock; the ticket is used up. The
        // holder releases the lock with RunLock::unlock().
        void acquire();

    private:
        friend class RunLock;
        Ticket(RunLock* lock, std::uint64_t number) : lock_(lock), number_(number) {}
        void reset();

        RunLock* lock_ = nullptr;
        std::uint64_t number_ = 0;
    };

    RunLock() = default;
    RunLock(const RunLock&) = delete;
    RunLock& operator=(const RunLock&) = delete;

    Ticket reserve();
    void lock();
    void unlock();
    // True while some thread holds the lock or waits for it.
    bool busy() const;

private:
    void acquire(std::uint64_t number);
    void abandon(std::uint64_t number);
    void advance();  // with mutex_ held

    mutable std::mutex mutex_;
    std::condition_variable turn_;
    std::uint64_t next_ = 0;     // the next ticket number handed out
    std::uint64_t serving_ = 0;  // the ticket whose turn it is
    std::set<std::uint64_t> abandoned_;
};

}  // namespace quillmark
