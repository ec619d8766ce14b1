// The command line as a user runs it: the built program on real files.
#include "support/DocBuilder.h"
#include "support/Command.h"
#include "support/Engine.h"
#include "template/Codepage936.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdlib>
#include <unistd.h>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>

namespace {

using namespace quillmark::testing;
namespace fs = std::filesystem;

struct Result {
    int status = -1;
    std::string out;
    std::string err;  // only from runWithErrors()
};

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

// Runs `program` (the command line unless told) with `arguments` (already
// quoted for the shell); its standard error goes to `errors`.
Result run(const std::string& arguments, const std::string& errors = "/dev/null",
           const std::string& program = QUILLMARK_BINARY) {
    const CommandResult ran = runCommand(program + " " + arguments + " 2>'" + errors + "'");
    return {ran.status, ran.out, {}};
}


// Runs the program and keeps its standard error too.
Result runKeepingErrors(const std::string& arguments, const std::string& errFile, std::string& err) {
    Result result = run(arguments, errFile);
    err = readAll(errFile);
    return result;
}

std::string shellQuoted(const std::string& path) { return "'" + path + "'"; }

// As run(), keeping what the program says on standard error.
Result runWithErrors(const std::string& arguments) {
    const std::string errors = scratchDir() + "/stderr.txt";
    Result result = run(arguments, errors);
    result.err = readAll(errors);
    return result;
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// A short thesis front matter whose Chinese-abstract title is 15 points.
std::string smallThesis(const std::string& dir) {
    return DocBuilder()
        .paragraph("摘要", {.asianFont = "黑体", .size = 15, .bold = true}, {.alignment = 1})
        .blank()
        .paragraph("本文研究论文格式的自动检查方法，并给出一个完整的实现。")
        .blank()
        .paragraph({{"关键词：", {.asianFont = "黑体", .size = 14, .bold = true}}, {"论文，格式，检查", {}}})
        .save(dir + "/论文.doc");
}

class CommandLine : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = scratchDir();
        thesis_ = smallThesis(dir_);
    }
    static inline std::string dir_;
    static inline std::string thesis_;
};

TEST_F(CommandLine, MasterTypeChecksTheMasterCovers) {
    Result r = run("check " + shellQuoted(thesis_) + " --parts cover --type master");
    EXPECT_EQ(r.status, 1);
    std::istringstream lines(r.out);
    std::string second;
    std::getline(lines, second);
    std::getline(lines, second);
    EXPECT_EQ(second, "1，(严重)找不到\"Norvale工学硕士学位论文\"字样，请自行添加\"Norvale工学硕士学位论文\"字样"
                      "位于第1页，第1行");
}

TEST_F(CommandLine, BodyPartNeedsATableOfContents) {
    Result r = run("check " + shellQuoted(thesis_) + " --parts body");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, thesis_ + "\n1，(严重)找不到目录，或者引入目录错误，请重新调整目录规范，否则正文将无法检测位于第1页，第1行\n");
}

TEST_F(CommandLine, ChecksAPartAndPrintsOneLinePerFinding) {
    const std::string before = readAll(thesis_);
    Result r = run("check " + shellQuoted(thesis_) + " --parts cn-abstract");
    EXPECT_EQ(r.status, 1);
    std::istringstream lines(r.out);
    std::string first, second;
    std::getline(lines, first);
    std::getline(lines, second);
    EXPECT_EQ(first, thesis_);
    EXPECT_EQ(second,
              "1，(中等)\"摘要\"标题字号有误，请自行查找默认模板或您所设置的模板中文摘要（要摘）标题相对应的字号。"
              "位于第1页，第1行");
    EXPECT_EQ(readAll(thesis_), before) << "the user's own file must never change";
}

TEST_F(CommandLine, JsonNamesTheCheckOfEachFinding) {
    Result r = run("check " + shellQuoted(thesis_) + " --parts cn-abstract --json");
    EXPECT_EQ(r.status, 1);
    const auto findings = nlohmann::json::parse(r.out);
    ASSERT_TRUE(findings.is_array());
    ASSERT_FALSE(findings.empty());
    EXPECT_EQ(findings[0]["file"], thesis_);
    EXPECT_EQ(findings[0]["check"], "cn-abstract");
    EXPECT_EQ(findings[0]["level"], "中等");
    EXPECT_EQ(findings[0]["page"], 1);
    EXPECT_EQ(findings[0]["position"], 0);
}

TEST_F(CommandLine, ReportWritesTheMarkedDocumentAndOneGbkLinePerFinding) {
    const std::string out = dir_ + "/论文(修改后).doc";
    Result r = run("check " + shellQuoted(thesis_) + " --parts cn-abstract --report " + shellQuoted(out));
    EXPECT_EQ(r.status, 1);
    ASSERT_TRUE(fs::exists(out));
    EXPECT_EQ(readAll(out + ".txt"),
              quillmark::utf8ToGbk("1，(中等)\"摘要\"标题字号有误，请自行查找默认模板或您所设置的模板中文摘要（要摘）"
                                   "标题相对应的字号。位于第1页，第1行\r\n"));
}

TEST_F(CommandLine, FixCorrectsTheDocumentItSaves) {
    const std::string out = dir_ + "/fixed.doc";
    Result r = run("check " + shellQuoted(thesis_) + " --parts cn-abstract --fix --report " + shellQuoted(out));
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(readAll(out + ".txt"), "");
    Result again = run("check " + shellQuoted(out) + " --parts cn-abstract");
    EXPECT_EQ(again.status, 0) << again.out;
}

TEST_F(CommandLine, ADocumentWithoutAbstractGetsTheSevereFinding) {
    const std::string empty = DocBuilder().paragraph("第一章 绪论").save(dir_ + "/empty.doc");
    Result r = run("check " + shellQuoted(empty) + " --parts cn-abstract --json");
    EXPECT_EQ(r.status, 1);
    const auto findings = nlohmann::json::parse(r.out);
    ASSERT_EQ(findings.size(), 1u);
    EXPECT_EQ(findings[0]["level"], "严重");
    EXPECT_EQ(findings[0]["position"], 0);
}

TEST_F(CommandLine, BadInputEndsWithStatusTwo) {
    std::ofstream(dir_ + "/notes.doc") << "plain text, not a document\n";
    std::ofstream(dir_ + "/zero.doc");
    EXPECT_EQ(run("check " + shellQuoted(dir_ + "/missing.doc")).status, 2);
    EXPECT_EQ(run("check " + shellQuoted(dir_)).status, 2);
    EXPECT_EQ(run("check " + shellQuoted(dir_ + "/notes.doc")).status, 2);
    EXPECT_EQ(run("check " + shellQuoted(dir_ + "/zero.doc")).status, 2);
    EXPECT_EQ(run("check " + shellQuoted(thesis_) + " --parts nonsense").status, 2);
    EXPECT_EQ(run("check " + shellQuoted(thesis_) + " --type doctor").status, 2);
    EXPECT_EQ(run("check " + shellQuoted(thesis_) + " " + shellQuoted(thesis_) + " --report x.doc").status, 2);
    EXPECT_EQ(run("check --no-such-option " + shellQuoted(thesis_)).status, 2);
    EXPECT_EQ(run("check " + shellQuoted(thesis_) + " --call-timeout 0").status, 2);
    EXPECT_EQ(run("inspect " + shellQuoted(dir_ + "/notes.doc")).status, 2);
}

TEST_F(CommandLine, ATemplateThatCannotLoadEndsTheCheckBeforeAnyThesis) {
    std::ofstream(dir_ + "/junk.ini") << "this is not a template\n\x01\x02\x03";
    for (const std::string& bad : {dir_ + "/junk.ini", dir_ + "/missing.ini", dir_}) {
        Result r = run("check " + shellQuoted(thesis_) + " --parts cn-abstract --template " + shellQuoted(bad));
        EXPECT_EQ(r.status, 2) << bad;
        EXPECT_EQ(r.out, "") << bad;  // no thesis was checked
    }
    // A template of one section loads it: the 15-point title is then right.
    std::ofstream(dir_ + "/title.ini") << quillmark::utf8ToGbk("[中文摘要]\n\"摘要\"标题两字字号=15\n");
    Result r = run("check " + shellQuoted(thesis_) + " --parts cn-abstract --template " + shellQuoted(dir_ + "/title.ini"));
    EXPECT_EQ(r.out.find("标题字号有误"), std::string::npos) << r.out;
}

TEST_F(CommandLine, DeriveWritesATemplateThatChecksTheModelWithoutItsFormatFindings) {
    const std::string out = dir_ + "/derived.ini";
    const std::string base = dir_ + "/base.ini";
    std::ofstream(base) << quillmark::utf8ToGbk("[检测项]\n正文=0\n[英文摘要]\n\"Abstract\"标题字号=20\n");
    std::string err;
    Result r = runKeepingErrors("template derive " + shellQuoted(thesis_) + " --out " + shellQuoted(out) +
                                    " --base " + shellQuoted(base),
                                dir_ + "/derive.err", err);
    ASSERT_EQ(r.status, 0) << err;
    const std::string written = quillmark::gbkToUtf8(readAll(out));
    // The 15-point title of the model, the switch and the missing English title's size of the base.
    EXPECT_NE(written.find("\n\"摘要\"标题两字字号=15.0\n"), std::string::npos) << written;
    EXPECT_NE(written.find("\n正文=0\n"), std::string::npos);
    EXPECT_NE(written.find("\n\"Abstract\"标题字号=20.0\n"), std::string::npos);
    EXPECT_NE(err.find("未找到英文摘要标题，沿用" + base + "的值\n"), std::string::npos) << err;
    EXPECT_EQ(err.find("quillmark:"), std::string::npos) << err;

    // The model checked against the template derived from it: no abstract finding is about a format.
    Result checked = run("check " + shellQuoted(thesis_) + " --parts cn-abstract --template " + shellQuoted(out));
    EXPECT_EQ(checked.out.find("字号有误"), std::string::npos) << checked.out;
    EXPECT_EQ(checked.out.find("字体有误"), std::string::npos) << checked.out;
}

TEST_F(CommandLine, DeriveRefusesWhatCheckRefusesWithTheSameLine) {
    std::ofstream(dir_ + "/text.doc") << "plain text, not a document\n";
    std::ofstream(dir_ + "/empty.doc");
    for (const std::string& model : {dir_ + "/text.doc", dir_ + "/empty.doc", dir_ + "/missing.doc"}) {
        std::string checkErr;
        std::string deriveErr;
        const Result checked = runKeepingErrors("check " + shellQuoted(model), dir_ + "/check.err", checkErr);
        const std::string out = dir_ + "/never.ini";
        const Result derived = runKeepingErrors("template derive " + shellQuoted(model) + " --out " + shellQuoted(out),
                                                dir_ + "/derive.err", deriveErr);
        EXPECT_EQ(checked.status, 2);
        EXPECT_EQ(derived.status, 2) << model;
        EXPECT_EQ(deriveErr, checkErr) << model;
        EXPECT_EQ(std::count(deriveErr.begin(), deriveErr.end(), '\n'), 1) << deriveErr;
        EXPECT_FALSE(fs::exists(out));
    }
    std::string err;
    EXPECT_EQ(runKeepingErrors("template derive " + shellQuoted(thesis_) + " --out " + shellQuoted(dir_ + "/t.ini") +
                                   " --base " + shellQuoted(dir_ + "/no-base.ini"),
                               dir_ + "/derive.err", err)
                  .status,
              2);
    EXPECT_EQ(err, "quillmark: 无法读取模板文件“" + dir_ + "/no-base.ini”，当前模板没有改变\n");
    EXPECT_EQ(runKeepingErrors("template derive " + shellQuoted(thesis_) + " --out " +
                                   shellQuoted(dir_ + "/no-folder/t.ini"),
                               dir_ + "/derive.err", err)
                  .status,
              2);
    EXPECT_EQ(err, "quillmark: 无法写入模板文件“" + dir_ + "/no-folder/t.ini”\n");
    EXPECT_EQ(run("template derive " + shellQuoted(thesis_) + " --out x.ini --type doctor").status, 2);
    EXPECT_EQ(run("template derive " + shellQuoted(thesis_)).status, 2);  // no --out
}

TEST_F(CommandLine, InspectPrintsEveryParagraphAsJson) {
    Result r = run("inspect " + shellQuoted(thesis_) + " --json");
    ASSERT_EQ(r.status, 0);
    const auto doc = nlohmann::json::parse(r.out);
    EXPECT_EQ(doc["pages"], 1);
    ASSERT_EQ(doc["paragraphs"].size(), 5u);
    const auto& title = doc["paragraphs"][0];
    EXPECT_EQ(title["index"], 1);
    EXPECT_EQ(title["start"], 0);
    EXPECT_EQ(title["end"], 3);
    EXPECT_EQ(title["text"], "摘要");
    EXPECT_EQ(title["nameFarEast"], "黑体");
    EXPECT_EQ(title["size"], 15.0);
    EXPECT_EQ(title["bold"], -1);
    EXPECT_EQ(title["alignment"], 1);
    EXPECT_EQ(title["outlineLevel"], 10);
    EXPECT_EQ(doc["paragraphs"][4]["line"], 5);
}

}  // namespace

namespace {

TEST_F(CommandLine, InspectRunsShowsEachRunWithItsFonts) {
    Result r = run("inspect " + shellQuoted(thesis_) + " --json --runs");
    ASSERT_EQ(r.status, 0);
    const auto doc = nlohmann::json::parse(r.out);
    // "关键词：" in 14-point bold 黑体, then the words in 12-point 宋体.
    const auto& runs = doc["paragraphs"][4]["runs"];
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0]["start"], doc["paragraphs"][4]["start"]);
    EXPECT_EQ(runs[0]["end"], runs[1]["start"]);
    EXPECT_EQ(runs[0]["nameFarEast"], "黑体");
    EXPECT_EQ(runs[0]["size"], 14.0);
    EXPECT_EQ(runs[0]["bold"], -1);
    EXPECT_EQ(runs[1]["nameFarEast"], "宋体");
    EXPECT_EQ(runs[1]["size"], 12.0);
    EXPECT_EQ(runs[1]["bold"], 0);
    EXPECT_EQ(runs[1]["superscript"], 0);

    Result text = run("inspect " + shellQuoted(thesis_) + " --runs");
    ASSERT_EQ(text.status, 0);
    EXPECT_NE(text.out.find("\trun\t"), std::string::npos);
    EXPECT_EQ(run("inspect " + shellQuoted(thesis_)).out.find("\trun\t"), std::string::npos);
}

}  // namespace

namespace {

// A body whose only fault is a note in the body text's size: its message
// holds a line break ("\r\n\t").
std::string thesisWithANote(const std::string& dir) {
    return DocBuilder()
        .paragraph("目录页", {}, {.alignment = 1})
        .tableOfContents()
        .pageBreak()
        .paragraph("1 绪论", {.asianFont = "黑体", .size = 16, .bold = true}, {.alignment = 1, .outlineLevel = 1})
        .paragraph("注：本表数据来自调查。", {}, {.alignment = 0})
        .save(dir + "/note.doc");
}

TEST_F(CommandLine, AMessageWithALineBreakStaysOnOneLineOnlyInThePlainOutput) {
    const std::string thesis = thesisWithANote(dir_);
    const std::string kBreak = "\r\n\t(如果是图名，请确保是居中且图后回车)";

    Result plain = run("check " + shellQuoted(thesis) + " --parts body");
    EXPECT_EQ(plain.status, 1);
    EXPECT_EQ(plain.out.find_first_of("\r\t"), std::string::npos) << plain.out;
    const std::vector<std::string> lines = linesOf(plain.out);
    ASSERT_EQ(lines.size(), 2u) << plain.out;
    EXPECT_EQ(lines[0], thesis);
    EXPECT_NE(lines[1].find("相对应的字号。 (如果是图名，请确保是居中且图后回车)位于第2页，第2行"), std::string::npos)
        << lines[1];

    Result json = run("check " + shellQuoted(thesis) + " --parts body --json");
    const auto findings = nlohmann::json::parse(json.out);
    ASSERT_EQ(findings.size(), 1u);
    EXPECT_TRUE(findings[0]["description"].get<std::string>().ends_with(kBreak));

    const std::string report = dir_ + "/note(修改后).doc";
    EXPECT_EQ(run("check " + shellQuoted(thesis) + " --parts body --report " + shellQuoted(report)).status, 1);
    EXPECT_NE(readAll(report + ".txt").find(quillmark::utf8ToGbk(kBreak + "位于第2页")), std::string::npos);
}

TEST_F(CommandLine, UsageMistakesAreNamed) {
    // A list of parts that names nothing is refused, however it is empty.
    for (const std::string parts : {"\"\"", ",", "' , '"}) {
        Result r = runWithErrors("check " + shellQuoted(thesis_) + " --parts " + parts);
        EXPECT_EQ(r.status, 2) << parts;
        EXPECT_NE(r.err.find("--parts names no part"), std::string::npos) << parts << ": " << r.err;
        EXPECT_EQ(r.out, "") << parts;
    }

    Result unknown = runWithErrors("frob " + shellQuoted(thesis_));
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.err.find("\"frob\""), std::string::npos) << unknown.err;
    for (const char* command : {"check", "inspect", "template"}) {
        EXPECT_NE(unknown.err.find(command), std::string::npos) << command << " unlisted: " << unknown.err;
    }
    EXPECT_EQ(unknown.err.find("RequiredError"), std::string::npos) << unknown.err;
}

TEST_F(CommandLine, VerboseLinesOfTwoFilesAtOnceNameTheirFile) {
    const std::string first = dir_ + "/first.doc";
    const std::string second = dir_ + "/second.doc";
    fs::copy_file(thesis_, first, fs::copy_options::overwrite_existing);
    fs::copy_file(thesis_, second, fs::copy_options::overwrite_existing);
    Result r = runWithErrors("check " + shellQuoted(first) + " " + shellQuoted(second) +
                             " --parts cn-abstract --jobs 2 --verbose");
    EXPECT_EQ(r.status, 1);
    int ofFirst = 0, ofSecond = 0;
    for (const std::string& line : linesOf(r.err)) {
        if (line.starts_with(first + ": [")) ++ofFirst;
        else if (line.starts_with(second + ": [")) ++ofSecond;
        else ADD_FAILURE() << "a line without its file: " << line;
    }
    EXPECT_GT(ofFirst, 0) << r.err;
    EXPECT_GT(ofSecond, 0) << r.err;
}

TEST_F(CommandLine, InspectShowsMixedValuesAsAWordAndJsonKeepsTheNumber) {
    // The keywords paragraph: "关键词：" in 14-point bold, the words in 12-point regular.
    const std::vector<std::string> lines = linesOf(run("inspect " + shellQuoted(thesis_)).out);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_NE(lines[5].find("\tsize mixed\tbold mixed\t"), std::string::npos) << lines[5];
    EXPECT_NE(lines[1].find("\tsize 15\tbold -1\t"), std::string::npos) << lines[1];
    EXPECT_EQ(lines[5].find("9999999"), std::string::npos);
    EXPECT_EQ(lines[5].find("e+07"), std::string::npos);

    const auto doc = nlohmann::json::parse(run("inspect " + shellQuoted(thesis_) + " --json").out);
    EXPECT_EQ(doc["paragraphs"][4]["size"], 9999999.0);
    EXPECT_EQ(doc["paragraphs"][4]["bold"], 9999999);
}

}  // namespace

namespace {

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
    double seconds = 0;
};

// Runs the program and keeps its standard error too.
Outcome runTimed(const std::string& arguments) {
    const std::string errFile = scratchDir() + "/stderr";
    const auto start = std::chrono::steady_clock::now();
    Result r = run(arguments, errFile);
    Outcome o{r.status, r.out, readAll(errFile)};
    o.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return o;
}

TEST_F(CommandLine, TheThesisIsNeverItsOwnReportHoweverItIsNamed) {
    const std::string folder = scratchDir();
    const std::string thesis = smallThesis(folder);
    const std::string before = readAll(thesis);
    fs::create_symlink(thesis, folder + "/link.doc");
    fs::create_hard_link(thesis, folder + "/hard.doc");
    const std::string relative = fs::relative(thesis, fs::current_path()).string();
    const std::string dotted = "./" + relative;
    for (const std::string& target : {thesis, relative, dotted, folder + "/link.doc", folder + "/hard.doc",
                                      folder + "/../" + fs::path(folder).filename().string() + "/论文.doc"}) {
        SCOPED_TRACE(target);
        Outcome o = runTimed("check " + shellQuoted(thesis) + " --fix --report " + shellQuoted(target));
        EXPECT_EQ(o.status, 2);
        EXPECT_NE(o.err.find("报表不能保存为论文本身"), std::string::npos) << o.err;
        EXPECT_EQ(o.out, "") << "refused before anything is checked";
        EXPECT_EQ(readAll(thesis), before);
    }
    EXPECT_FALSE(fs::exists(thesis + ".txt"));
}

TEST_F(CommandLine, TheReportsExtensionDecidesItsFormatAndAnyOtherIsRefusedBeforeTheCheck) {
    for (const char* name : {"/r.pdf", "/r.odt", "/r", "/r.doc.bak"}) {
        Outcome o = runTimed("check " + shellQuoted(thesis_) + " --report " + shellQuoted(dir_ + name));
        EXPECT_EQ(o.status, 2) << name;
        EXPECT_NE(o.err.find("报表文件名应以 .doc 或 .docx 结尾"), std::string::npos) << o.err;
        EXPECT_EQ(o.out, "");
        EXPECT_FALSE(fs::exists(dir_ + name));
    }
    Outcome lone = runTimed("check " + shellQuoted(thesis_) + " --comments");
    EXPECT_EQ(lone.status, 2);
    EXPECT_NE(lone.err.find("--comments needs --report"), std::string::npos) << lone.err;

    const std::string docx = dir_ + "/R.DOCX";
    EXPECT_EQ(run("check " + shellQuoted(thesis_) + " --parts cn-abstract --comments --report " + shellQuoted(docx)).status, 1);
    EXPECT_EQ(readAll(docx).substr(0, 2), "PK");
    // The comment is there, by its author, in the package's comments part.
    const Result comments = run("-c 'import sys,zipfile; print(zipfile.ZipFile(sys.argv[1]).read(\"word/comments.xml\").decode())' " +
                                shellQuoted(docx), "/dev/null", "/usr/bin/python3");
    EXPECT_NE(comments.out.find("w:author=\"Quillmark\""), std::string::npos) << comments.out;
}

TEST_F(CommandLine, AnUnwritableTargetIsToldAtOnceWithItsCause) {
    const std::string before = readAll(thesis_);
    // The engine would otherwise spin on its Word 97 export into a stream that
    // cannot be written, until the call bound ended it as an engine that
    // does not answer.
    Outcome proc = runTimed("check " + shellQuoted(thesis_) +
                                    " --parts cn-abstract --call-timeout 60 --report /proc/out.doc");
    EXPECT_EQ(proc.status, 2);
    EXPECT_NE(proc.err.find("/proc/out.doc"), std::string::npos) << proc.err;
    EXPECT_NE(proc.err.find("无法在该文件夹中保存报表"), std::string::npos) << proc.err;
    EXPECT_EQ(proc.err.find("没有答复"), std::string::npos) << proc.err;
    EXPECT_LT(proc.seconds, 30.0);

    if (geteuid() == 0) {
        const std::string readOnly = scratchDir() + "/ro";
        fs::create_directories(readOnly);
        if (std::system(("mount -t tmpfs -o ro,size=1m tmpfs " + shellQuoted(readOnly) + " 2>/dev/null").c_str()) == 0) {
            Outcome ro = runTimed("check " + shellQuoted(thesis_) + " --parts cn-abstract --call-timeout 60 --report " +
                                          shellQuoted(readOnly + "/r.doc"));
            std::system(("umount " + shellQuoted(readOnly)).c_str());
            EXPECT_EQ(ro.status, 2);
            EXPECT_NE(ro.err.find("无法在该文件夹中保存报表"), std::string::npos) << ro.err;
            EXPECT_NE(ro.err.find("Read-only file system"), std::string::npos) << ro.err;
            EXPECT_LT(ro.seconds, 30.0);
        }
    }
    EXPECT_EQ(readAll(thesis_), before);
}

}  // namespace

namespace {

// "(level)description" of every finding line, without number and place:
// a correction can move text to another page.
std::multiset<std::string> findingTexts(const std::string& out) {
    std::multiset<std::string> texts;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) {
        const auto open = line.find("，(");
        const auto place = line.rfind("位于第");
        if (open == std::string::npos || place == std::string::npos) continue;
        texts.insert(line.substr(open + 3, place - open - 3));
    }
    return texts;
}

struct Recheck {
    std::size_t fixed = 0;    // findings of the auto-fix run
    std::size_t back = 0;     // findings of the report's check that the auto-fix run did not have
    std::string first;        // the first of them
};

Recheck fixThenRecheck(const std::string& thesis, const std::string& report, const std::string& options) {
    const Result fix = run("check " + shellQuoted(thesis) + options + " --fix --report " + shellQuoted(report));
    Recheck r;
    const auto fixed = findingTexts(fix.out);
    r.fixed = fixed.size();
    auto left = fixed;
    for (const std::string& text : findingTexts(run("check " + shellQuoted(report) + options).out)) {
        if (auto it = left.find(text); it != left.end()) {
            left.erase(it);
        } else {
            if (r.back++ == 0) r.first = text;
        }
    }
    return r;
}

// Every correction of auto-fix is in the saved report, in both formats: a
// fresh check of the report finds nothing the auto-fix run did not.
TEST_F(CommandLine, AReportKeepsEveryCorrectionOfAutoFix) {
    const std::string folder = scratchDir();
    const std::string samples = std::string(QUILLMARK_SOURCE_DIR) + "/samples/";
    const std::vector<std::pair<std::string, std::string>> theses = {
        {samples + "bachelor-thesis.doc", ""},
        {std::string(QUILLMARK_REAL_DOCUMENTS) + "/cqu_bachelor_2019.doc", ""},
        {std::string(QUILLMARK_REAL_DOCUMENTS) + "/seu_template.docx", ""},
    };
    for (const auto& [thesis, options] : theses) {
        if (!fs::exists(thesis)) continue;
        for (const char* format : {".doc", ".docx"}) {
            SCOPED_TRACE(thesis + " -> " + format);
            const Recheck r = fixThenRecheck(thesis, folder + "/" + fs::path(thesis).stem().string() + format, options);
            EXPECT_EQ(r.back, 0u) << r.first;
            std::cout << fs::path(thesis).filename().string() << " " << format << ": auto-fix " << r.fixed
                      << ", back after the report " << r.back << '\n';
        }
    }
}

}  // namespace
