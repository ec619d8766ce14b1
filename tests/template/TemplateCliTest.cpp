#include "template/Codepage936.h"
#include "template/FormatTemplate.h"
#include "template/TemplateWriter.h"

#include "template/TempDir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <sys/wait.h>

namespace quillmark {
namespace {

struct RunResult {
    int exitCode = -1;
    std::string out;
};

// Runs the quillmark binary with `arguments` (already shell-quoted); stderr
// goes to `errFile`.
RunResult runQuillmark(const std::string& arguments, const std::string& errFile) {
    const std::string command = std::string(QUILLMARK_BINARY) + " " + arguments + " 2>" + errFile;
    RunResult result;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return result;
    char buffer[4096];
    std::size_t count;
    while ((count = fread(buffer, 1, sizeof buffer, pipe)) > 0) result.out.append(buffer, count);
    const int status = pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

class TemplateCliTest : public ::testing::Test {
protected:
    RunResult run(const std::string& arguments) { return runQuillmark(arguments, errFile_); }

    std::string err() const {
        FILE* file = fopen(errFile_.c_str(), "rb");
        std::string text;
        char buffer[4096];
        std::size_t count;
        while (file && (count = fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, count);
        if (file) fclose(file);
        return text;
    }

    test::TempDir dir_;
    std::string errFile_ = dir_.path("stderr.txt");
};

TEST_F(TemplateCliTest, ShowsTheDefaults) {
    const RunResult result = run("template show");
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, formatTemplateFile(FormatTemplate{}));
    EXPECT_EQ(err(), "");
}

TEST_F(TemplateCliTest, LoadsFilesInOrder) {
    const std::string first = dir_.write("first.ini", utf8ToGbk("[正文]\n正文字号=16\n正文中文字体=黑体\n"));
    const std::string second = dir_.write("second.ini", utf8ToGbk("[正文]\n正文字号=14\n"));
    const RunResult result = run("template show --load " + first + " --load=" + second);
    FormatTemplate expected;
    expected.loadFromFile(first);
    expected.loadFromFile(second);
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, formatTemplateFile(expected));
    EXPECT_NE(result.out.find("\n正文字号=14.0\n正文中文字体=黑体\n"), std::string::npos);
}

TEST_F(TemplateCliTest, FilesThatCannotLoadEndWithTwoAndOneLine) {
    const RunResult missing = run("template show --load " + dir_.path("missing.ini"));
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_EQ(missing.out, "");
    EXPECT_EQ(err(), "quillmark: 无法读取模板文件“" + dir_.path("missing.ini") + "”，当前模板没有改变\n");

    const std::string empty = dir_.write("empty.ini", "");
    const RunResult refused = run("template show --load " + empty);
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_EQ(refused.out, "");
    EXPECT_EQ(err(), "quillmark: “" + empty + "”不是格式模板，当前模板没有改变\n");
}

TEST_F(TemplateCliTest, Utf8OutputEditedLoadsBack) {
    const RunResult shown = run("template show");
    ASSERT_EQ(shown.exitCode, 0);
    std::string edited = shown.out;
    const std::string from = "\n正文中文字体=宋体\n";
    ASSERT_NE(edited.find(from), std::string::npos);
    edited.replace(edited.find(from), from.size(), "\n正文中文字体=楷体\n");
    const RunResult reshown = run("template show --load " + dir_.write("edited.ini", edited));
    EXPECT_EQ(reshown.exitCode, 0);
    EXPECT_EQ(reshown.out, edited);
    EXPECT_NE(reshown.out.find("\n注释字号=10.5\n"), std::string::npos);
}

TEST_F(TemplateCliTest, GbkOutputLoadsBackIntoTheSameTemplate) {
    const std::string source = dir_.write("source.ini", utf8ToGbk("[图表]\n序号分隔符=\" - \"\n[检测类型]\n类型=1\n"));
    const RunResult shown = run("template show --encoding gbk --load " + source);
    ASSERT_EQ(shown.exitCode, 0);
    EXPECT_TRUE(gbkToUtf8(shown.out).starts_with("[检测类型]\n类型=1\n"));

    const std::string copy = dir_.write("copy.ini", shown.out);
    const RunResult reshown = run("template show --encoding GBK --load " + copy);
    EXPECT_EQ(reshown.out, shown.out);
}

TEST_F(TemplateCliTest, BadUsageExitsWithTwo) {
    EXPECT_EQ(run("template show --colour").exitCode, 2);
    EXPECT_NE(err().find("--load"), std::string::npos);  // usage of "show"
    EXPECT_EQ(run("template show --encoding latin1").exitCode, 2);
    EXPECT_EQ(run("template show --load a b").exitCode, 2);
    EXPECT_EQ(run("template").exitCode, 2);
    EXPECT_EQ(run("").exitCode, 2);
}

TEST_F(TemplateCliTest, HelpAndVersion) {
    EXPECT_EQ(run("--version").out, "quillmark 0.1.0\n");
    const RunResult help = run("--help");
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("template"), std::string::npos);
}

}  // namespace
}  // namespace quillmark
