#include "support/DocBuilder.h"
#include "support/Engine.h"
#include "word/CallBound.h"
#include "word/CallGate.h"
#include "word/Engine.h"
#include "word/DocumentModel.h"
#include "word/msword.h"

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/frame/XLayoutManager.hpp>
#include <com/sun/star/frame/XModel.hpp>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <thread>

namespace {

namespace css = ::com::sun::star;
using css::uno::Reference;
using css::uno::UNO_QUERY_THROW;
using quillmark::testing::DocBuilder;
using namespace quillmark::testing;

std::string writeFile(const std::string& name, const std::string& bytes) {
    const std::string path = scratchDir() + "/" + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

long openErrorCode(const std::string& path) {
    try {
        sharedApplication().Documents().Open(path);
    } catch (const word::WordError& e) {
        EXPECT_FALSE(e.description().empty());
        return e.code();
    }
    return 0;
}

TEST(EngineOpen, RefusesWhatIsNotADocument) {
    EXPECT_EQ(openErrorCode(scratchDir() + "/missing.doc"), word::errors::OpenFailed);
    EXPECT_EQ(openErrorCode(scratchDir()), word::errors::NotADocument);
    EXPECT_EQ(openErrorCode(writeFile("empty.doc", "")), word::errors::NotADocument);
    EXPECT_EQ(openErrorCode(writeFile("notes.doc", "just some plain text\nand more\n")), word::errors::NotADocument);
    std::string junk(4096, '\0');
    for (size_t i = 0; i < junk.size(); ++i) junk[i] = static_cast<char>((i * 7919) % 251);
    EXPECT_NE(openErrorCode(writeFile("junk.doc", junk)), 0);
}

TEST(EngineOpen, TruncatedDocumentGivesAnErrorOrOpens) {
    const std::string whole = DocBuilder().paragraph("第一段。").paragraph("第二段。").save(scratchDir() + "/whole.doc");
    std::ifstream in(whole, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), {});
    const std::string cut = writeFile("cut.doc", bytes.substr(0, bytes.size() / 3));
    try {
        auto doc = sharedApplication().Documents().Open(cut);
        (void)doc.Content().Text();
        doc.Close();
    } catch (const word::WordError& e) {
        EXPECT_NE(e.code(), word::errors::EngineUnavailable);
    }
    // The engine is still there for the next document.
    auto doc = openCopy(whole);
    EXPECT_EQ(doc.Paragraphs().Count(), 2);
    doc.Close();
}

TEST(EngineOpen, OpensADocumentBuiltAndSavedAsDoc) {
    const std::string path = DocBuilder().paragraph("摘要").paragraph("正文").save(scratchDir() + "/two.doc");
    auto doc = openCopy(path);
    EXPECT_EQ(doc.Content().Text(), "摘要\r正文\r");
    doc.Close();
}

// A profile that has not seen the engine's version makes the engine run its
// graphics self-tests at every start (seconds before it serves a document);
// they leave their log in the profile.
TEST(EngineLife, AnEngineStartsWithoutTheSelfTestsOfANewVersion) {
    const std::string path = DocBuilder().paragraph("摘要").save(scratchDir() + "/start.doc");
    auto doc = openCopy(path);
    const std::filesystem::path profile = word::Engine::instance().profileDirectory();
    ASSERT_TRUE(std::filesystem::exists(profile / "user")) << profile;
    EXPECT_FALSE(std::filesystem::exists(profile / "user" / "GraphicsRenderTests.log"));
    doc.Close();
}

Reference<css::frame::XLayoutManager> layoutManagerOf(const word::Document& doc) {
    const auto frame = doc.model()->unoModel()->getCurrentController()->getFrame();
    return {Reference<css::beans::XPropertySet>(frame, UNO_QUERY_THROW)->getPropertyValue("LayoutManager"), UNO_QUERY_THROW};
}

// A hidden document's status bar counts the words of the whole document
// after every load, on the thread that the walks need; a document a person
// looks at has one.
TEST(EngineLife, OnlyAShownDocumentHasAStatusBar) {
    const std::string path = DocBuilder().paragraph("一段文字").save(scratchDir() + "/statusbar.doc");
    auto doc = openCopy(path);
    const rtl::OUString statusBar("private:resource/statusbar/statusbar");
    const auto layout = layoutManagerOf(doc);
    // The bars come a moment after the load.
    const rtl::OUString toolBar("private:resource/toolbar/standardbar");
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!layout->getElement(toolBar).is() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ASSERT_TRUE(layout->getElement(toolBar).is());
    EXPECT_FALSE(layout->getElement(statusBar).is());
    sharedApplication().SetVisible(true);
    EXPECT_TRUE(layout->getElement(statusBar).is());
    EXPECT_TRUE(layout->isElementVisible(statusBar));
    sharedApplication().SetVisible(false);
    doc.Close();
}

TEST(EngineLife, EndingAtOnceLeavesNoProcessOrProfileAndTheNextUseStartsAFreshOne) {
    const std::string path = DocBuilder().paragraph("一段文字").save(scratchDir() + "/end.doc");
    auto doc = openCopy(path);
    const pid_t pid = word::Engine::instance().pid();
    ASSERT_GT(pid, 0);
    const std::filesystem::path profile = word::Engine::instance().profileDirectory();
    ASSERT_TRUE(std::filesystem::exists(profile));
    sharedApplication().QuitAtOnce();
    EXPECT_NE(kill(pid, 0), 0) << "the engine process is still there";
    EXPECT_FALSE(std::filesystem::exists(profile));
    EXPECT_FALSE(word::Engine::instance().alive());
    EXPECT_EQ(sharedApplication().Documents().Count(), 0);
    auto again = openCopy(path);
    EXPECT_EQ(again.Content().Text(), "一段文字\r");
    EXPECT_NE(word::Engine::instance().pid(), pid);
    again.Close();
}

TEST(EngineLife, AKilledEngineRaisesAnErrorAndTheNextUseStartsAFreshOne) {
    const std::string path = DocBuilder().paragraph("一段文字").save(scratchDir() + "/alive.doc");
    auto doc = openCopy(path);
    ASSERT_EQ(doc.Paragraphs().Count(), 1);
    const pid_t pid = word::Engine::instance().pid();
    ASSERT_GT(pid, 0);
    kill(pid, SIGKILL);
    // The cached story may still answer; anything that needs the engine fails cleanly.
    EXPECT_THROW(doc.Content().Font().SetColor(192), word::WordError);
    auto again = openCopy(path);
    EXPECT_EQ(again.Content().Text(), "一段文字\r");
    EXPECT_NE(word::Engine::instance().pid(), pid);
    again.Close();
}

TEST(EngineLife, ACallTheEngineDoesNotAnswerEndsAtItsLimitAndTheNextUseStartsAFreshOne) {
    const std::string path = DocBuilder().paragraph("一段文字").save(scratchDir() + "/stopped.doc");
    auto doc = openCopy(path);
    ASSERT_EQ(doc.Paragraphs().Count(), 1);
    const pid_t pid = word::Engine::instance().pid();
    ASSERT_GT(pid, 0);
    const CallLimit limit(std::chrono::seconds(2));
    kill(pid, SIGSTOP);  // alive, but it answers nothing
    const auto start = std::chrono::steady_clock::now();
    try {
        doc.Content().Font().SetColor(192);
        ADD_FAILURE() << "a call to a stopped engine returned";
    } catch (const word::WordError& e) {
        EXPECT_EQ(e.code(), word::errors::EngineUnavailable);
        EXPECT_EQ(e.description(), "文档引擎超过 2 秒没有答复，本文档的检测没有完成");
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(60)) << "the call had no bound";
    EXPECT_FALSE(word::Engine::instance().alive());
    auto again = openCopy(path);
    EXPECT_EQ(again.Content().Text(), "一段文字\r");
    EXPECT_NE(word::Engine::instance().pid(), pid);
    again.Close();
}

// A check marks the same words more than once, and a correction blackens
// text that is black already: such a write asks nothing of the engine.
TEST(EngineLife, AColourTheTextHasAlreadyIsNotWrittenAgain) {
    const std::string path = DocBuilder().paragraph("一段文字").paragraph("二段").save(scratchDir() + "/again.doc");
    auto doc = openCopy(path);
    doc.Range(0, 4).Font().SetColor(192);
    const pid_t pid = word::Engine::instance().pid();
    const CallLimit limit(std::chrono::seconds(1));
    kill(pid, SIGSTOP);
    EXPECT_NO_THROW(doc.Range(1, 3).Font().SetColor(192));
    EXPECT_EQ(doc.Range(0, 4).Font().Color(), 192);
    // Partly red: the rest has to be written, and the stopped engine cannot.
    EXPECT_THROW(doc.Range(2, 7).Font().SetColor(192), word::WordError);
    kill(pid, SIGCONT);
    doc.Close();
}

TEST(EngineLife, WaitingAtAPausedRunsGateIsNotTheEnginesTime) {
    const std::string path = DocBuilder().paragraph("一段文字").save(scratchDir() + "/paused.doc");
    auto doc = openCopy(path);
    ASSERT_EQ(doc.Paragraphs().Count(), 1);
    const pid_t pid = word::Engine::instance().pid();
    const CallLimit limit(std::chrono::seconds(1));
    // A write passes the gate again inside its call to the engine.
    int waits = 0;
    word::setThreadCallGate([&] {
        ++waits;
        std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    });
    EXPECT_NO_THROW(doc.Content().Font().SetColor(192));
    word::setThreadCallGate({});
    EXPECT_GE(waits, 2);
    EXPECT_TRUE(word::Engine::instance().alive());
    EXPECT_EQ(word::Engine::instance().pid(), pid);
    EXPECT_EQ(doc.Content().Font().Color(), 192);
    doc.Close();
}

}  // namespace
