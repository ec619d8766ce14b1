#pragma once

#include <functional>

namespace quillmark {

// SIGINT and SIGTERM end the program cleanly: the engine is ended at once,
// its profile and pipe and this process's working folder are removed, and
// the program exits with 128 + the signal (130, 143), whatever its threads
// are doing. Call first in main, before any thread starts: the two signals
// are blocked in every thread and taken by one watcher thread.
void handleInterruptions();

// Runs before the cleanup when a signal arrives (a batch hands the signal on
// to its workers and waits for them). Replaces an earlier hook.
void setInterruptionHook(std::function<void(int signal)> hook);

// For the end of main: while an interruption is being handled, the program
// must not end by itself (the interruption ends it, with its own status),
// even when the engine's end made the run fail first.
void waitIfInterrupted();

}  // namespace quillmark
