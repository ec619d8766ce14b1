// What the program's engine may not do, whatever the document and however
// the program ends: reach the network, leave a file or socket behind, or
// name the wrong cause of its end; and what two programs that start at the
// same moment share.
#include "CountingServer.h"
#include "MacroControl.h"
#include "ProgramRun.h"

#include "support/DocBuilder.h"
#include "support/Engine.h"
#include "support/Files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <thread>

namespace quillmark::testing {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr auto kBound = 300s;

std::vector<std::string> entriesOf(const fs::path& folder) {
    std::vector<std::string> entries;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        entries.push_back(it->path().string());
    }
    return entries;
}

// True when `signal` waits, undelivered, at process `pid` (a stopped one).
bool signalPendingAt(pid_t pid, int signal) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("ShdPnd:", 0) == 0 || line.rfind("SigPnd:", 0) == 0) {
            const unsigned long long mask = std::stoull(line.substr(7), nullptr, 16);
            if (mask & (1ull << (signal - 1))) return true;
        }
    }
    return false;
}

// True when process `pid` has a file open whose path holds `part`.
bool hasOpen(pid_t pid, const std::string& part) {
    std::error_code error;
    for (fs::directory_iterator it("/proc/" + std::to_string(pid) + "/fd", error), end; !error && it != end;
         it.increment(error)) {
        std::error_code unreadable;
        if (fs::read_symlink(it->path(), unreadable).string().find(part) != std::string::npos) return true;
    }
    return false;
}

class EngineBoundary : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        root_ = scratchDir();
        inputs_ = root_ + "/inputs";
        sharedCache_ = root_ + "/cache";
        server_ = new CountingServer();
        const std::string command = "/usr/bin/python3 '" + std::string(QUILLMARK_HOSTILE_SCRIPT) + "' '" + inputs_ + "' '" +
                                    server_->url() + "' '" + root_ + "/cache' links-only";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
        // Word 97 files saved by the engine itself, as a user's office would
        // save them: the linked picture becomes a picture field that links.
        saveInFormatOf(inputs_ + "/linked-image.docx", inputs_ + "/linked-image.doc");
        saveInFormatOf(inputs_ + "/include-fields.docx", inputs_ + "/include-fields.doc");
        thesis_ = DocBuilder()
                      .paragraph("摘要", {.asianFont = "黑体", .size = 15, .bold = true}, {.alignment = 1})
                      .paragraphs(std::vector<std::string>(200, "本文研究论文格式的自动检查方法，并给出一个完整的实现。"))
                      .save(root_ + "/thesis.doc");
    }
    static void TearDownTestSuite() {
        delete server_;
        server_ = nullptr;
    }

    // Each run gets a temporary folder of its own, so that what it leaves
    // there is its own; its name has no blanks unless the run asks for one.
    RunSettings settings(const std::string& name) const {
        std::string folderName = name;
        if (name.find("with a blank") == std::string::npos) std::replace(folderName.begin(), folderName.end(), ' ', '-');
        const std::string folder = root_ + "/runs/" + folderName;
        fs::create_directories(folder + "/tmp");
        RunSettings s;
        s.environment = {{"XDG_CACHE_HOME", sharedCache_}, {"TMPDIR", folder + "/tmp"}, {"QUILLMARK_ENGINE_HEADLESS", "1"}};
        s.bound = kBound;
        return s;
    }
    static std::vector<std::string> command(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), QUILLMARK_BINARY);
        return arguments;
    }
    static void waitForTheEnginesOf(pid_t pid) {
        for (int i = 0; i < 40 && engineOf(pid) > 0; ++i) std::this_thread::sleep_for(50ms);
    }

    static inline std::string root_, inputs_, thesis_;
    static inline std::string sharedCache_;
    static inline CountingServer* server_ = nullptr;
};

TEST_F(EngineBoundary, NoDocumentReachesTheNetworkWhateverItsFormatAndLink) {
    // The control: opened by an office with its own settings, the Word 97
    // file fetches its picture. Without it, a quiet server would prove nothing.
    const int beforeControl = server_->requests();
    ASSERT_TRUE(happensInAPlainOffice(inputs_ + "/linked-image.doc",
                                      [&] { return server_->requests() > beforeControl; }, root_, 120s))
        << "the linked picture of the Word 97 file is not fetched even by a plain office";

    // Every input is checked; inspect, which reads the layout of every
    // page, reads the two with the linked picture.
    for (const char* input : {"linked-image.doc", "linked-image.docx", "include-fields.doc", "include-fields.docx",
                              "rtf-links.doc", "web-page.doc", "linked-section.odt"}) {
        for (const char* verb : {"check", "inspect"}) {
            if (std::string(verb) == "inspect" && std::string(input).rfind("linked-image", 0) != 0) continue;
            SCOPED_TRACE(std::string(verb) + " " + input);
            const int before = server_->requests();
            const ProgramRun run = runProgram(command({verb, inputs_ + "/" + input}), settings("network"));
            EXPECT_FALSE(run.timedOut);
            EXPECT_LE(run.status, 2) << run.err;
            EXPECT_EQ(server_->requests(), before) << "the engine reached the server while the program read " << input;
        }
    }
}

// The engine's own files: its temporary folder (TMPDIR) and the Unix
// sockets it binds, its single-instance pipe among them, which it makes in
// /tmp whatever it is told.
TEST_F(EngineBoundary, NoRunLeavesATemporaryFileOrSocket) {
    struct Case {
        const char* name;
        std::vector<std::string> arguments;
        int signal;  // 0: the run ends by itself
    };
    const std::vector<Case> cases = {
        {"check", {"check", thesis_}, 0},
        {"inspect", {"inspect", thesis_}, 0},
        // A blank in TMPDIR, and so in the profile's path: the engine's URL
        // of it must be escaped.
        {"inspect with a blank", {"inspect", thesis_}, 0},
        {"check SIGINT", {"check", thesis_}, SIGINT},
        {"inspect SIGTERM", {"inspect", thesis_}, SIGTERM},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RunSettings s = settings(c.name);
        auto sockets = std::make_shared<std::set<std::string>>();
        auto sent = std::make_shared<bool>(false);
        s.whileRunning = [=](pid_t pid, std::chrono::milliseconds, const std::string&) {
            for (const pid_t engine : enginesBelow(pid)) {
                for (const auto& path : socketPathsOf(engine)) sockets->insert(path);
            }
            // Interrupted once the engine has made both of its pipes.
            if (c.signal && !*sent && sockets->size() >= 2) *sent = kill(pid, c.signal) == 0;
        };
        const ProgramRun run = runProgram(command(c.arguments), s);
        waitForTheEnginesOf(run.pid);
        EXPECT_EQ(run.status, c.signal ? 128 + c.signal : c.arguments[0] == "check" ? 1 : 0) << run.err;
        ASSERT_GE(sockets->size(), 2u) << "the engine's pipes were not seen";
        for (const auto& socket : *sockets) EXPECT_FALSE(fs::exists(fs::symlink_status(socket))) << socket;
        EXPECT_EQ(entriesOf(s.environment["TMPDIR"]), std::vector<std::string>{});
        EXPECT_EQ(leftoversOf(run.pid, sharedCache_, s.environment["TMPDIR"]), std::vector<std::string>{});
    }
}

// SIGTERM while the bound of an opening is ending the engine. The engine is
// held (SIGSTOP) once it reads the document, so the bound runs out; the
// program's SIGTERM to it then waits at the held engine, and the program gets
// its own SIGTERM while it ends that engine.
TEST_F(EngineBoundary, SigtermWhileTheOpeningBoundEndsTheEngineLeavesNothing) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        SCOPED_TRACE(attempt);
        RunSettings s = settings("bound " + std::to_string(attempt));
        auto held = std::make_shared<pid_t>(-1);
        auto sent = std::make_shared<bool>(false);
        auto profiles = std::make_shared<std::set<std::string>>();
        s.whileRunning = [=](pid_t pid, std::chrono::milliseconds, const std::string&) {
            const pid_t engine = engineOf(pid);
            if (engine > 0) profiles->insert(engineProfileOf(engine));
            if (*held < 0 && engine > 0 && hasOpen(engine, "Temporary files for word") && kill(engine, SIGSTOP) == 0) {
                *held = engine;
            }
            if (*held > 0 && !*sent && signalPendingAt(*held, SIGTERM)) *sent = kill(pid, SIGTERM) == 0;
        };
        const ProgramRun run = runProgram(command({"check", thesis_, "--open-timeout", "1"}), s);
        if (*held > 0) kill(*held, SIGKILL);
        waitForTheEnginesOf(run.pid);
        ASSERT_TRUE(*sent) << "the bound never ended the held engine: " << run.err;
        EXPECT_EQ(run.status, 143) << run.err;
        EXPECT_EQ(run.err, "quillmark: 检测已中断（SIGTERM），文档引擎已结束，工作副本已删除\n");
        for (const auto& profile : *profiles) EXPECT_FALSE(fs::exists(profile)) << profile;
        EXPECT_EQ(entriesOf(s.environment["TMPDIR"]), std::vector<std::string>{});
        EXPECT_EQ(leftoversOf(run.pid, sharedCache_, s.environment["TMPDIR"]), std::vector<std::string>{});
    }
}

// An interruption in the middle of a check ends the engine; the check then
// finds its engine gone. What the program says is the interruption, whichever
// signal it was, and nothing about the engine.
TEST_F(EngineBoundary, AnInterruptedCheckNamesTheInterruptionNotTheEngine) {
    for (const auto& [signal, name] : {std::pair{SIGTERM, "SIGTERM"}, std::pair{SIGINT, "SIGINT"}}) {
        for (int attempt = 0; attempt < 2; ++attempt) {
            SCOPED_TRACE(std::string(name) + " " + std::to_string(attempt));
            RunSettings s = settings(std::string("interrupted ") + name);
            auto sent = std::make_shared<bool>(false);
            // Once the checks have begun (their first status text is out).
            s.whileRunning = [=, signal = signal](pid_t pid, std::chrono::milliseconds, const std::string& err) {
                if (!*sent && err.find("正在对") != std::string::npos) *sent = kill(pid, signal) == 0;
            };
            const ProgramRun run = runProgram(command({"check", thesis_, "--verbose"}), s);
            ASSERT_TRUE(*sent) << "the check ended before it could be interrupted: " << run.err;
            EXPECT_EQ(run.status, 128 + signal);
            EXPECT_EQ(run.err.find("文档引擎意外退出"), std::string::npos) << run.err;
            EXPECT_NE(run.err.find(std::string("quillmark: 检测已中断（") + name + "），文档引擎已结束，工作副本已删除\n"),
                      std::string::npos)
                << run.err;
        }
    }
}

// Two programs that start together from an empty cache both set up the
// engine's initialised profile there: each must get a whole one, and the
// cache must end with one whole copy and no half-made ones.
TEST_F(EngineBoundary, TwoProgramsStartingTogetherFromAnEmptyCacheAgree) {
    const ProgramRun alone = runProgram(command({"inspect", "--json", thesis_}), settings("alone"));
    ASSERT_EQ(alone.status, 0) << alone.err;
    ASSERT_FALSE(alone.out.empty());
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        const std::string cache = root_ + "/empty-cache-" + std::to_string(round);
        std::vector<ProgramRun> runs(2);
        std::vector<std::thread> threads;
        for (std::size_t i = 0; i < runs.size(); ++i) {
            RunSettings s = settings("together " + std::to_string(round) + "-" + std::to_string(i));
            s.environment["XDG_CACHE_HOME"] = cache;
            threads.emplace_back([&runs, i, s] { runs[i] = runProgram(command({"inspect", "--json", thesis_}), s); });
        }
        for (auto& t : threads) t.join();
        for (const auto& run : runs) {
            EXPECT_EQ(run.status, 0) << run.err;
            EXPECT_EQ(run.out, alone.out);
            EXPECT_EQ(run.err, "");
            EXPECT_EQ(leftoversOf(run.pid, cache, settings("together").environment["TMPDIR"]), std::vector<std::string>{});
        }
        const fs::path quillmark = fs::path(cache) / "quillmark";
        EXPECT_TRUE(fs::exists(quillmark / "engine-profile-1" / "user" / "registrymodifications.xcu"));
        for (const auto& entry : entriesOf(quillmark)) {
            const std::string name = fs::path(entry).filename().string();
            EXPECT_TRUE(name == "engine-profile-1" || name == "engine-profile.lock" || name == "Temporary files for word")
                << "a half-made or extra entry: " << entry;
        }
    }
}

}  // namespace
}  // namespace quillmark::testing
