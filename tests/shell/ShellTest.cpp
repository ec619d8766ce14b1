#include "Fakes.h"

#include "shell/DocumentSet.h"
#include "shell/ShellTexts.h"
#include "shell/Shell.h"

#include <gtest/gtest.h>

#include <fstream>
#include <future>
#include <iterator>

namespace quillmark {
namespace {

namespace fs = std::filesystem;
using testing::RecordingMessages;
using testing::RecordingStatus;
using testing::TempFolder;

std::string readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::shared_ptr<word::Application> noEngine() { throw std::runtime_error("no engine here"); }

TEST(DocumentSet, AFailedCopyIsToldAtOnceAndOpensNothing) {
    TempFolder work;
    RunLock lock;
    RecordingMessages messages;
    DocumentSet documents(lock, messages, work.path(), {nullptr, noEngine});
    EXPECT_EQ(documents.open(work / "nowhere" / "论文.doc"), nullptr);
    ASSERT_EQ(messages.texts().size(), 1u);
    EXPECT_EQ(messages.texts()[0].rfind(texts::kCopyFailed, 0), 0u);
    EXPECT_NE(messages.texts()[0].find("论文.doc"), std::string::npos);
    EXPECT_TRUE(documents.empty());
    EXPECT_TRUE(documents.workingCopies().empty());
    EXPECT_EQ(std::distance(fs::directory_iterator(work.path()), fs::directory_iterator()), 0);
}

TEST(DocumentSet, SameNamedThesesFromDifferentFoldersGetTheirOwnWorkingCopies) {
    TempFolder work;
    TempFolder sources;
    fs::create_directories(sources / "a");
    fs::create_directories(sources / "b");
    std::ofstream(sources / "a" / "论文.doc") << "first thesis";
    std::ofstream(sources / "b" / "论文.doc") << "second thesis";

    RunLock lock;
    RecordingMessages messages;
    DocumentSet documents(lock, messages, work.path(), {nullptr, noEngine});
    // The engine cannot start here: each open says so, but the copies are made first.
    EXPECT_EQ(documents.open(sources / "a" / "论文.doc"), nullptr);
    EXPECT_EQ(documents.open(sources / "b" / "论文.doc"), nullptr);
    EXPECT_EQ(messages.texts(), (std::vector<std::string>{texts::kWordStartFailed, texts::kWordStartFailed}));
    EXPECT_TRUE(documents.empty());

    ASSERT_EQ(documents.workingCopies().size(), 2u);
    const fs::path first = documents.workingCopies()[0];
    const fs::path second = documents.workingCopies()[1];
    EXPECT_NE(first, second);
    EXPECT_EQ(first.filename(), "论文.doc");
    EXPECT_EQ(second.filename(), "论文.doc");
    EXPECT_EQ(first.parent_path().parent_path(), work.path());
    EXPECT_EQ(readBytes(first), "first thesis");
    EXPECT_EQ(readBytes(second), "second thesis");
    // The originals are left as they were.
    EXPECT_EQ(readBytes(sources / "a" / "论文.doc"), "first thesis");

    documents.deleteWorkingCopies();
    EXPECT_FALSE(fs::exists(first));
    EXPECT_FALSE(fs::exists(first.parent_path()));
    EXPECT_FALSE(fs::exists(second.parent_path()));
    EXPECT_TRUE(fs::exists(work.path()));
}

TEST(DocumentSet, PassesOverNumberedFoldersThatAlreadyExist) {
    TempFolder work;
    TempFolder sources;
    fs::create_directories(work / "1");
    std::ofstream(work / "1" / "x.doc") << "someone else's";
    std::ofstream(sources / "x.doc") << "mine";
    RunLock lock;
    RecordingMessages messages;
    DocumentSet documents(lock, messages, work.path(), {nullptr, noEngine});
    documents.open(sources / "x.doc");
    ASSERT_EQ(documents.workingCopies().size(), 1u);
    EXPECT_EQ(documents.workingCopies()[0], work / "2" / "x.doc");
    EXPECT_EQ(readBytes(work / "1" / "x.doc"), "someone else's");
    documents.deleteWorkingCopies();
    EXPECT_TRUE(fs::exists(work / "1" / "x.doc"));
}

TEST(DocumentSet, RecordsMoreThanFortyNineCopiesForDeletion) {
    TempFolder work;
    TempFolder sources;
    std::ofstream(sources / "t.doc") << "t";
    RunLock lock;
    RecordingMessages messages;
    DocumentSet documents(lock, messages, work.path(), {nullptr, noEngine});
    for (int i = 0; i < 60; ++i) documents.open(sources / "t.doc");
    EXPECT_EQ(documents.workingCopies().size(), 60u);
    documents.deleteWorkingCopies();
    EXPECT_EQ(std::distance(fs::directory_iterator(work.path()), fs::directory_iterator()), 0);
}

TEST(DocumentSet, EmptySetCommandsDoNothing) {
    TempFolder work;
    RunLock lock;
    RecordingMessages messages;
    DocumentSet documents(lock, messages, work.path(), {nullptr, noEngine});
    documents.hide();
    EXPECT_TRUE(documents.removeAll());
    EXPECT_EQ(documents.removeOne(0), DocumentSet::RemoveResult::NoSuchDocument);
    documents.shutDownWord();
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_FALSE(lock.busy());
}

struct ShellDesk {
    TempFolder work;
    RecordingMessages messages;
    RecordingStatus status;
    Shell shell{messages, status, Shell::Options{work.path(), noEngine, {}}};
};

TEST(Shell, EveryDocumentAndFindingsCommandIsRefusedDuringARun) {
    ShellDesk d;
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    d.shell.setCheckBody(CheckKind::Body, [released](const CheckContext&, CheckMode) { released.wait(); });
    ASSERT_EQ(d.shell.runs().start({CheckKind::Body}, CheckContext{}, nullptr), RunController::StartResult::Started);

    EXPECT_EQ(d.shell.openThesis(d.work / "x.doc"), nullptr);
    d.shell.removeDocument(0);
    d.shell.removeAllDocuments();
    d.shell.hideWord();
    d.shell.clearFindings();
    EXPECT_FALSE(d.shell.showFindings(0));
    EXPECT_EQ(d.shell.jumpToFinding(0), JumpResult::RunInProgress);
    EXPECT_EQ(d.shell.reportName(0), std::nullopt);
    EXPECT_FALSE(d.shell.writeReport(0, d.work / "r.doc"));
    EXPECT_EQ(d.shell.checkAll(0), CheckStart::RunInProgress);
    EXPECT_EQ(d.messages.texts(), std::vector<std::string>(10, texts::kRunInProgress));

    // A page button says nothing; the mode stays.
    EXPECT_EQ(d.shell.checkPart(CheckKind::Cover, 0), CheckStart::RunInProgress);
    EXPECT_FALSE(d.shell.setMode(CheckMode::AutoFix));
    EXPECT_EQ(d.messages.texts().size(), 10u);
    EXPECT_FALSE(fs::exists(d.work / "r.doc.txt"));

    release.set_value();
    d.shell.waitForRun();
    EXPECT_TRUE(d.shell.setMode(CheckMode::AutoFix));
}

TEST(Shell, CommandsWithoutSelection) {
    ShellDesk d;
    d.shell.removeDocument(std::nullopt);
    EXPECT_EQ(d.shell.reportName(std::nullopt), std::nullopt);
    EXPECT_EQ(d.shell.checkAll(std::nullopt), CheckStart::NoDocument);
    EXPECT_EQ(d.shell.checkPart(CheckKind::Body, std::nullopt), CheckStart::NoDocument);
    EXPECT_FALSE(d.shell.showFindings(std::nullopt));
    EXPECT_EQ(d.shell.jumpToFinding(std::nullopt), JumpResult::NoRowSelected);
    EXPECT_EQ(d.messages.texts(), (std::vector<std::string>{"请选择查看项！", "请选择查看项！", "请选择文档！",
                                                            "请选择文档！", "请选择文档！", "请选择查看项！"}));
    d.messages.clear();
    d.shell.hideWord();            // no documents: nothing
    d.shell.removeAllDocuments();  // no documents: only the lists empty
    EXPECT_TRUE(d.messages.shown().empty());
    EXPECT_FALSE(d.shell.pause());
    EXPECT_FALSE(d.shell.stop());
}

TEST(Shell, DrainingTakesFindingsProgressStatusAndMessagesInPostingOrder) {
    ShellDesk d;
    RunReporter& reporter = d.shell.reporter();
    reporter.postProgress({"正文检测", 10, 1, 1});
    reporter.postCheckError(77, {"论文", kLevelMedium, 2, 3, "字体不对", 100});
    reporter.postCheckState();
    d.shell.handOver().post(StatusPosted{1, "检测完成"});
    d.shell.handOver().post(MessagePosted{"Server Error", "Run-time error '4198':\n\nx"});

    EXPECT_TRUE(d.status.writes().empty());  // nothing happens before the drain
    EXPECT_EQ(d.shell.drainHandOver(), 5u);
    EXPECT_EQ(d.status.writes(), (StatusWrites{{1, "完成   0.33%"}, {1, "检测完成"}}));
    ASSERT_EQ(d.shell.findings().size(), 1u);
    EXPECT_EQ(d.shell.findings().row(0).cells,
              (std::array<std::string, 6>{"1", "论文", "中等", "2", "字体不对", "100"}));
    using Shown = RecordingMessages::Shown;
    EXPECT_EQ(d.messages.shown(), (std::vector<Shown>{{"", "文件名不正确！"},
                                                      {"Server Error", "Run-time error '4198':\n\nx"}}));
    EXPECT_EQ(d.shell.drainHandOver(), 0u);
}

TEST(Shell, RunStatusTextsReachTheStatusBarThroughTheHandOver) {
    ShellDesk d;
    d.shell.setCheckBody(CheckKind::CnAbstract, [](const CheckContext& c, CheckMode) {
        PostProgress(c, "中文摘要检测", 4, 15, 2);
    });
    CheckContext context;
    context.reporter = &d.shell.reporter();
    d.shell.runs().start({CheckKind::CnAbstract}, context, nullptr);
    d.shell.waitForRun();
    EXPECT_TRUE(d.status.writes().empty());
    d.shell.drainHandOver();
    // The last progress report cannot overwrite the end text.
    EXPECT_EQ(d.status.writes(), (StatusWrites{{1, ""},
                                               {2, "正在对<摘要>进行查错。。"},
                                               {1, "完成   37.50%"},
                                               {1, "检测完成"},
                                               {2, " "}}));
}

}  // namespace
}  // namespace quillmark
