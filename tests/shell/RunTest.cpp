#include "Fakes.h"

#include "shell/CheckKinds.h"
#include "shell/RunController.h"
#include "shell/RunFlags.h"
#include "shell/RunLock.h"
#include "shell/ShellTexts.h"
#include "word/CallGate.h"
#include "word/WordError.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace quillmark {
namespace {

using namespace std::chrono_literals;
using testing::RecordingMessages;
using testing::RecordingStatus;

// A one-shot signal between threads.
class Latch {
public:
    void open() {
        {
            std::lock_guard guard(mutex_);
            open_ = true;
        }
        cv_.notify_all();
    }
    bool waitFor(std::chrono::milliseconds timeout = 10s) {
        std::unique_lock guard(mutex_);
        return cv_.wait_for(guard, timeout, [&] { return open_; });
    }

private:
    std::mutex mutex_;
    std::condition_variable cv_;
    bool open_ = false;
};

// Records which checks ran, in order, from any thread.
class Journal {
public:
    void add(CheckKind kind) {
        std::lock_guard guard(mutex_);
        kinds_.push_back(kind);
    }
    std::vector<CheckKind> kinds() const {
        std::lock_guard guard(mutex_);
        return kinds_;
    }
    std::size_t size() const {
        std::lock_guard guard(mutex_);
        return kinds_.size();
    }

private:
    mutable std::mutex mutex_;
    std::vector<CheckKind> kinds_;
};

struct Frame {
    RunLock lock;
    RecordingStatus status;
    RecordingMessages messages;
    RunController runs{lock, status, messages};
    std::shared_ptr<ThesisDocument> record = std::make_shared<ThesisDocument>(1, "/w/1/论文.doc", "论文", nullptr);
    Journal journal;

    CheckContext context() const {
        CheckContext c;
        c.documentIndex = 0;
        c.documentId = record->id;
        c.fileName = record->displayName;
        return c;
    }
    void journalAll() {
        for (CheckKind kind : kCheckAllOrder) {
            runs.setBody(kind, [this, kind](const CheckContext&, CheckMode) { journal.add(kind); });
        }
    }
    RunController::StartResult startAll() {
        return runs.start({kCheckAllOrder.begin(), kCheckAllOrder.end()}, context(), record);
    }
};

const std::vector<CheckKind> kAll(kCheckAllOrder.begin(), kCheckAllOrder.end());

TEST(RunLock, GivesTurnsInTheOrderOfReservation) {
    RunLock lock;
    std::vector<RunLock::Ticket> tickets;
    for (int i = 0; i < 4; ++i) tickets.push_back(lock.reserve());
    std::mutex m;
    std::vector<int> order;
    std::vector<std::thread> threads;
    // Started last-first: the reservation, not the arrival, decides.
    for (int i = 3; i >= 0; --i) {
        threads.emplace_back([&, i, t = std::move(tickets[i])]() mutable {
            t.acquire();
            {
                std::lock_guard g(m);
                order.push_back(i);
            }
            lock.unlock();
        });
        std::this_thread::sleep_for(5ms);
    }
    for (auto& t : threads) t.join();
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 3}));
    EXPECT_FALSE(lock.busy());
}

TEST(RunLock, ADroppedTicketHoldsNobodyUp) {
    RunLock lock;
    RunLock::Ticket first = lock.reserve();
    RunLock::Ticket unused = lock.reserve();
    RunLock::Ticket last = lock.reserve();
    EXPECT_TRUE(lock.busy());
    { RunLock::Ticket gone = std::move(unused); }  // dropped before its turn
    first.acquire();
    lock.unlock();
    std::thread t([&] {
        last.acquire();
        lock.unlock();
    });
    t.join();
    EXPECT_FALSE(lock.busy());
    // A ticket dropped when its turn has come passes the turn on at once.
    RunLock::Ticket now = lock.reserve();
    { RunLock::Ticket drop = std::move(now); }
    lock.lock();
    lock.unlock();
    EXPECT_FALSE(lock.busy());
}

TEST(StatusTexts, BeginAndEndRowsPerPageAndMode) {
    using W = StatusWrites;
    EXPECT_EQ(beginStatusTexts(CheckKind::CnAbstract, CheckMode::Check), (W{{1, ""}, {2, "正在对<摘要>进行查错。。"}}));
    EXPECT_EQ(beginStatusTexts(CheckKind::References, CheckMode::AutoFix),
              (W{{1, ""}, {2, "正在对<正文>进行修改。。"}}));
    EXPECT_EQ(beginStatusTexts(CheckKind::Cover, CheckMode::Check),
              (W{{1, ""}, {1, " "}, {2, "正在对<封面>进行查错。。"}}));
    EXPECT_EQ(beginStatusTexts(CheckKind::Cover, CheckMode::AutoFix),
              (W{{1, ""}, {1, " "}, {2, "正在对<封面>进行修改。。"}}));
    EXPECT_EQ(endStatusTexts(CheckKind::AbstractNotes, CheckMode::Check), (W{{1, "检测完成"}, {2, " "}}));
    EXPECT_EQ(endStatusTexts(CheckKind::Cover, CheckMode::AutoFix), (W{{1, "修改完成"}, {2, " "}}));
    EXPECT_EQ(endStatusTexts(CheckKind::Body, CheckMode::Check), (W{{1, "检测完成"}, {2, "  "}, {3, ""}}));
    EXPECT_EQ(stopStatusTexts(CheckMode::Check), (W{{1, "查错完成"}, {2, " "}}));
    EXPECT_EQ(stopStatusTexts(CheckMode::AutoFix), (W{{1, "修改完成"}, {2, " "}}));
}

TEST(CheckKinds, LabelsAndOrder) {
    EXPECT_STREQ(checkLabel(CheckKind::Cover), "封面检测");
    EXPECT_STREQ(checkLabel(CheckKind::CnAbstract), "中文摘要检测");
    EXPECT_STREQ(checkLabel(CheckKind::EnAbstract), "英文摘要检测");
    EXPECT_STREQ(checkLabel(CheckKind::AbstractNotes), "注释检测");
    EXPECT_STREQ(checkLabel(CheckKind::Body), "正文检测");
    EXPECT_STREQ(checkLabel(CheckKind::References), "参考文献");
    EXPECT_EQ(kAll, (std::vector<CheckKind>{CheckKind::Cover, CheckKind::CnAbstract, CheckKind::EnAbstract,
                                            CheckKind::AbstractNotes, CheckKind::Body, CheckKind::References}));
}

TEST(RunController, CheckAllRunsTheSixChecksInTheirOrderEachHoldingTheLock) {
    Frame f;
    std::atomic<int> heldCount{0};
    for (CheckKind kind : kCheckAllOrder) {
        f.runs.setBody(kind, [&, kind](const CheckContext& c, CheckMode mode) {
            f.journal.add(kind);
            if (f.lock.busy()) ++heldCount;
            EXPECT_EQ(c.fileName, "论文");
            EXPECT_EQ(mode, CheckMode::Check);
        });
    }
    ASSERT_EQ(f.startAll(), RunController::StartResult::Started);
    f.runs.wait();
    EXPECT_EQ(f.journal.kinds(), kAll);
    EXPECT_EQ(heldCount.load(), 6);
    EXPECT_FALSE(f.lock.busy());
    EXPECT_EQ(f.status.part(1), "检测完成");
    EXPECT_EQ(f.status.part(2), "  ");
    EXPECT_EQ(f.status.part(3), "");
}

TEST(RunController, ARunWaitsForAnOpeningThatHoldsTheLock) {
    Frame f;
    f.journalAll();
    f.lock.lock();  // an opening is under way
    ASSERT_EQ(f.runs.start({CheckKind::CnAbstract}, f.context(), f.record), RunController::StartResult::Started);
    std::this_thread::sleep_for(50ms);
    EXPECT_TRUE(f.runs.inProgress());
    EXPECT_EQ(f.journal.size(), 0u);
    EXPECT_TRUE(f.status.writes().empty());  // not even the begin texts
    f.lock.unlock();
    f.runs.wait();
    EXPECT_EQ(f.journal.kinds(), (std::vector<CheckKind>{CheckKind::CnAbstract}));
}

TEST(RunController, CurrentRunStaysSetThroughTheBatchAndClearsAtItsEnd) {
    Frame f;
    std::atomic<int> finished{0};
    std::atomic<int> wrongCurrent{0};
    for (CheckKind kind : kCheckAllOrder) {
        f.runs.setBody(kind, [&, kind](const CheckContext&, CheckMode) {
            if (f.runs.currentRun() != kind) ++wrongCurrent;
            std::this_thread::sleep_for(3ms);
            ++finished;
        });
    }
    std::atomic<int> hookCalls{0};
    f.runs.setFinishedHook([&] { ++hookCalls; });
    EXPECT_FALSE(f.runs.inProgress());
    EXPECT_EQ(f.runs.currentRun(), std::nullopt);
    ASSERT_EQ(f.startAll(), RunController::StartResult::Started);
    // Set from the moment start returns, through the gaps between checks.
    EXPECT_TRUE(f.runs.inProgress());
    int samples = 0;
    while (finished.load() < 6) {
        bool inProgress = f.runs.inProgress();
        if (finished.load() < 6) {
            ASSERT_TRUE(inProgress);
            ++samples;
        }
    }
    f.runs.wait();
    EXPECT_GT(samples, 0);
    EXPECT_EQ(wrongCurrent.load(), 0);
    EXPECT_FALSE(f.runs.inProgress());
    EXPECT_EQ(f.runs.currentRun(), std::nullopt);
    EXPECT_EQ(hookCalls.load(), 1);
}

TEST(RunController, AStartDuringARunIsRefused) {
    Frame f;
    Latch release;
    f.runs.setBody(CheckKind::Body, [&](const CheckContext&, CheckMode) { release.waitFor(); });
    ASSERT_EQ(f.runs.start({CheckKind::Body}, f.context(), f.record), RunController::StartResult::Started);
    EXPECT_EQ(f.runs.start({CheckKind::Cover}, f.context(), f.record), RunController::StartResult::Busy);
    release.open();
    f.runs.wait();
    // After the end a new run starts again.
    EXPECT_EQ(f.runs.start({CheckKind::Cover}, f.context(), f.record), RunController::StartResult::Started);
    f.runs.wait();
}

TEST(RunController, StopLetsTheWorkingCheckFinishAndEndsTheLaterOnesAfterTheirBeginStep) {
    Frame f;
    f.journalAll();
    Latch working;
    Latch release;
    std::atomic<bool> allowedAfterStop{true};
    f.runs.setBody(CheckKind::Cover, [&](const CheckContext&, CheckMode) {
        f.journal.add(CheckKind::Cover);
        working.open();
        release.waitFor();
        allowedAfterStop = runAllowed();
    });
    ASSERT_EQ(f.startAll(), RunController::StartResult::Started);
    ASSERT_TRUE(working.waitFor());
    EXPECT_TRUE(f.runs.stop());
    EXPECT_FALSE(f.runs.allowRuns());  // preparing another check cannot undo the stop
    release.open();
    f.runs.wait();

    EXPECT_EQ(f.journal.kinds(), (std::vector<CheckKind>{CheckKind::Cover}));
    EXPECT_FALSE(allowedAfterStop.load());
    EXPECT_FALSE(f.runs.runAllowed());
    StatusWrites expected = {
        {1, ""}, {1, " "}, {2, "正在对<封面>进行查错。。"},  // cover begins
        {1, "查错完成"}, {2, " "},                          // stop
        {1, "检测完成"}, {2, " "},                          // cover ends
    };
    for (CheckKind kind : {CheckKind::CnAbstract, CheckKind::EnAbstract, CheckKind::AbstractNotes}) {
        (void)kind;
        expected.insert(expected.end(), {{1, ""}, {2, "正在对<摘要>进行查错。。"}, {1, "检测完成"}, {2, " "}});
    }
    for (CheckKind kind : {CheckKind::Body, CheckKind::References}) {
        (void)kind;
        expected.insert(expected.end(),
                        {{1, ""}, {2, "正在对<正文>进行查错。。"}, {1, "检测完成"}, {2, "  "}, {3, ""}});
    }
    EXPECT_EQ(f.status.writes(), expected);
    EXPECT_EQ(f.status.part(1), "检测完成");

    // A new run may be allowed again.
    EXPECT_TRUE(f.runs.allowRuns());
    ASSERT_EQ(f.runs.start({CheckKind::EnAbstract}, f.context(), f.record), RunController::StartResult::Started);
    f.runs.wait();
    EXPECT_EQ(f.journal.kinds().back(), CheckKind::EnAbstract);
}

TEST(RunController, StopInAutoFixModeWritesTheFixText) {
    Frame f;
    ASSERT_TRUE(f.runs.setMode(CheckMode::AutoFix));
    Latch working;
    Latch release;
    f.runs.setBody(CheckKind::Cover, [&](const CheckContext&, CheckMode mode) {
        EXPECT_EQ(mode, CheckMode::AutoFix);
        working.open();
        release.waitFor();
    });
    ASSERT_EQ(f.runs.start({CheckKind::Cover}, f.context(), f.record), RunController::StartResult::Started);
    ASSERT_TRUE(working.waitFor());
    f.status.clear();
    f.runs.stop();
    EXPECT_EQ(f.status.writes(), (StatusWrites{{1, "修改完成"}, {2, " "}}));
    release.open();
    f.runs.wait();
}

TEST(RunController, ModeChangesOnlyWhileNoRunIsInProgress) {
    Frame f;
    Latch working;
    Latch release;
    std::vector<CheckMode> modes;
    std::mutex m;
    for (CheckKind kind : {CheckKind::Cover, CheckKind::CnAbstract}) {
        f.runs.setBody(kind, [&, kind](const CheckContext&, CheckMode mode) {
            {
                std::lock_guard g(m);
                modes.push_back(mode);
            }
            if (kind == CheckKind::Cover) {
                working.open();
                release.waitFor();
            }
        });
    }
    ASSERT_EQ(f.runs.start({CheckKind::Cover, CheckKind::CnAbstract}, f.context(), f.record),
              RunController::StartResult::Started);
    ASSERT_TRUE(working.waitFor());
    EXPECT_FALSE(f.runs.setMode(CheckMode::AutoFix));
    release.open();
    f.runs.wait();
    EXPECT_EQ(modes, (std::vector<CheckMode>{CheckMode::Check, CheckMode::Check}));
    EXPECT_EQ(f.runs.mode(), CheckMode::Check);
    EXPECT_TRUE(f.runs.setMode(CheckMode::AutoFix));
    EXPECT_EQ(f.runs.mode(), CheckMode::AutoFix);
}

TEST(RunController, PauseHoldsTheCheckAtItsNextEngineCallUntilContinue) {
    Frame f;
    std::atomic<long> calls{0};
    std::atomic<bool> quit{false};
    f.runs.setBody(CheckKind::Body, [&](const CheckContext&, CheckMode) {
        while (!quit.load()) {
            word::passCallGate();  // what every engine call does first
            ++calls;
            std::this_thread::sleep_for(1ms);
        }
    });
    ASSERT_EQ(f.runs.start({CheckKind::Body}, f.context(), f.record), RunController::StartResult::Started);
    while (calls.load() < 5) std::this_thread::sleep_for(1ms);

    EXPECT_TRUE(f.runs.pause());
    const long atPause = calls.load();
    EXPECT_TRUE(f.runs.paused());
    std::this_thread::sleep_for(150ms);
    const long held = calls.load();
    EXPECT_LE(held, atPause + 1);  // at most the call under way completes
    EXPECT_TRUE(f.runs.inProgress());

    EXPECT_TRUE(f.runs.resume());
    EXPECT_FALSE(f.runs.paused());
    auto deadline = std::chrono::steady_clock::now() + 10s;
    while (calls.load() < held + 5 && std::chrono::steady_clock::now() < deadline) std::this_thread::sleep_for(1ms);
    EXPECT_GE(calls.load(), held + 5);

    // Pause again, then stop: a paused check goes on and finishes.
    EXPECT_TRUE(f.runs.pause());
    std::this_thread::sleep_for(20ms);
    quit = true;
    EXPECT_TRUE(f.runs.stop());
    EXPECT_TRUE(f.runs.waitFor(10s));
    EXPECT_FALSE(f.runs.paused());
}

TEST(RunController, APauseBetweenChecksHoldsTheNextCheckBeforeItBegins) {
    Frame f;
    f.journalAll();
    Latch working;
    Latch release;
    f.runs.setBody(CheckKind::CnAbstract, [&](const CheckContext&, CheckMode) {
        f.journal.add(CheckKind::CnAbstract);
        working.open();
        release.waitFor();
    });
    ASSERT_EQ(f.runs.start({CheckKind::CnAbstract, CheckKind::EnAbstract}, f.context(), f.record),
              RunController::StartResult::Started);
    ASSERT_TRUE(working.waitFor());
    f.runs.pause();
    release.open();  // the first check finishes without another engine call
    // The worker reaches the next check and waits there: the run names the
    // waiting check.
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (f.runs.currentRun() != CheckKind::EnAbstract && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(1ms);
    }
    ASSERT_EQ(f.runs.currentRun(), CheckKind::EnAbstract);
    EXPECT_EQ(f.journal.size(), 1u);
    EXPECT_FALSE(f.lock.busy());  // the engine is free meanwhile
    f.runs.resume();
    f.runs.wait();
    EXPECT_EQ(f.journal.kinds(), (std::vector<CheckKind>{CheckKind::CnAbstract, CheckKind::EnAbstract}));
}

TEST(RunController, PauseContinueAndStopDoNothingWhenNoRunIsInProgress) {
    Frame f;
    EXPECT_FALSE(f.runs.pause());
    EXPECT_FALSE(f.runs.paused());
    EXPECT_FALSE(f.runs.resume());
    EXPECT_FALSE(f.runs.stop());
    EXPECT_TRUE(f.runs.runAllowed());
    EXPECT_TRUE(f.status.writes().empty());

    // Nor after a run has ended.
    f.journalAll();
    f.runs.start({CheckKind::Cover}, f.context(), f.record);
    f.runs.wait();
    EXPECT_FALSE(f.runs.pause());
    EXPECT_FALSE(f.runs.stop());
    EXPECT_TRUE(f.runs.runAllowed());
    // The next run is not held by a pause of the previous one.
    f.runs.start({CheckKind::EnAbstract}, f.context(), f.record);
    EXPECT_TRUE(f.runs.waitFor(10s));
}

TEST(RunController, AThrowingCheckStillPassesItsEndStepAndTheNextCheckRuns) {
    Frame f;
    f.journalAll();
    f.runs.setBody(CheckKind::Cover, [](const CheckContext&, CheckMode) { throw std::runtime_error("boom"); });
    ASSERT_EQ(f.runs.start({CheckKind::Cover, CheckKind::CnAbstract}, f.context(), f.record),
              RunController::StartResult::Started);
    ASSERT_TRUE(f.runs.waitFor(10s));
    EXPECT_EQ(f.journal.kinds(), (std::vector<CheckKind>{CheckKind::CnAbstract}));
    EXPECT_FALSE(f.lock.busy());
    EXPECT_EQ(f.messages.texts(), (std::vector<std::string>{std::string(texts::kCheckFailed) + "封面检测\nboom"}));
    StatusWrites writes = f.status.writes();
    ASSERT_GE(writes.size(), 5u);
    EXPECT_EQ(writes[3], (StatusWrite{1, "检测完成"}));  // the cover's end step
    // The lock is free for the next user.
    f.lock.lock();
    f.lock.unlock();
}

TEST(RunController, AnEngineErrorIsToldLikeTheOpeningWorkerTellsIt) {
    Frame f;
    f.runs.setBody(CheckKind::Cover, [](const CheckContext&, CheckMode) {
        throw word::WordError(word::errors::OpenFailed, "文档已损坏");
    });
    f.runs.setBody(CheckKind::CnAbstract, [](const CheckContext&, CheckMode) {
        throw word::WordError(word::errors::BadArgument, "");
    });
    f.runs.start({CheckKind::Cover, CheckKind::CnAbstract}, f.context(), f.record);
    ASSERT_TRUE(f.runs.waitFor(10s));
    using Shown = RecordingMessages::Shown;
    EXPECT_EQ(f.messages.shown(), (std::vector<Shown>{{"Server Error", "Run-time error '4198':\n\n文档已损坏"},
                                                      {"", "调试"},
                                                      {"COM Error", "错误代码 0x800A1069"}}));
    EXPECT_FALSE(f.lock.busy());
}

TEST(RunController, ALostEngineEndsTheRestOfTheRun) {
    Frame f;
    f.journalAll();
    f.runs.setBody(CheckKind::EnAbstract, [](const CheckContext&, CheckMode) {
        throw word::WordError(word::errors::EngineUnavailable, "引擎已退出");
    });
    f.startAll();
    ASSERT_TRUE(f.runs.waitFor(10s));
    EXPECT_EQ(f.journal.kinds(), (std::vector<CheckKind>{CheckKind::Cover, CheckKind::CnAbstract}));
    using Shown = RecordingMessages::Shown;
    // The message names the document whose check the lost engine ended.
    EXPECT_EQ(f.messages.shown(), (std::vector<Shown>{{"Server Error", "Run-time error '1722':\n\n引擎已退出：论文"}}));
    EXPECT_EQ(f.status.part(1), "检测完成");
}

TEST(RunController, ALostEngineNamesTheUsersOwnFile) {
    Frame f;
    f.record->sourcePath = "/home/student/论文 终稿.doc";
    f.runs.setBody(CheckKind::Cover, [](const CheckContext&, CheckMode) {
        throw word::WordError(word::errors::EngineUnavailable, "文档引擎超过 5 秒没有答复，本文档的检测没有完成");
    });
    f.runs.start({CheckKind::Cover}, f.context(), f.record);
    ASSERT_TRUE(f.runs.waitFor(10s));
    ASSERT_EQ(f.messages.shown().size(), 1u);
    EXPECT_TRUE(f.messages.shown()[0].text.ends_with("本文档的检测没有完成：/home/student/论文 终稿.doc"))
        << f.messages.shown()[0].text;
}

TEST(RunController, AFailedThreadStartLeavesNoRunInProgress) {
    RunLock lock;
    RecordingStatus status;
    RecordingMessages messages;
    RunController runs(lock, status, messages, [](std::function<void()>) -> std::thread {
        throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
    });
    auto record = std::make_shared<ThesisDocument>(1, "/w/1/a.doc", "a", nullptr);
    EXPECT_EQ(runs.start(kAll, CheckContext{}, record), RunController::StartResult::ThreadFailed);
    EXPECT_FALSE(runs.inProgress());
    EXPECT_FALSE(lock.busy());
    EXPECT_TRUE(runs.waitFor(0ms));
}

TEST(RunController, ACheckWithoutBodyOnlyPassesItsFrameSteps) {
    Frame f;
    f.runs.start({CheckKind::References}, f.context(), f.record);
    ASSERT_TRUE(f.runs.waitFor(10s));
    EXPECT_EQ(f.status.writes(), (StatusWrites{{1, ""}, {2, "正在对<正文>进行查错。。"}, {1, "检测完成"}, {2, "  "}, {3, ""}}));
}

TEST(RunFlags, AllowedOutsideARun) {
    EXPECT_TRUE(runAllowed());
    std::atomic<bool> flag{false};
    {
        ThreadRunFlag scoped(flag);
        EXPECT_FALSE(runAllowed());
        flag = true;
        EXPECT_TRUE(runAllowed());
        flag = false;
    }
    EXPECT_TRUE(runAllowed());
}

}  // namespace
}  // namespace quillmark
