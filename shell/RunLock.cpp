#include "shell/RunLock.h"

namespace quillmark {

RunLock::Ticket::Ticket(Ticket&& other) noexcept : lock_(other.lock_), number_(other.number_) {
    other.lock_ = nullptr;
}

RunLock::Ticket& RunLock::Ticket::operator=(Ticket&& other) noexcept {
    if (this != &other) {
        reset();
        lock_ = other.lock_;
        number_ = other.number_;
        other.lock_ = nullptr;
    }
    return *this;
}

RunLock::Ticket::~Ticket() { reset(); }

void RunLock::Ticket::reset() {
    if (lock_ != nullptr) {
        lock_->abandon(number_);
        lock_ = nullptr;
    }
}

void RunLock::Ticket::acquire() {
    RunLock* lock = lock_;
    lock_ = nullptr;
    if (lock != nullptr) lock->acquire(number_);
}

RunLock::Ticket RunLock::reserve() {
    std::lock_guard guard(mutex_);
    return Ticket(this, next_++);
}

void RunLock::lock() { reserve().acquire(); }

void RunLock::unlock() {
    std::lock_guard guard(mutex_);
    advance();
}

bool RunLock::busy() const {
    std::lock_guard guard(mutex_);
    return serving_ != next_;
}

void RunLock::acquire(std::uint64_t number) {
    std::unique_lock guard(mutex_);
    turn_.wait(guard, [&] { return serving_ == number; });
}

void RunLock::abandon(std::uint64_t number) {
    std::lock_guard guard(mutex_);
    if (number == serving_) {
        advance();  // its turn had come and nobody holds the lock
    } else {
        abandoned_.insert(number);
    }
}

void RunLock::advance() {
    ++serving_;
    while (abandoned_.erase(serving_) > 0) ++serving_;
    turn_.notify_all();
}

}  // namespace quillmark
