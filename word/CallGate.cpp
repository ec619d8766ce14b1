#include "CallGate.h"

namespace word {

namespace {
thread_local CallGate threadGate;
}

void setThreadCallGate(CallGate gate) { threadGate = std::move(gate); }

void passCallGate() {
    if (threadGate) threadGate();
}

}  // namespace word
