// The shell with the real engine: working copies, checks on them, the jump
// to a finding and the report.
#include "../Fakes.h"

#include "shell/PostingReporter.h"
#include "shell/ReportWriter.h"
#include "shell/Shell.h"
#include "shell/ShellTexts.h"
#include "support/DocBuilder.h"
#include "support/Files.h"
#include "word/msword.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <iterator>
#include <thread>

namespace quillmark {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testing::DocBuilder;
using testing::RecordingMessages;
using testing::RecordingStatus;
using testing::TempFolder;
using testing::readBytes;

std::string thesis(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    return DocBuilder().paragraph(text).paragraph("第二段正文。").save(path.string());
}

struct EngineDesk {
    TempFolder work;
    TempFolder sources;
    TempFolder out;
    RecordingMessages messages;
    RecordingStatus status;
    Shell shell{messages, status, Shell::Options{work.path(), {}, {}}};

    std::shared_ptr<ThesisDocument> openAndWait(const fs::path& path) {
        auto record = shell.openThesis(path);
        shell.waitForOpenings();
        shell.drainHandOver();
        return record;
    }
    // A check body that posts one finding whose text is the document's first paragraph.
    void postFirstParagraph(CheckKind kind, int position) {
        shell.setCheckBody(kind, [position](const CheckContext& c, CheckMode) {
            std::string text = c.wordDocument.Paragraphs().Item(1).Range().Text();
            PostCheckError(c, kLevelMedium, 1, 1, text.substr(0, text.size() - 1), position);
        });
    }
};

TEST(ShellEngine, OpensAWorkingCopyAndNeverTouchesTheOriginal) {
    EngineDesk d;
    const std::string original = thesis(d.sources / "论文.doc", "摘要");
    const std::string before = readBytes(original);
    const auto modified = fs::last_write_time(original);

    auto record = d.openAndWait(original);
    ASSERT_TRUE(record);
    EXPECT_TRUE(d.messages.shown().empty());
    EXPECT_EQ(record->displayName, "论文");
    EXPECT_EQ(fs::path(record->tempCopyPath).filename(), "论文.doc");
    EXPECT_EQ(fs::path(record->tempCopyPath).parent_path().parent_path(), d.work.path());
    word::Document document = record->wordDocument();
    ASSERT_FALSE(document.IsNull());
    EXPECT_EQ(document.FullName(), record->tempCopyPath);
    EXPECT_FALSE(d.shell.documents().application()->Visible());

    // A check that writes into the document works on the copy.
    d.shell.setCheckBody(CheckKind::Cover, [](const CheckContext& c, CheckMode) {
        c.wordDocument.Activate();
        c.wordDocument.Range(0, 0).Select();
        c.wordApplication->Selection().TypeText("插入的文字");
    });
    ASSERT_EQ(d.shell.checkPart(CheckKind::Cover, 0), CheckStart::Started);
    d.shell.waitForRun();
    d.shell.drainHandOver();
    EXPECT_TRUE(d.messages.shown().empty());
    EXPECT_EQ(document.Paragraphs().Item(1).Range().Text().rfind("插入的文字", 0), 0u);
    EXPECT_EQ(d.status.part(1), "检测完成");
    EXPECT_EQ(d.status.part(2), " ");

    ASSERT_TRUE(d.shell.writeReport(0, d.out / "论文(修改后).doc"));
    d.shell.close();
    EXPECT_EQ(readBytes(original), before);
    EXPECT_EQ(fs::last_write_time(original), modified);
    EXPECT_FALSE(fs::exists(record->tempCopyPath));  // working copies go at the end
}

TEST(ShellEngine, SameNamedThesesFromTwoFoldersAreCheckedAndJumpedToSeparately) {
    EngineDesk d;
    const std::string a = thesis(d.sources / "a" / "论文.doc", "甲的论文");
    const std::string b = thesis(d.sources / "b" / "论文.doc", "乙的论文");
    auto first = d.openAndWait(a);
    auto second = d.openAndWait(b);
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->displayName, second->displayName);
    EXPECT_NE(first->tempCopyPath, second->tempCopyPath);
    EXPECT_EQ(first->wordApplication, second->wordApplication);  // one engine instance

    d.postFirstParagraph(CheckKind::CnAbstract, 2);
    ASSERT_EQ(d.shell.checkPart(CheckKind::CnAbstract, 1), CheckStart::Started);
    d.shell.waitForRun();
    ASSERT_EQ(d.shell.checkPart(CheckKind::CnAbstract, 0), CheckStart::Started);
    d.shell.waitForRun();
    d.shell.drainHandOver();

    EXPECT_TRUE(d.messages.shown().empty());
    ASSERT_EQ(first->findings.size(), 1u);
    ASSERT_EQ(second->findings.size(), 1u);
    EXPECT_EQ(first->findings[0].description, "甲的论文");
    EXPECT_EQ(second->findings[0].description, "乙的论文");
    ASSERT_EQ(d.shell.findings().size(), 2u);
    EXPECT_EQ(d.shell.findings().row(0).description(), "乙的论文");

    // The first row belongs to the second thesis: the jump lands there.
    EXPECT_EQ(d.shell.jumpToFinding(0), JumpResult::Jumped);
    word::Application& app = *d.shell.documents().application();
    EXPECT_TRUE(app.Visible());
    EXPECT_EQ(app.ActiveDocument().FullName(), second->tempCopyPath);
    EXPECT_EQ(app.Selection().Start(), 2);
    EXPECT_EQ(app.Selection().End(), 2);

    d.shell.hideWord();
    EXPECT_FALSE(app.Visible());

    d.shell.clearFindings();
    EXPECT_TRUE(first->findings.empty());
    EXPECT_TRUE(second->findings.empty());
}

TEST(ShellEngine, ReportSavesTheCheckedCopyAndWritesTheTextBesideIt) {
    EngineDesk d;
    const std::string original = thesis(d.sources / "论文.doc", "摘要");
    const std::string before = readBytes(original);
    auto record = d.openAndWait(original);
    ASSERT_TRUE(record);
    record->findings = {{3, 12, "中等", "X", 5}, {1, 1, "严重", "Y", 0}};

    std::optional<std::string> name = d.shell.reportName(0);
    ASSERT_EQ(name, "论文(修改后).doc");
    const fs::path target = d.out / *name;
    ASSERT_TRUE(d.shell.writeReport(0, target));
    EXPECT_TRUE(d.messages.shown().empty());
    EXPECT_EQ(readBytes(target).substr(0, 8), std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8));  // Word 97-2003
    EXPECT_EQ(readBytes(d.out / "论文(修改后).doc.txt"), reportText(record->findings));
    EXPECT_EQ(record->wordDocument().FullName(), target.string());  // the engine holds the saved file now
    EXPECT_EQ(readBytes(original), before);

    // The engine cannot save (a folder stands where the file should go): no text report.
    const fs::path nowhere = d.out / "x.doc";
    fs::create_directories(nowhere);
    EXPECT_FALSE(d.shell.writeReport(0, nowhere));
    ASSERT_EQ(d.messages.texts().size(), 1u);
    EXPECT_EQ(d.messages.texts()[0].rfind(texts::kSaveFailed, 0), 0u);
    EXPECT_FALSE(fs::exists(textReportPath(nowhere)));

    // Never over the thesis itself, nor through a link to it; it stays as it was.
    fs::create_symlink(original, d.out / "link.doc");
    for (const fs::path& own : {fs::path(original), d.out / "link.doc"}) {
        d.messages.clear();
        EXPECT_FALSE(d.shell.writeReport(0, own));
        ASSERT_EQ(d.messages.texts().size(), 1u);
        EXPECT_EQ(d.messages.texts()[0].rfind(texts::kReportIsThesis, 0), 0u);
    }
    EXPECT_EQ(readBytes(original), before);
    EXPECT_FALSE(fs::exists(original + ".txt"));

    // Nor into a folder that is not there (a plain file stands in its place).
    d.messages.clear();
    std::ofstream(d.out / "blocker") << "x";
    EXPECT_FALSE(d.shell.writeReport(0, d.out / "blocker" / "y.doc"));
    ASSERT_EQ(d.messages.texts().size(), 1u);
    EXPECT_EQ(d.messages.texts()[0].rfind(texts::kSaveFailed, 0), 0u);
}

TEST(ShellEngine, AFailedOpeningIsToldAndTheRecordStaysWithoutADocument) {
    EngineDesk d;
    const fs::path bad = d.sources / "坏.doc";
    std::ofstream(bad) << "plain text, not a thesis\n";
    auto record = d.openAndWait(bad);
    ASSERT_TRUE(record);
    auto shown = d.messages.shown();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].caption, "Server Error");
    EXPECT_EQ(shown[0].text.rfind("Run-time error '4197':\n\n", 0), 0u) << shown[0].text;
    EXPECT_TRUE(record->wordDocument().IsNull());
    EXPECT_EQ(d.shell.documents().size(), 1u);

    // Checks and the report treat it as an empty document; removing it works.
    d.messages.clear();
    ASSERT_TRUE(d.shell.writeReport(0, d.out / "坏(修改后).doc"));
    EXPECT_TRUE(fs::exists(d.out / "坏(修改后).doc.txt"));
    d.shell.removeDocument(0);
    EXPECT_TRUE(d.shell.documents().empty());
    EXPECT_TRUE(d.messages.shown().empty());
}

TEST(ShellEngine, ACheckStartedDuringTheOpeningSeesTheOpenedDocument) {
    EngineDesk d;
    const std::string original = thesis(d.sources / "论文.doc", "封面标题");
    std::atomic<bool> sawDocument{false};
    d.shell.setCheckBody(CheckKind::Cover, [&](const CheckContext& c, CheckMode) {
        sawDocument = !c.wordDocument.IsNull() && c.wordDocument.Content().Text().rfind("封面标题", 0) == 0;
    });
    ASSERT_TRUE(d.shell.openThesis(original));
    ASSERT_EQ(d.shell.checkPart(CheckKind::Cover, 0), CheckStart::Started);  // no waiting for the opening
    d.shell.waitForRun();
    EXPECT_TRUE(sawDocument.load());
}

TEST(ShellEngine, ThesesClosedInWordAreStillRemovedWithTheirRows) {
    EngineDesk d;
    auto first = d.openAndWait(thesis(d.sources / "a" / "甲.doc", "甲"));
    auto second = d.openAndWait(thesis(d.sources / "b" / "乙.doc", "乙"));
    d.postFirstParagraph(CheckKind::Body, 1);
    d.shell.checkPart(CheckKind::Body, 0);
    d.shell.waitForRun();
    d.shell.checkPart(CheckKind::Body, 1);
    d.shell.waitForRun();
    d.shell.drainHandOver();
    ASSERT_EQ(d.shell.findings().size(), 2u);

    // The user closes the first thesis in the engine. The jump removes its rows silently.
    first->wordDocument().Close(false);
    EXPECT_EQ(d.shell.jumpToFinding(0), JumpResult::DocumentClosed);
    EXPECT_TRUE(d.messages.shown().empty());
    ASSERT_EQ(d.shell.findings().size(), 1u);
    EXPECT_EQ(d.shell.findings().row(0).fileName(), "乙");
    EXPECT_EQ(first->findings.size(), 1u);  // the record keeps its findings

    // Removing it tells the user; the remaining rows belong to the other thesis and stay.
    d.shell.removeDocument(0);
    EXPECT_EQ(d.messages.texts(), (std::vector<std::string>{texts::kDocumentClosedInWord}));
    EXPECT_EQ(d.shell.documents().size(), 1u);
    EXPECT_EQ(d.shell.findings().size(), 1u);

    // Removing the last thesis one by one leaves the engine running; the rows of
    // a thesis closed normally stay.
    d.messages.clear();
    d.shell.removeDocument(0);
    EXPECT_TRUE(d.messages.shown().empty());
    EXPECT_TRUE(d.shell.documents().empty());
    EXPECT_TRUE(d.shell.documents().application());
    EXPECT_EQ(d.shell.findings().size(), 1u);

    // The next thesis reuses the running instance.
    auto third = d.openAndWait(thesis(d.sources / "c" / "丙.doc", "丙"));
    ASSERT_TRUE(third);
    EXPECT_FALSE(third->wordDocument().IsNull());

    // Clearing all files quits the engine and empties both lists.
    d.shell.removeAllDocuments();
    EXPECT_TRUE(d.shell.documents().empty());
    EXPECT_FALSE(d.shell.documents().application());
    EXPECT_TRUE(d.shell.findings().empty());
    EXPECT_TRUE(d.messages.shown().empty());

    // A new open starts a new instance.
    auto fourth = d.openAndWait(thesis(d.sources / "d" / "丁.doc", "丁"));
    ASSERT_TRUE(fourth);
    EXPECT_FALSE(fourth->wordDocument().IsNull());
    EXPECT_TRUE(d.messages.shown().empty());
}

TEST(ShellEngine, PauseHoldsARealCheckBetweenEngineCalls) {
    EngineDesk d;
    ASSERT_TRUE(d.openAndWait(thesis(d.sources / "论文.doc", "正文")));
    std::atomic<long> calls{0};
    std::atomic<bool> quit{false};
    d.shell.setCheckBody(CheckKind::Body, [&](const CheckContext& c, CheckMode) {
        while (!quit.load()) {
            (void)c.wordDocument.Paragraphs().Item(1).Range().Text();
            ++calls;
        }
    });
    ASSERT_EQ(d.shell.checkPart(CheckKind::Body, 0), CheckStart::Started);
    while (calls.load() < 3) std::this_thread::sleep_for(1ms);

    ASSERT_TRUE(d.shell.pause());
    const long atPause = calls.load();
    std::this_thread::sleep_for(800ms);
    const long held = calls.load();
    EXPECT_LE(held, atPause + 1);  // at most the call under way completes
    EXPECT_TRUE(d.shell.runInProgress());

    ASSERT_TRUE(d.shell.resume());
    auto deadline = std::chrono::steady_clock::now() + 30s;
    while (calls.load() < held + 3 && std::chrono::steady_clock::now() < deadline) std::this_thread::sleep_for(1ms);
    EXPECT_GE(calls.load(), held + 3);

    ASSERT_TRUE(d.shell.stop());  // while the check still works
    quit = true;
    EXPECT_TRUE(d.shell.waitForRun(30s));
    d.shell.drainHandOver();
    EXPECT_EQ(d.status.part(1), "检测完成");  // the end step follows the stop texts
}

}  // namespace
}  // namespace quillmark
