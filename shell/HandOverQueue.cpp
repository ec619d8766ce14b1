#include "shell/HandOverQueue.h"

namespace quillmark {

void HandOverQueue::post(HandOver item) {
    std::function<void()> wakeUp;
    {
        std::lock_guard guard(mutex_);
        items_.push_back(std::move(item));
        wakeUp = wakeUp_;
    }
    posted_.notify_all();
    if (wakeUp) wakeUp();
}

std::vector<HandOver> HandOverQueue::takeAll() {
    std::deque<HandOver> taken;
    {
        std::lock_guard guard(mutex_);
        taken.swap(items_);
    }
    return {std::make_move_iterator(taken.begin()), std::make_move_iterator(taken.end())};
}

bool HandOverQueue::waitForItems(std::chrono::milliseconds timeout) {
    std::unique_lock guard(mutex_);
    return posted_.wait_for(guard, timeout, [&] { return !items_.empty(); });
}

std::size_t HandOverQueue::pending() const {
    std::lock_guard guard(mutex_);
    return items_.size();
}

void HandOverQueue::setWakeUp(std::function<void()> wakeUp) {
    std::lock_guard guard(mutex_);
    wakeUp_ = std::move(wakeUp);
}

}  // namespace quillmark
