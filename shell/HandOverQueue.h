#pragma once

#include "shell/CheckError.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <variant>
#include <vector>

namespace quillmark {

// A finding of a check, for the document record `documentId`.
struct FindingPosted {
    std::uint64_t documentId = 0;
    CheckError error;
};

// A progress report of a check.
struct ProgressPosted {
    ProgressReport report;
};

// The Chinese-abstract checker's announcement after its start steps; the
// receiver takes it and does nothing.
struct CheckStatePosted {};

// A status-bar write made by a worker thread.
struct StatusPosted {
    int part = 0;
    std::string text;
};

// A message box raised by a worker thread; an empty caption is the default one.
struct MessagePosted {
    std::string caption;
    std::string text;
};

using HandOver = std::variant<FindingPosted, ProgressPosted, CheckStatePosted, StatusPosted, MessagePosted>;

// Carries what worker threads hand to the user-interface thread. Each item
// carries its own copy of its payload; the receiving thread takes the items
// in posting order, each exactly once. Posting never waits for the receiver:
// it only appends under a lock that the receiver holds just long enough to
// take the whole queue.
class HandOverQueue {
public:
    void post(HandOver item);

    // Every item posted so far and not yet taken, oldest first.
    std::vector<HandOver> takeAll();

    // Waits until an item is pending or the timeout passes; true when one is.
    bool waitForItems(std::chrono::milliseconds timeout);

    std::size_t pending() const;

    // Called on the posting thread after each post, outside the queue's lock,
    // e.g. to wake the user-interface thread. Must not wait for that thread.
    // Set it before the first post.
    void setWakeUp(std::function<void()> wakeUp);

private:
    mutable std::mutex mutex_;
    std::condition_variable posted_;
    std::deque<HandOver> items_;
    std::function<void()> wakeUp_;
};

}  // namespace quillmark
