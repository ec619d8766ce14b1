#include "MainThreadCall.h"

#include <com/sun/star/awt/AsyncCallback.hpp>
#include <com/sun/star/awt/XCallback.hpp>
#include <com/sun/star/uno/RuntimeException.hpp>
#include <cppuhelper/implbase1.hxx>

#include <chrono>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>

namespace word {

namespace {

namespace css = ::com::sun::star;
using css::uno::Any;
using css::uno::Reference;

// What the main thread hands back; shared, so that a caller that gave up
// waiting leaves nothing dangling behind. Whoever claims the work first
// runs it: the main thread, or the caller when the main thread is busy.
struct Outcome {
    std::mutex mutex;
    std::condition_variable changed;
    bool claimed = false;
    bool finished = false;
    Any value;
    std::exception_ptr error;
};

class MainThreadWork : public cppu::WeakImplHelper1<css::awt::XCallback> {
public:
    MainThreadWork(std::function<Any()> work, std::shared_ptr<Outcome> outcome)
        : work_(std::move(work)), outcome_(std::move(outcome)) {}

    void SAL_CALL notify(const Any&) override {
        {
            std::lock_guard<std::mutex> lock(outcome_->mutex);
            if (outcome_->claimed) return;  // the caller ran it
            outcome_->claimed = true;
            outcome_->changed.notify_all();
        }
        Any value;
        std::exception_ptr error;
        try {
            value = work_();
        } catch (...) {
            error = std::current_exception();
        }
        std::lock_guard<std::mutex> lock(outcome_->mutex);
        outcome_->value = std::move(value);
        outcome_->error = error;
        outcome_->finished = true;
        outcome_->changed.notify_all();
    }

private:
    std::function<Any()> work_;
    std::shared_ptr<Outcome> outcome_;
};

// How long the main thread may take to pick the work up. It can be busy for
// seconds laying out a huge document in one go (user events do not break
// that off); the work then runs on the calling thread, as any other call.
constexpr std::chrono::milliseconds kPickUpTime{250};

// Longer than any bound the program sets on one call: the program ends an
// engine that does not answer in time, so this only keeps a lost main
// thread from holding a bridge thread for ever.
constexpr std::chrono::minutes kLongestWait{30};

}  // namespace

Any callOnMainThread(const Reference<css::uno::XComponentContext>& context, const std::function<Any()>& work) {
    Reference<css::awt::XRequestCallback> queue;
    try {
        if (context.is()) queue = css::awt::AsyncCallback::create(context);
    } catch (const css::uno::Exception&) {
    }
    if (!queue.is()) return work();
    auto outcome = std::make_shared<Outcome>();
    queue->addCallback(Reference<css::awt::XCallback>(new MainThreadWork(work, outcome)), Any());
    std::unique_lock<std::mutex> lock(outcome->mutex);
    if (!outcome->changed.wait_for(lock, kPickUpTime, [&] { return outcome->claimed; })) {
        outcome->claimed = true;
        lock.unlock();
        return work();
    }
    if (!outcome->changed.wait_for(lock, kLongestWait, [&] { return outcome->finished; })) {
        throw css::uno::RuntimeException("the engine's main thread did not finish the walk");
    }
    if (outcome->error) std::rethrow_exception(outcome->error);
    return outcome->value;
}

}  // namespace word
