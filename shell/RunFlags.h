#pragma once

#include <atomic>

namespace quillmark {

// False once the user has stopped the check run on the calling thread; a
// checker that works in steps (the body-text check, before each paragraph)
// ends early then. True on a thread that runs no check.
bool runAllowed();

// Ties the calling thread to a run's flag for the scope of the object; the
// run frame sets it up on every checker thread, and a test may too.
class ThreadRunFlag {
public:
    explicit ThreadRunFlag(const std::atomic<bool>& allowed);
    ~ThreadRunFlag();
    ThreadRunFlag(const ThreadRunFlag&) = delete;
    ThreadRunFlag& operator=(const ThreadRunFlag&) = delete;

private:
    const std::atomic<bool>* previous_;
};

}  // namespace quillmark
