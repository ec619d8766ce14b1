#pragma once

#include <chrono>

namespace word {

// Every call into the engine has a bound. A call that has not returned when
// the limit is past ends the engine process: the call then returns with an
// error (`callTimedOut()` tells it apart from an engine that died by itself),
// and the next use starts a fresh engine. Opening a document has a bound of
// its own (`setOpenTimeout`).
//
// The limit starts as QUILLMARK_CALL_TIMEOUT (seconds) when that is set,
// else 120 s.
void setCallTimeout(std::chrono::seconds limit);
std::chrono::seconds callTimeout();

// Marks the calls of one thread to the engine while it lives; nested marks
// belong to the outermost one, whose time counts.
class BoundedCall {
public:
    BoundedCall();
    ~BoundedCall();
    BoundedCall(const BoundedCall&) = delete;
    BoundedCall& operator=(const BoundedCall&) = delete;
};

// Stops the clock of this thread's call while it lives: waiting for a paused
// run to continue is not the engine's time.
class UnboundedWait {
public:
    UnboundedWait();
    ~UnboundedWait();
    UnboundedWait(const UnboundedWait&) = delete;
    UnboundedWait& operator=(const UnboundedWait&) = delete;

private:
    bool stopped_ = false;
};

// True when this thread's current call ran past its limit and the engine was
// ended for it.
bool callTimedOut();

}  // namespace word
