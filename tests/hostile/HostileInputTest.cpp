// The program against input nobody should trust, runs that are interrupted,
// and runs side by side: every input gets its answer within a bound, the
// original stays as it was, and nothing is left behind.
#include "CountingServer.h"
#include "MacroControl.h"
#include "ProgramRun.h"

#include "support/DocBuilder.h"
#include "support/Engine.h"
#include "support/Files.h"
#include "word/Engine.h"
#include "word/Uno.h"


#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <set>
#include <sstream>
#include <thread>

namespace quillmark::testing {
namespace {

namespace fs = std::filesystem;
namespace css = word::uno::css;
using rtl::OUString;
using namespace std::chrono_literals;

constexpr auto kRefusalBound = 20s;   // refused before the engine starts
constexpr auto kEngineBound = 300s;   // opened, or refused, by the engine
constexpr auto kLongBound = 900s;     // a 1,000-page document on a busy machine

struct Expected {
    std::string input;
    int status;               // 2 for a refusal; -1: 0 or 1 (checked, with or without findings)
    std::string message;      // part of standard error; empty: nothing on it
    std::chrono::seconds bound;
    std::vector<std::string> options = {"--parts", "cn-abstract"};
};

class HostileInput : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        root_ = scratchDir();
        inputs_ = root_ + "/inputs";
        cacheHome_ = root_ + "/cache";
        tmpDir_ = root_ + "/tmp";
        fs::create_directories(tmpDir_);
        server_ = new CountingServer();
        const std::string command = "/usr/bin/python3 '" + std::string(QUILLMARK_HOSTILE_SCRIPT) + "' '" + inputs_ + "' '" +
                                    server_->url() + "' '" + std::string(QUILLMARK_HOSTILE_CACHE) + "'";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
        for (const char* name : {"thousand-pages.docx", "ten-thousand-pages.docx"}) {
            fs::copy_file(std::string(QUILLMARK_HOSTILE_CACHE) + "/" + name, inputs_ + "/" + name);
        }

        const std::string thesis = DocBuilder()
                                       .paragraph("摘要", {.asianFont = "黑体", .size = 15, .bold = true}, {.alignment = 1})
                                       .blank()
                                       .paragraph("本文研究论文格式的自动检查方法，并给出一个完整的实现。")
                                       .save(root_ + "/thesis.doc");
        thesis_ = thesis;
        std::vector<std::string> many(400, "一段足够长的正文，让截断的文档缺少它的后半部分。");
        const std::string longer = DocBuilder().paragraphs(many).save(root_ + "/longer.doc");
        const std::string bytes = readBytes(longer);
        std::ofstream(inputs_ + "/truncated.doc", std::ios::binary) << bytes.substr(0, bytes.size() / 2);
        saveWithPassword(thesis, inputs_ + "/encrypted.doc");
    }
    static void TearDownTestSuite() {
        delete server_;
        server_ = nullptr;
        std::cout << "\nTime per input (wall seconds / program CPU seconds, machine load "
                  << readBytes("/proc/loadavg").substr(0, 14) << "):\n";
        for (const auto& [name, run] : figures_) {
            std::cout << "  " << std::left << std::setw(28) << name << std::fixed << std::setprecision(2) << std::setw(8)
                      << run.seconds << run.cpuSeconds << "  exit " << run.status << '\n';
        }
    }

    static RunSettings settings(std::chrono::seconds bound) {
        RunSettings s;
        s.environment = {{"XDG_CACHE_HOME", cacheHome_}, {"TMPDIR", tmpDir_}, {"QUILLMARK_ENGINE_HEADLESS", "1"}};
        s.bound = bound;
        return s;
    }
    static std::vector<std::string> command(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), QUILLMARK_BINARY);
        return arguments;
    }
    // Copies of the good thesis, named "<stem> 1.doc" to "<stem> <count>.doc".
    static std::vector<std::string> thesisCopies(const std::string& stem, int count) {
        std::vector<std::string> copies;
        for (int i = 1; i <= count; ++i) {
            copies.push_back(root_ + "/" + stem + " " + std::to_string(i) + ".doc");
            fs::copy_file(thesis_, copies.back(), fs::copy_options::overwrite_existing);
        }
        return copies;
    }
    static void expectNothingLeftBehind(const ProgramRun& run) {
        // An engine killed by the end of its owner may take a moment to go.
        for (int i = 0; i < 40 && engineOf(run.pid) > 0; ++i) std::this_thread::sleep_for(50ms);
        EXPECT_EQ(leftoversOf(run.pid, cacheHome_, tmpDir_), std::vector<std::string>{});
    }

    static inline std::string root_, inputs_, cacheHome_, tmpDir_, thesis_;
    static inline CountingServer* server_ = nullptr;
    static inline std::vector<std::pair<std::string, ProgramRun>> figures_;
};

TEST_F(HostileInput, EveryInputGetsItsAnswerWithinItsBoundAndLeavesNothingBehind) {
    const std::vector<Expected> table = {
        {"empty.doc", 2, "文件是空的，不是文档", kRefusalBound},
        {"random.doc", 2, "不是 Word 文档（.doc 或 .docx），无法检测：", kRefusalBound},
        {"text.docx", 2, "不是 Word 文档（.doc 或 .docx），无法检测：", kRefusalBound},
        {"truncated.docx", 2, "文档已损坏，无法打开：", kRefusalBound},
        {"zip-bomb.docx", 2, "文档过大或已损坏：", kRefusalBound},
        {"entity-bomb.docx", 2, "文档已损坏，无法打开：", kRefusalBound},
        {"entity-bomb.doc", 2, "文档已损坏，无法打开：", kRefusalBound},
        {"xxe.docx", 2, "文档已损坏，无法打开：", kRefusalBound},
        {"folder.doc", 2, "无法把论文复制到工作文件夹，论文没有打开：", kRefusalBound},
        {"passwd.doc", 2, "不是 Word 文档（.doc 或 .docx），无法检测：", kRefusalBound},
        {"zero.doc", 2, "无法把论文复制到工作文件夹，论文没有打开：", kRefusalBound},
        {"truncated.doc", 2, "文档已损坏，无法打开：", kEngineBound},
        {"encrypted.doc", 2, "文档受密码保护，无法打开：", kRefusalBound},
        {"encrypted.docx", 2, "文档受密码保护，无法打开：", kRefusalBound},
        {"macro-on-open.odt", -1, "", kEngineBound},
        {"linked-image.docx", -1, "", kEngineBound},
        {"linked-section.odt", -1, "", kEngineBound},
        {"include-fields.docx", -1, "", kEngineBound},
        {"论文 草稿 第2版.docx", -1, "", kEngineBound},
        // The engine lays its 351 pages out for seconds after the load; no
        // call of the check, nor of the opening's end, may wait that long.
        {"long-paragraph.docx", -1, "", kEngineBound, {"--parts", "cn-abstract", "--call-timeout", "10"}},
        {"thousand-pages.docx", -1, "", kLongBound, {"--open-timeout", "600", "--call-timeout", "600"}},
    };
    for (const Expected& e : table) {
        SCOPED_TRACE(e.input);
        const std::string path = inputs_ + "/" + e.input;
        const std::string before = fs::is_regular_file(path) ? readBytes(path) : std::string();
        std::vector<std::string> arguments = {"check", path};
        arguments.insert(arguments.end(), e.options.begin(), e.options.end());
        const ProgramRun run = runProgram(command(arguments), settings(e.bound));
        figures_.emplace_back(e.input, run);
        EXPECT_FALSE(run.timedOut) << "no answer within " << e.bound.count() << " s";
        if (e.status == -1) {
            EXPECT_TRUE(run.status == 0 || run.status == 1) << run.status << run.err;
            EXPECT_EQ(run.err, "");
            EXPECT_EQ(run.out.substr(0, path.size()), path);
        } else {
            EXPECT_EQ(run.status, e.status);
            EXPECT_EQ(run.err.rfind("quillmark: " + e.message, 0), 0u) << run.err;
            EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << "one message: " << run.err;
            EXPECT_NE(run.err.find(e.input), std::string::npos) << "names the user's file: " << run.err;
        }
        if (fs::is_regular_file(path)) {
            EXPECT_EQ(readBytes(path), before) << "the original must not change";
        }
        expectNothingLeftBehind(run);
    }
    EXPECT_FALSE(fs::exists(inputs_ + "/macro-ran")) << "a document's macro ran";
    EXPECT_EQ(server_->requests(), 0) << "the engine fetched something a document links to";
}

// The document's macro must be one that really runs when macros are
// allowed, or its missing marker would prove nothing.
TEST_F(HostileInput, AMacroThatRunsWhenAllowedDoesNotRunThroughTheProgram) {
    if (!officeRunsBasic()) GTEST_SKIP() << "the office suite here has no Basic script provider: no macro can run";
    const std::string document = inputs_ + "/macro-on-open.odt";
    const std::string marker = inputs_ + "/macro-ran";
    fs::remove(marker);
    const std::string control = root_ + "/macro-control.odt";
    fs::copy_file(document, control, fs::copy_options::overwrite_existing);
    ASSERT_TRUE(macroRunsWhenAllowed(control, marker, root_, 120s))
        << "the document's load-event macro did not run even with macros allowed";
    fs::remove(marker);

    const ProgramRun check = runProgram(command({"check", document, "--parts", "cn-abstract"}), settings(kEngineBound));
    const ProgramRun inspect = runProgram(command({"inspect", document}), settings(kEngineBound));
    EXPECT_TRUE(check.status == 0 || check.status == 1) << check.err;
    EXPECT_EQ(inspect.status, 0) << inspect.err;
    EXPECT_FALSE(fs::exists(marker)) << "the document's macro ran in the program's engine";
    expectNothingLeftBehind(check);
    expectNothingLeftBehind(inspect);
}

// A working folder without room: one clear message, exit 2, the original as
// it was and nothing left behind.
void expectNoRoomMessage(const ProgramRun& run, const std::string& thesis, const std::string& before) {
    EXPECT_FALSE(run.timedOut);
    EXPECT_EQ(run.status, 2) << run.out << run.err;
    EXPECT_EQ(run.err, "quillmark: 无法把论文复制到工作文件夹，论文没有打开：" + thesis +
                           "（工作文件夹所在的磁盘没有足够的空间）\n");
    EXPECT_EQ(readBytes(thesis), before) << "the original must not change";
}

TEST_F(HostileInput, AFileSizeLimitBelowTheThesisGivesTheNoRoomMessage) {
    const std::string before = readBytes(thesis_);
    for (const char* verb : {"check", "inspect"}) {
        SCOPED_TRACE(verb);
        RunSettings s = settings(kRefusalBound);
        s.fileSizeLimit = before.size() / 2;
        const ProgramRun run = runProgram(command({verb, thesis_}), s);
        expectNoRoomMessage(run, thesis_, before);
        expectNothingLeftBehind(run);
    }
}

// A disk that is really full: a small file system of its own as the cache
// folder. Mounting one needs root.
TEST_F(HostileInput, AFullDiskGivesTheNoRoomMessage) {
    const std::string mount = root_ + "/small-disk";
    fs::create_directories(mount);
    const std::string mountCommand = "mount -t tmpfs -o size=256k,nr_inodes=64 tmpfs '" + mount + "' 2>/dev/null";
    if (geteuid() != 0 || std::system(mountCommand.c_str()) != 0) {
        GTEST_SKIP() << "mounting a small file system needs root; the file size limit stands in for it";
    }
    const std::string before = readBytes(thesis_);
    const fs::path filler = fs::path(mount) / "filler";
    std::system(("head -c 1M /dev/zero > '" + filler.string() + "' 2>/dev/null").c_str());
    RunSettings s = settings(kRefusalBound);
    s.environment["XDG_CACHE_HOME"] = mount;
    auto expectNoRoom = [&] {
        for (const char* verb : {"check", "inspect"}) {
            SCOPED_TRACE(verb);
            const ProgramRun run = runProgram(command({verb, thesis_}), s);
            expectNoRoomMessage(run, thesis_, before);
            EXPECT_EQ(leftoversOf(run.pid, mount, tmpDir_), std::vector<std::string>{});
        }
    };
    {
        SCOPED_TRACE("room for folders, not for the thesis");
        fs::resize_file(filler, fs::file_size(filler) - before.size() / 2);
        expectNoRoom();
    }
    {
        SCOPED_TRACE("no room for a folder either");
        // Every inode taken (the file system has 64).
        for (int i = 0;; ++i) {
            const fs::path file = fs::path(mount) / ("f" + std::to_string(i));
            std::ofstream{file};
            if (!fs::exists(file)) break;
        }
        expectNoRoom();
    }
    std::system(("umount '" + mount + "'").c_str());
}

TEST_F(HostileInput, InspectGivesTheSameMessages) {
    for (const std::string input : {"random.doc", "zip-bomb.docx", "folder.doc", "encrypted.doc", "encrypted.docx"}) {
        SCOPED_TRACE(input);
        const std::string path = inputs_ + "/" + input;
        const ProgramRun check = runProgram(command({"check", path}), settings(kEngineBound));
        const ProgramRun inspect = runProgram(command({"inspect", path}), settings(kEngineBound));
        EXPECT_EQ(check.status, 2);
        EXPECT_EQ(inspect.status, 2);
        EXPECT_EQ(inspect.err, check.err);
        expectNothingLeftBehind(inspect);
    }
}

TEST_F(HostileInput, ARefusedFileDoesNotStopTheOthersOfTheRun) {
    const ProgramRun run = runProgram(
        command({"check", inputs_ + "/random.doc", inputs_ + "/encrypted.doc", thesis_, "--parts", "cn-abstract"}),
        settings(kEngineBound));
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("不是 Word 文档"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("文档受密码保护"), std::string::npos) << run.err;
    EXPECT_NE(run.out.find("标题字号有误"), std::string::npos) << "the good file is checked: " << run.out;
    expectNothingLeftBehind(run);
}

TEST_F(HostileInput, AnOpeningPastTheTimeLimitEndsThatDocumentAndTheNextGoesOn) {
    const ProgramRun run =
        runProgram(command({"check", inputs_ + "/ten-thousand-pages.docx", inputs_ + "/论文 草稿 第2版.docx", "--open-timeout",
                            "3", "--parts", "cn-abstract"}),
                   settings(kEngineBound));
    figures_.emplace_back("open timeout 3 s + next", run);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "quillmark: 文档过大或已损坏：" + inputs_ + "/ten-thousand-pages.docx（打开超过 3 秒）\n");
    EXPECT_NE(run.out.find("第2版.docx\n1，"), std::string::npos) << "the next file is checked: " << run.out;
    expectNothingLeftBehind(run);
}

TEST_F(HostileInput, AnEngineOverItsMemoryLimitEndsThatDocumentOnly) {
    RunSettings s = settings(kEngineBound);
    // The engine's address space is bounded: this document needs more than
    // 700 MB of it, an engine that starts needs less. (With room for some
    // memory pools less, the engine gets through in about 770 MB: no
    // bound between leaves it to fail every time.)
    s.environment["QUILLMARK_ENGINE_MEMORY_MB"] = "700";
    const std::string document = inputs_ + "/ten-thousand-pages.docx";
    const ProgramRun run = runProgram(command({"check", document, "--parts", "cn-abstract", "--call-timeout", "30"}), s);
    figures_.emplace_back("engine memory 700 MB", run);
    // The engine dies while it opens the document, or its load fails for
    // want of memory, or, starved, it stops answering (the call bound ends
    // it), or on another machine it may not even start: the run ends with a
    // message that names the document or the engine, and nothing is left.
    EXPECT_EQ(run.status, 2) << run.out;
    EXPECT_TRUE(run.err.find("：" + document) != std::string::npos || run.err.find("文档引擎") != std::string::npos)
        << run.err;
    expectNothingLeftBehind(run);
}

// Sends `signal` to the program once its engine runs.
RunSettings::Callback signalOnceTheEngineRuns(int signal, bool toTheEngine, std::chrono::milliseconds after) {
    auto sent = std::make_shared<bool>(false);
    auto seen = std::make_shared<std::chrono::milliseconds>(-1);
    return [=](pid_t pid, std::chrono::milliseconds elapsed, const std::string&) {
        if (*sent) return;
        const pid_t engine = engineOf(pid);
        if (engine <= 0) return;
        if (seen->count() < 0) *seen = elapsed;
        if (elapsed - *seen < after) return;
        kill(toTheEngine ? engine : pid, signal);
        *sent = true;
    };
}

TEST_F(HostileInput, InterruptedRunsEndCleanly) {
    for (const auto& [signal, status] : {std::pair{SIGINT, 130}, std::pair{SIGTERM, 143}}) {
        SCOPED_TRACE(signal);
        RunSettings s = settings(kEngineBound);
        s.whileRunning = signalOnceTheEngineRuns(signal, false, 500ms);
        const ProgramRun run = runProgram(command({"check", inputs_ + "/ten-thousand-pages.docx"}), s);
        EXPECT_EQ(run.status, status) << run.err;
        EXPECT_NE(run.err.find("检测已中断"), std::string::npos) << run.err;
        expectNothingLeftBehind(run);
    }
}

TEST_F(HostileInput, InterruptedBatchesEndTheirWorkersCleanly) {
    auto workers = std::make_shared<std::set<pid_t>>();
    auto seen = std::make_shared<std::chrono::milliseconds>(-1);
    auto sent = std::make_shared<bool>(false);
    RunSettings s = settings(kEngineBound);
    s.whileRunning = [=](pid_t pid, std::chrono::milliseconds elapsed, const std::string&) {
        for (pid_t child : childrenOf(pid)) workers->insert(child);
        // The engines belong to the workers; interrupt once, at the first
        // look half a second or more after one runs.
        if (*sent) return;
        if (seen->count() < 0 && !enginesBelow(pid).empty()) *seen = elapsed;
        if (seen->count() >= 0 && elapsed - *seen >= 500ms) *sent = kill(pid, SIGINT) == 0;
    };
    const ProgramRun run = runProgram(command({"check", "--jobs", "2", inputs_ + "/ten-thousand-pages.docx",
                                               inputs_ + "/thousand-pages.docx", thesis_}),
                                      s);
    ASSERT_TRUE(*sent) << "the batch ended before it could be interrupted: " << run.err;
    EXPECT_EQ(run.status, 130) << run.err;
    EXPECT_NE(run.err.find("检测已中断"), std::string::npos) << run.err;
    EXPECT_GE(workers->size(), 1u);
    expectNothingLeftBehind(run);
    for (pid_t worker : *workers) {
        for (int i = 0; i < 40 && engineOf(worker) > 0; ++i) std::this_thread::sleep_for(50ms);
        EXPECT_EQ(leftoversOf(worker, cacheHome_, tmpDir_), std::vector<std::string>{}) << "worker " << worker;
    }
}

TEST_F(HostileInput, AKilledEngineEndsItsDocumentAndTheNextIsChecked) {
    RunSettings s = settings(kEngineBound);
    s.whileRunning = signalOnceTheEngineRuns(SIGKILL, true, 1500ms);
    const ProgramRun run =
        runProgram(command({"check", inputs_ + "/ten-thousand-pages.docx", thesis_, "--parts", "cn-abstract"}), s);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_NE(run.err.find("文档引擎"), std::string::npos) << run.err;
    EXPECT_NE(run.out.find("标题字号有误"), std::string::npos) << run.out;
    expectNothingLeftBehind(run);
}

TEST_F(HostileInput, AKilledBatchWorkerFailsItsFileAndTheOthersAreChecked) {
    const std::vector<std::string> theses = thesisCopies("after the kill", 3);
    const std::string slow = inputs_ + "/ten-thousand-pages.docx";
    auto seen = std::make_shared<std::chrono::milliseconds>(-1);
    auto sent = std::make_shared<bool>(false);
    RunSettings s = settings(kEngineBound);
    s.whileRunning = [=](pid_t pid, std::chrono::milliseconds elapsed, const std::string&) {
        std::vector<pid_t> workers = childrenOf(pid);
        if (*sent || workers.empty()) return;
        // The first worker started has the first file.
        const pid_t first = *std::min_element(workers.begin(), workers.end());
        if (seen->count() < 0 && engineOf(first) > 0) *seen = elapsed;
        if (seen->count() >= 0 && elapsed - *seen >= 1000ms) *sent = kill(first, SIGKILL) == 0;
    };
    const ProgramRun run = runProgram(command({"check", "--jobs", "2", slow, theses[0], theses[1], theses[2], "--parts",
                                               "cn-abstract"}),
                                      s);
    EXPECT_TRUE(*sent);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "quillmark: 检测进程意外结束：" + slow + "\n");
    for (const auto& thesis : theses) EXPECT_NE(run.out.find(thesis + "\n1，"), std::string::npos) << run.out;
    expectNothingLeftBehind(run);
}

// The lines of standard error that are messages, not --verbose status texts.
std::string messageLines(const std::string& err) {
    std::istringstream lines(err);
    std::string line, messages;
    while (std::getline(lines, line)) {
        if (line.rfind("quillmark: ", 0) == 0) messages += line + '\n';
    }
    return messages;
}

TEST_F(HostileInput, AnEngineThatStopsAnsweringEndsThatDocumentAndTheNextGoesOn) {
    std::vector<std::string> files = thesisCopies("after the stop", 2);
    files.insert(files.begin(), inputs_ + "/long-paragraph.docx");
    RunSettings s = settings(kEngineBound);
    // Once the first check has begun (its status text is out), the engine
    // stops answering, as a hung engine would. The file it was working on
    // then (the first, or the next one it was opening) ends with the message
    // of its bound; the files after it are checked by a fresh engine.
    auto stopped = std::make_shared<pid_t>(-1);
    s.whileRunning = [stopped](pid_t pid, std::chrono::milliseconds, const std::string& err) {
        if (*stopped > 0 || err.find("正在对") == std::string::npos) return;
        if (const pid_t engine = engineOf(pid); engine > 0 && kill(engine, SIGSTOP) == 0) *stopped = engine;
    };
    std::vector<std::string> arguments = {"check"};
    arguments.insert(arguments.end(), files.begin(), files.end());
    arguments.insert(arguments.end(), {"--call-timeout", "5", "--open-timeout", "60", "--verbose", "--parts", "cn-abstract"});
    const ProgramRun run = runProgram(command(arguments), s);
    figures_.emplace_back("call timeout 5 s + next", run);
    ASSERT_GT(*stopped, 0) << "the check ended before the engine could be stopped: " << run.err;
    EXPECT_EQ(run.status, 2) << run.err;
    const std::string messages = messageLines(run.err);
    auto stoppedOn = std::find_if(files.begin(), files.end(), [&](const std::string& file) {
        return messages == "quillmark: 文档引擎超过 5 秒没有答复，本文档的检测没有完成：" + file + "\n" ||
               messages == "quillmark: 文档过大或已损坏：" + file + "（打开超过 60 秒）\n";
    });
    ASSERT_NE(stoppedOn, files.end()) << "one message, for the file the engine stopped on: " << messages;
    EXPECT_NE(stoppedOn, files.end() - 1) << "the engine should stop before the last file";
    for (auto next = stoppedOn + 1; next != files.end(); ++next) {
        EXPECT_NE(run.out.find(*next + "\n1，"), std::string::npos) << "the next file is checked: " << run.out;
    }
    expectNothingLeftBehind(run);
}

TEST_F(HostileInput, FourChecksAtOnceOnTheSameFileAgree) {
    std::vector<ProgramRun> runs(4);
    std::vector<std::thread> threads;
    for (auto& run : runs) {
        threads.emplace_back([&run] { run = runProgram(command({"check", thesis_}), settings(kEngineBound)); });
    }
    for (auto& t : threads) t.join();
    const ProgramRun alone = runProgram(command({"check", thesis_}), settings(kEngineBound));
    ASSERT_EQ(alone.status, 1) << alone.err;
    for (const auto& run : runs) {
        EXPECT_EQ(run.status, alone.status) << run.err;
        EXPECT_EQ(run.out, alone.out);
        EXPECT_EQ(run.err, "");
        expectNothingLeftBehind(run);
    }
}

TEST_F(HostileInput, JobsCheckFilesSideBySideAndPrintThemInOrder) {
    const std::string copy = root_ + "/second thesis.doc";
    fs::copy_file(thesis_, copy, fs::copy_options::overwrite_existing);
    const std::vector<std::string> files = {thesis_, inputs_ + "/random.doc", copy};
    std::vector<std::string> one = {"check"}, batch = {"check", "--jobs", "3"};
    for (const auto& f : files) one.push_back(f), batch.push_back(f);
    one.insert(one.end(), {"--parts", "cn-abstract"});
    batch.insert(batch.end(), {"--parts", "cn-abstract"});
    const ProgramRun sequential = runProgram(command(one), settings(kEngineBound));
    const ProgramRun parallel = runProgram(command(batch), settings(kEngineBound));
    figures_.emplace_back("3 files one at a time", sequential);
    figures_.emplace_back("3 files --jobs 3", parallel);
    EXPECT_EQ(parallel.status, 2);
    EXPECT_EQ(parallel.status, sequential.status);
    EXPECT_EQ(parallel.out, sequential.out);
    EXPECT_EQ(parallel.err, sequential.err);
    expectNothingLeftBehind(parallel);
}

TEST_F(HostileInput, JobsStartOneEnginePerWorkerAndReuseIt) {
    std::vector<std::string> files = thesisCopies("reused", 5);
    files.insert(files.begin() + 2, inputs_ + "/random.doc");
    std::vector<std::string> one = {"check"}, batch = {"check", "--jobs", "2"};
    for (const auto& f : files) one.push_back(f), batch.push_back(f);
    for (auto* arguments : {&one, &batch}) arguments->insert(arguments->end(), {"--parts", "cn-abstract"});

    // An engine is known by its profile: one that restarts itself to set up
    // a fresh profile is still the same start.
    auto started = std::make_shared<std::set<std::string>>();
    auto mostAtOnce = std::make_shared<std::size_t>(0);
    auto mostCopies = std::make_shared<std::size_t>(0);
    const fs::path work = fs::path(cacheHome_) / "quillmark" / "Temporary files for word";
    RunSettings s = settings(kEngineBound);
    s.whileRunning = [=](pid_t pid, std::chrono::milliseconds, const std::string&) {
        std::set<std::string> running;
        for (pid_t engine : enginesBelow(pid)) {
            if (const std::string profile = engineProfileOf(engine); !profile.empty()) running.insert(profile);
        }
        started->insert(running.begin(), running.end());
        *mostAtOnce = std::max(*mostAtOnce, running.size());
        std::error_code ignored;
        std::size_t copies = 0;
        for (auto it = fs::recursive_directory_iterator(work, ignored); it != fs::recursive_directory_iterator(); it.increment(ignored)) {
            if (it->path().extension() == ".doc") ++copies;
        }
        *mostCopies = std::max(*mostCopies, copies);
    };
    const ProgramRun parallel = runProgram(command(batch), s);
    const ProgramRun sequential = runProgram(command(one), settings(kEngineBound));
    figures_.emplace_back("6 files --jobs 2", parallel);
    figures_.emplace_back("6 files one at a time", sequential);
    EXPECT_GE(started->size(), 1u) << "no engine seen";
    EXPECT_LE(started->size(), 2u) << "one engine per worker, reused for its next file";
    EXPECT_LE(*mostAtOnce, 2u);
    EXPECT_LE(*mostCopies, 2u) << "a worker keeps the working copy of the file it checks, not of those it has done";
    EXPECT_EQ(parallel.status, 2);
    EXPECT_EQ(parallel.out, sequential.out);
    EXPECT_EQ(parallel.err, sequential.err);
    expectNothingLeftBehind(parallel);
}

TEST_F(HostileInput, LeftoversOfADeadProcessAreRemovedByTheNextStart) {
    const std::string dead = "999999999.1";  // no such pid
    const fs::path work = fs::path(cacheHome_) / "quillmark" / "Temporary files for word";
    fs::create_directories(work / dead / "1");
    std::ofstream(work / dead / "1" / "论文.doc") << "x";
    fs::create_directories(fs::path(tmpDir_) / ("quillmark-engine-" + dead + "-abcdef") / "user");
    const fs::path pipe = fs::path("/tmp") / ("OSL_PIPE_" + std::to_string(getuid()) + "_quillmark-" + dead + "-1");
    std::ofstream(pipe) << "";
    const ProgramRun run = runProgram(command({"check", thesis_, "--parts", "cn-abstract"}), settings(kEngineBound));
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_FALSE(fs::exists(work / dead));
    EXPECT_FALSE(fs::exists(fs::path(tmpDir_) / ("quillmark-engine-" + dead + "-abcdef")));
    EXPECT_FALSE(fs::exists(pipe));
}

}  // namespace
}  // namespace quillmark::testing
