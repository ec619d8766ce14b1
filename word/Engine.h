#pragma once

#include "Uno.h"

#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/task/XJob.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <mutex>
#include <string>
#include <vector>
#include <sys/types.h>

namespace word {

// The engine's version ("7.4"), as its installation states it; empty when
// it cannot be found.
std::string engineVersion();

// A profile that has not seen this version of the engine makes every start
// run the engine's graphics self-tests, about 3 s before it can serve. This
// registry item (empty when the version is unknown) tells a profile it has.
std::string versionSeenSetting();

// The engine process: a private LibreOffice started on demand with its own
// pipe name and its own temporary user profile, ended with the program.
// Safe to call from any thread.
// The single-instance pipe an office started with the profile `profileDir`
// makes in /tmp and leaves there when it is killed.
std::filesystem::path singleInstancePipeOf(const std::string& profileDir);

class Engine {
public:
    static Engine& instance();

    // The desktop of a running engine; starts one when none runs or the last
    // one died. Raises WordError when no engine can be started.
    uno::Reference<uno::css::frame::XDesktop2> desktop();
    uno::Reference<uno::css::uno::XComponentContext> context();
    // Our reader component inside the running engine (see word/reader/),
    // loaded once per engine process; empty when it cannot be loaded, which
    // is said once on stderr.
    uno::Reference<uno::css::task::XJob> storyReader();

    // Increases each time a new engine process is started; objects of an older
    // generation belong to a dead engine.
    std::uint64_t generation() const;

    bool alive();
    void markDead();
    // Ends the engine process (the program ends, or Application.Quit).
    // Bounded: an engine that does not end within a few seconds is killed.
    void shutDown();
    // For a program that is about to end and needs nothing more from the
    // engine: kills it at once and removes its profile and pipe. Closing
    // every document and the engine's own shutdown (a tenth of a second and
    // more) are of no use to a private profile that is deleted next.
    void endAtOnce();
    // For an interrupted program: kills the engine at once, without a call
    // into it or a wait for any lock, and removes its profile and pipe.
    // Safe from a thread that handles a signal while others use the engine.
    void abandon();
    // Ends an engine that does not answer a call, at once and without taking
    // the engine's lock (the waiting caller may hold it): the waiting call
    // returns with an error, the next use finds the engine dead.
    void killUnanswering();

    pid_t pid() const { return pid_; }
    // The private profile of the running engine.
    std::string profileDirectory() const {
        std::lock_guard lock(mutex_);
        return profileDir_;
    }

private:
    Engine() = default;
    ~Engine();
    void start();
    void launch(const std::vector<std::string>& args);
    void connect(const std::string& pipeName, const std::vector<std::string>& args);
    // Ends the process (given a second to end by itself, or killed at once)
    // and removes its pipe and profile.
    enum class Ending { GivenTime, AtOnce };
    void stopProcess(Ending ending = Ending::GivenTime);
    static void endAtExit();

    mutable std::recursive_mutex mutex_;
    // Held while the engine's files are made or removed and its process
    // launched, never during a call: abandon() may wait for it.
    std::mutex filesMutex_;
    std::atomic<bool> abandoned_{false};
    std::atomic<pid_t> pid_ = -1;
    std::string profileDir_;
    std::string pipeName_;
    std::uint64_t generation_ = 0;
    bool dead_ = true;
    uno::Reference<uno::css::uno::XComponentContext> remoteContext_;
    uno::Reference<uno::css::frame::XDesktop2> desktop_;
    uno::Reference<uno::css::task::XJob> storyReader_;
    std::uint64_t storyReaderGeneration_ = 0;
};

}  // namespace word
