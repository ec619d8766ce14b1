#include "Fakes.h"

#include "shell/RunController.h"
#include "shell/RunLock.h"
#include "shell/StatusTexts.h"
#include "shell/TemplateChanges.h"
#include "template/Codepage936.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <fstream>
#include <mutex>

namespace quillmark {
namespace {

using namespace std::chrono_literals;
using testing::RecordingMessages;
using testing::RecordingStatus;
using testing::TempFolder;

// A check that works until the test lets it end.
struct HeldRun {
    RunLock lock;
    RecordingStatus status;
    RecordingMessages messages;
    RunController runs{lock, status, messages};
    std::mutex mutex;
    std::condition_variable cv;
    bool started = false;
    bool released = false;
    float sizeSeen = 0;

    explicit HeldRun(const FormatTemplate& read) {
        runs.setBody(CheckKind::CnAbstract, [this, &read](const CheckContext&, CheckMode) {
            std::unique_lock guard(mutex);
            started = true;
            cv.notify_all();
            cv.wait_for(guard, 10s, [&] { return released; });
            sizeSeen = read.cnAbstractHeadingSize;
        });
    }
    void start() {
        ASSERT_EQ(runs.start({CheckKind::CnAbstract}, CheckContext{}, nullptr), RunController::StartResult::Started);
        std::unique_lock guard(mutex);
        ASSERT_TRUE(cv.wait_for(guard, 10s, [&] { return started; }));
    }
    void finish() {
        {
            std::lock_guard guard(mutex);
            released = true;
        }
        cv.notify_all();
        ASSERT_TRUE(runs.waitFor(10s));
    }
};

std::filesystem::path templateFile(const TempFolder& folder, const std::string& gbkText) {
    std::filesystem::path path = folder / "t.ini";
    std::ofstream(path, std::ios::binary) << gbkText;
    return path;
}

// A template file that sets the size of the abstract heading, in code page 936.
const std::string kHeadingTemplate = utf8ToGbk("[中文摘要]\r\n\"摘要\"标题两字字号=20\r\n");

TEST(TemplateChanges, ALoadWithoutARunChangesTheTemplateAtOnce) {
    FormatTemplate current;
    HeldRun run(current);
    TemplateChanges changes(run.runs, current);
    FormatTemplate changed;
    changed.thesisType = kMasterThesis;
    EXPECT_TRUE(changes.replace(changed));
    EXPECT_EQ(current.thesisType, kMasterThesis);
    EXPECT_FALSE(changes.pending());
}

TEST(TemplateChanges, AChangeDuringARunWaitsUntilTheRunHasEnded) {
    FormatTemplate current;
    HeldRun run(current);
    TemplateChanges changes(run.runs, current);
    run.start();

    FormatTemplate changed;
    changed.cnAbstractHeadingSize = 20.0f;
    changed.thesisType = kMasterThesis;
    EXPECT_FALSE(changes.replace(changed));
    EXPECT_TRUE(changes.pending());
    EXPECT_EQ(changes.latest().thesisType, kMasterThesis);  // what the next run will read
    EXPECT_EQ(current.thesisType, kBachelorThesis);
    EXPECT_FALSE(changes.applyPending());  // still running

    run.finish();
    EXPECT_EQ(run.sizeSeen, 16.0f);  // the running check never saw the change
    EXPECT_TRUE(changes.applyPending());
    EXPECT_EQ(current.cnAbstractHeadingSize, 20.0f);
    EXPECT_EQ(current.thesisType, kMasterThesis);
    EXPECT_FALSE(changes.pending());
    EXPECT_FALSE(changes.applyPending());  // nothing left to apply
}

TEST(TemplateChanges, FilesLoadedDuringARunBuildOnEachOther) {
    TempFolder folder;
    FormatTemplate current;
    HeldRun run(current);
    TemplateChanges changes(run.runs, current);
    run.start();

    FormatTemplate master;
    master.thesisType = kMasterThesis;
    EXPECT_FALSE(changes.replace(master));
    // The second load reads over the waiting change, not over the template in use.
    EXPECT_EQ(changes.loadFile(templateFile(folder, kHeadingTemplate)), TemplateLoad::Loaded);
    EXPECT_TRUE(changes.pending());
    EXPECT_EQ(changes.latest().cnAbstractHeadingSize, 20.0f);
    EXPECT_EQ(changes.latest().thesisType, kMasterThesis);
    EXPECT_EQ(current, FormatTemplate{});

    run.finish();
    EXPECT_TRUE(changes.applyPending());
    EXPECT_EQ(current.cnAbstractHeadingSize, 20.0f);
    EXPECT_EQ(current.thesisType, kMasterThesis);
}

TEST(TemplateChanges, AFileThatIsNoTemplateChangesNothingAndLeavesTheWaitingChange) {
    TempFolder folder;
    FormatTemplate current;
    HeldRun run(current);
    TemplateChanges changes(run.runs, current);
    EXPECT_EQ(changes.loadFile(templateFile(folder, "")), TemplateLoad::NotATemplate);
    EXPECT_EQ(changes.loadFile(folder / "missing.ini"), TemplateLoad::Unreadable);
    EXPECT_EQ(current, FormatTemplate{});
    EXPECT_FALSE(changes.pending());

    run.start();
    FormatTemplate master;
    master.thesisType = kMasterThesis;
    changes.replace(master);
    EXPECT_EQ(changes.loadFile(templateFile(folder, "random\x01\xff bytes")), TemplateLoad::NotATemplate);
    EXPECT_EQ(changes.latest(), master);
    run.finish();
    EXPECT_TRUE(changes.applyPending());
    EXPECT_EQ(current, master);
}

TEST(StatusTexts, ThesisTypeTitleNamesTheKindOfThesis) {
    EXPECT_EQ(thesisTypeTitle(kBachelorThesis), "Norvale(学士论文检测)");
    EXPECT_EQ(thesisTypeTitle(kMasterThesis), "Norvale(硕士论文检测)");
    EXPECT_EQ(thesisTypeTitle(7), "Norvale(学士论文检测)");  // anything else counts as bachelor's
}

}  // namespace
}  // namespace quillmark
