#include "CallGate.h"

#include "CallBound.h"

namespace word {

namespace {
thread_local CallGate threadGate;
}

void setThreadCallGate(CallGate gate) { threadGate = std::move(gate); }

void passCallGate() {
    if (!threadGate) return;
    UnboundedWait paused;
    threadGate();
}

}  // namespace word
