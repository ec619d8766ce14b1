#include "Fakes.h"

#include "shell/CheckCommands.h"
#include "shell/CheckKinds.h"
#include "shell/PostingReporter.h"
#include "shell/ShellTexts.h"
#include "template/FormatTemplate.h"
#include "word/Application.h"

#include <gtest/gtest.h>

#include <future>
#include <mutex>
#include <vector>

namespace quillmark {
namespace {

using testing::RecordingMessages;
using testing::RecordingStatus;

struct Desk {
    RunLock lock;
    RecordingStatus status;
    RecordingMessages messages;
    RunController runs{lock, status, messages};
    HandOverQueue queue;
    PostingReporter reporter{queue};
    std::shared_ptr<word::Application> app = std::make_shared<word::Application>();
    DocumentRecords records{std::make_shared<ThesisDocument>(11, "/w/1/甲.doc", "甲", app),
                            std::make_shared<ThesisDocument>(12, "/w/2/乙.doc", "乙", app)};
    std::mutex mutex;
    std::vector<std::pair<CheckKind, CheckContext>> ran;

    Desk() {
        for (CheckKind kind : kCheckAllOrder) {
            runs.setBody(kind, [this, kind](const CheckContext& c, CheckMode) {
                std::lock_guard g(mutex);
                ran.emplace_back(kind, c);
            });
        }
    }
    std::vector<CheckKind> ranKinds() {
        std::lock_guard g(mutex);
        std::vector<CheckKind> kinds;
        for (auto& r : ran) kinds.push_back(r.first);
        return kinds;
    }
};

TEST(PrepareCheck, FillsTheContextFromTheSelectedDocument) {
    Desk d;
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    d.runs.setBody(CheckKind::Cover, [released](const CheckContext&, CheckMode) { released.wait(); });
    d.runs.start({CheckKind::Cover}, {}, nullptr);
    ASSERT_TRUE(d.runs.stop());
    release.set_value();
    d.runs.wait();
    ASSERT_FALSE(d.runs.runAllowed());

    std::optional<CheckContext> c = PrepareCheck(d.runs, d.records, d.messages, 1, &d.reporter);
    ASSERT_TRUE(c);
    EXPECT_TRUE(d.runs.runAllowed());  // allowed again after the stop
    EXPECT_EQ(c->documentIndex, 1);
    EXPECT_EQ(c->documentId, 12u);
    EXPECT_EQ(c->fileName, "乙");
    EXPECT_EQ(c->wordApplication, d.app.get());
    EXPECT_EQ(c->formatTemplate, &currentTemplate());
    EXPECT_EQ(c->reporter, &d.reporter);
    EXPECT_TRUE(c->wordDocument.IsNull());
}

TEST(PrepareCheck, WithoutSelectionAsksForADocument) {
    Desk d;
    EXPECT_FALSE(PrepareCheck(d.runs, d.records, d.messages, std::nullopt, &d.reporter));
    EXPECT_FALSE(PrepareCheck(d.runs, d.records, d.messages, 2, &d.reporter));
    EXPECT_EQ(d.messages.texts(), (std::vector<std::string>{"请选择文档！", "请选择文档！"}));
}

TEST(PageCheck, AsksBeforeCheckingAPartAgain) {
    Desk d;
    ThesisDocument& first = *d.records[0];
    EXPECT_TRUE(first.pendingCnAbstract);
    EXPECT_EQ(startPageCheck(d.runs, d.records, d.messages, &d.reporter, CheckKind::CnAbstract, 0),
              CheckStart::Started);
    d.runs.wait();
    EXPECT_FALSE(first.pendingCnAbstract);
    EXPECT_TRUE(d.messages.questions().empty());

    // Second time: the question; No leaves everything as it was.
    d.messages.answer(false);
    EXPECT_EQ(startPageCheck(d.runs, d.records, d.messages, &d.reporter, CheckKind::CnAbstract, 0),
              CheckStart::Declined);
    EXPECT_EQ(d.messages.questions(), (std::vector<std::string>{"该部份已经被查过，是否再查找一次"}));
    EXPECT_EQ(d.ranKinds().size(), 1u);

    // Yes runs it again.
    d.messages.answer(true);
    EXPECT_EQ(startPageCheck(d.runs, d.records, d.messages, &d.reporter, CheckKind::CnAbstract, 0),
              CheckStart::Started);
    d.runs.wait();
    EXPECT_EQ(d.ranKinds().size(), 2u);

    // Flags are per document and per part.
    EXPECT_TRUE(first.pendingEnAbstract);
    EXPECT_TRUE(d.records[1]->pendingCnAbstract);
}

TEST(PageCheck, DoesNothingSilentlyWhileARunIsInProgress) {
    Desk d;
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    d.runs.setBody(CheckKind::Body, [released](const CheckContext&, CheckMode) { released.wait(); });
    ASSERT_EQ(startPageCheck(d.runs, d.records, d.messages, &d.reporter, CheckKind::Body, 0), CheckStart::Started);
    EXPECT_EQ(startPageCheck(d.runs, d.records, d.messages, &d.reporter, CheckKind::Cover, 1),
              CheckStart::RunInProgress);
    EXPECT_TRUE(d.messages.shown().empty());
    EXPECT_TRUE(d.records[1]->pendingCover);  // untouched

    EXPECT_EQ(startCheckAll(d.runs, d.records, d.messages, &d.reporter, 1), CheckStart::RunInProgress);
    EXPECT_EQ(d.messages.texts(), (std::vector<std::string>{texts::kRunInProgress}));
    release.set_value();
    d.runs.wait();
}

TEST(CheckAll, RunsEverythingInOrderWithoutAskingOrTouchingTheFlags) {
    Desk d;
    d.records[0]->pendingBody = false;  // checked before from its page
    EXPECT_EQ(startCheckAll(d.runs, d.records, d.messages, &d.reporter, 0), CheckStart::Started);
    d.runs.wait();
    EXPECT_EQ(d.ranKinds(), std::vector<CheckKind>(kCheckAllOrder.begin(), kCheckAllOrder.end()));
    EXPECT_TRUE(d.messages.questions().empty());
    const ThesisDocument& r = *d.records[0];
    EXPECT_TRUE(r.pendingCover && r.pendingCnAbstract && r.pendingEnAbstract && r.pendingAbstractNotes &&
                r.pendingReferences);
    EXPECT_FALSE(r.pendingBody);
    for (auto& [kind, context] : d.ran) EXPECT_EQ(context.documentId, 11u);

    // After check all, the page buttons do not ask.
    EXPECT_EQ(startPageCheck(d.runs, d.records, d.messages, &d.reporter, CheckKind::Cover, 0), CheckStart::Started);
    d.runs.wait();
    EXPECT_TRUE(d.messages.questions().empty());
}

TEST(CheckAll, WithoutSelectionAsksForADocument) {
    Desk d;
    EXPECT_EQ(startCheckAll(d.runs, d.records, d.messages, &d.reporter, std::nullopt), CheckStart::NoDocument);
    EXPECT_EQ(d.messages.texts(), (std::vector<std::string>{"请选择文档！"}));
    EXPECT_FALSE(d.runs.inProgress());
}

}  // namespace
}  // namespace quillmark
