#pragma once

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace word {

// Where a walk spends its time, printed on the engine's standard error when
// QUILLMARK_READER_TIMES is set (start the engine with QUILLMARK_ENGINE_LOG
// to see it). Costs nothing otherwise.
class WalkTimes {
public:
    enum Phase { Enumerate, Portions, LineStarts, Layout, LineMoves, LinePositions, LineTops, LastPage, PageSteps, FillIn, Pack, PhaseCount };

    static bool enabled() {
        static const bool on = std::getenv("QUILLMARK_READER_TIMES") != nullptr;
        return on;
    }

    class Scope {
    public:
        Scope(WalkTimes& times, Phase phase) : times_(enabled() ? &times : nullptr), phase_(phase) {
            if (times_) start_ = std::chrono::steady_clock::now();
        }
        ~Scope() {
            if (times_) times_->seconds_[phase_] += std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
        }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        WalkTimes* times_;
        Phase phase_;
        std::chrono::steady_clock::time_point start_;
    };

    // The times of the walk running on this thread.
    static WalkTimes& current() {
        thread_local WalkTimes times;
        return times;
    }
    void reset() {
        *this = WalkTimes();
        if (enabled()) start_ = std::chrono::steady_clock::now();
    }

    void print(const char* what) const {
        if (!enabled()) return;
        static const char* const names[] = {"enumerate", "portions", "line starts", "layout", "line moves",
                                            "line positions", "line tops", "last page", "page steps", "fill in", "pack"};
        std::fprintf(stderr, "reader %s: total %.3f", what,
                     std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count());
        for (int i = 0; i < PhaseCount; ++i) std::fprintf(stderr, " %s %.3f", names[i], seconds_[i]);
        std::fprintf(stderr, "\n");
    }

private:
    double seconds_[PhaseCount] = {};
    std::chrono::steady_clock::time_point start_;
};

}  // namespace word
