#include "shell/HandOverQueue.h"
#include "shell/PostingReporter.h"
#include "shell/ProgressText.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

namespace quillmark {
namespace {

TEST(HandOverQueue, DeliversEveryFindingOnceInPostingOrderWhileTheReceiverDrains) {
    constexpr int kPosters = 4;
    constexpr int kPerPoster = 5000;
    HandOverQueue queue;
    PostingReporter reporter(queue);

    std::atomic<bool> done{false};
    std::vector<FindingPosted> received;
    std::thread receiver([&] {
        while (true) {
            bool finished = done.load();
            for (HandOver& item : queue.takeAll()) {
                ASSERT_TRUE(std::holds_alternative<FindingPosted>(item));
                received.push_back(std::get<FindingPosted>(std::move(item)));
            }
            if (finished) break;
            queue.waitForItems(std::chrono::milliseconds(1));
        }
    });

    std::vector<std::thread> posters;
    for (int p = 0; p < kPosters; ++p) {
        posters.emplace_back([&, p] {
            for (int i = 0; i < kPerPoster; ++i) {
                reporter.postCheckError(static_cast<std::uint64_t>(p + 1),
                                        CheckError{"论文", kLevelMedium, i, p, "第" + std::to_string(i) + "处", i});
            }
        });
    }
    for (auto& t : posters) t.join();
    done = true;
    receiver.join();

    ASSERT_EQ(received.size(), static_cast<std::size_t>(kPosters * kPerPoster));
    // Per posting thread: each finding once, in the order posted, intact.
    std::vector<int> next(kPosters, 0);
    for (const FindingPosted& f : received) {
        int p = static_cast<int>(f.documentId) - 1;
        ASSERT_GE(p, 0);
        ASSERT_LT(p, kPosters);
        EXPECT_EQ(f.error.position, next[p]);
        EXPECT_EQ(f.error.line, p);
        EXPECT_EQ(f.error.description, "第" + std::to_string(next[p]) + "处");
        EXPECT_EQ(f.error.fileName, "论文");
        ++next[p];
    }
    for (int p = 0; p < kPosters; ++p) EXPECT_EQ(next[p], kPerPoster);
    EXPECT_EQ(queue.pending(), 0u);
}

TEST(HandOverQueue, KeepsFindingsProgressAndStatusInOneOrder) {
    HandOverQueue queue;
    PostingReporter reporter(queue);
    PostingStatusSink status(queue);
    reporter.postProgress({"中文摘要检测", 10, 1, 1});
    reporter.postCheckError(7, {"论文", kLevelSevere, 1, 1, "缺少摘要", 0});
    reporter.postCheckState();
    status.setPart(1, "检测完成");

    std::vector<HandOver> items = queue.takeAll();
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(std::get<ProgressPosted>(items[0]).report.totalPages, 10);
    EXPECT_EQ(std::get<FindingPosted>(items[1]).documentId, 7u);
    EXPECT_EQ(std::get<FindingPosted>(items[1]).error.description, "缺少摘要");
    EXPECT_TRUE(std::holds_alternative<CheckStatePosted>(items[2]));
    EXPECT_EQ(std::get<StatusPosted>(items[3]).text, "检测完成");
    EXPECT_TRUE(queue.takeAll().empty());  // taken exactly once
}

TEST(HandOverQueue, PostingNeverWaitsForTheReceiver) {
    HandOverQueue queue;
    std::atomic<int> wakeUps{0};
    queue.setWakeUp([&] { ++wakeUps; });
    PostingReporter reporter(queue);
    // Nobody drains: every post still returns.
    auto started = std::chrono::steady_clock::now();
    for (int i = 0; i < 20000; ++i) reporter.postCheckError(1, {"a", kLevelMedium, 1, 1, "x", i});
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));
    EXPECT_EQ(queue.pending(), 20000u);
    EXPECT_EQ(wakeUps.load(), 20000);
    EXPECT_TRUE(queue.waitForItems(std::chrono::milliseconds(0)));
}

TEST(HandOverQueue, WaitForItemsTimesOutWhenNothingCame) {
    HandOverQueue queue;
    EXPECT_FALSE(queue.waitForItems(std::chrono::milliseconds(5)));
    std::thread poster([&] { queue.post(CheckStatePosted{}); });
    EXPECT_TRUE(queue.waitForItems(std::chrono::seconds(10)));
    poster.join();
}

TEST(PostCheckError, TakesFileNameAndDocumentFromTheContext) {
    HandOverQueue queue;
    PostingReporter reporter(queue);
    CheckContext context;
    context.documentId = 42;
    context.fileName = "论文";
    context.reporter = &reporter;

    PostCheckError(context, kLevelMedium, 3, 12, "字号应为小四", 157);
    PostProgress(context, "正文检测", 20, 5, 2);

    std::vector<HandOver> items = queue.takeAll();
    ASSERT_EQ(items.size(), 2u);
    const FindingPosted& f = std::get<FindingPosted>(items[0]);
    EXPECT_EQ(f.documentId, 42u);
    EXPECT_EQ(f.error.fileName, "论文");
    EXPECT_EQ(f.error.level, "中等");
    EXPECT_EQ(f.error.page, 3);
    EXPECT_EQ(f.error.line, 12);
    EXPECT_EQ(f.error.description, "字号应为小四");
    EXPECT_EQ(f.error.position, 157);
    const ProgressReport& r = std::get<ProgressPosted>(items[1]).report;
    EXPECT_EQ(r.text, "正文检测");
    EXPECT_EQ(r.totalPages, 20);
    EXPECT_EQ(r.line, 5);
    EXPECT_EQ(r.page, 2);
}

TEST(PostCheckError, PostsToTheContextsReporterOnlyWhileItHasOne) {
    HandOverQueue queue;
    PostingReporter reporter(queue);
    CheckContext context;
    context.reporter = &reporter;
    PostCheckError(context, kLevelMedium, 3, 4, "字号有误", 12);
    PostProgress(context, "正文检测", 9, 5, 2);
    EXPECT_EQ(queue.pending(), 2u);
    queue.takeAll();

    // A context without a reporter (a check run directly) posts nothing.
    context.reporter = nullptr;
    PostCheckError(context, kLevelMedium, 1, 1, "x", 0);
    PostProgress(context, "x", 1, 1, 1);
    EXPECT_EQ(queue.pending(), 0u);
}

TEST(ProgressText, FollowsPageAndLineAtThirtyLinesAPage) {
    EXPECT_EQ(progressText({"", 10, 1, 1}), "完成   0.33%");
    EXPECT_EQ(progressText({"", 10, 30, 10}), "完成   100.00%");
    EXPECT_EQ(progressText({"", 4, 15, 2}), "完成   37.50%");
    EXPECT_EQ(progressText({"", 1, 0, 1}), "完成   0.00%");
}

TEST(ProgressText, StaysWithinZeroAndAHundred) {
    EXPECT_EQ(progressText({"", 0, 5, 3}), "完成   0.00%");    // no page count
    EXPECT_EQ(progressText({"", -2, 5, 3}), "完成   0.00%");
    EXPECT_EQ(progressText({"", 10, 0, 0}), "完成   0.00%");    // before the first page
    EXPECT_EQ(progressText({"", 10, 20, 12}), "完成   100.00%");  // the document grew
    EXPECT_DOUBLE_EQ(progressPercent({"", 3, 0, 2}), 100.0 / 3);
}

}  // namespace
}  // namespace quillmark
