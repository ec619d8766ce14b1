#pragma once

#include <functional>

namespace word {

// A hook that every engine call passes before it talks to the engine. The
// check-run frame installs one per checker thread to pause a run between
// engine calls; without a hook nothing waits.
using CallGate = std::function<void()>;

void setThreadCallGate(CallGate gate);
void passCallGate();

}  // namespace word
