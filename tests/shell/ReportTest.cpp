#include "Fakes.h"

#include "shell/ReportWriter.h"
#include "template/Codepage936.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace quillmark {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

std::string readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(ReportLine, IsBuiltPieceByPieceInCodePage936WithCrLf) {
    // 1，(中等)X位于第3页，第12行\r\n, byte for byte.
    const std::string expected = std::string("1") + "\xA3\xAC" + "(" + "\xD6\xD0\xB5\xC8" + ")" + "X" +
                                 "\xCE\xBB\xD3\xDA\xB5\xDA" + "3" + "\xD2\xB3\xA3\xAC\xB5\xDA" + "12" + "\xD0\xD0" +
                                 "\r\n";
    EXPECT_EQ(reportLine(1, {3, 12, "中等", "X", 999}), expected);
    const std::string second = std::string("2") + "\xA3\xAC" + "(" + "\xD1\xCF\xD6\xD8" + ")" + "Y" +
                               "\xCE\xBB\xD3\xDA\xB5\xDA" + "1" + "\xD2\xB3\xA3\xAC\xB5\xDA" + "1" + "\xD0\xD0" +
                               "\r\n";
    EXPECT_EQ(reportLine(2, {1, 1, "严重", "Y", 0}), second);
    EXPECT_EQ(reportText({{3, 12, "中等", "X", 999}, {1, 1, "严重", "Y", 0}}), expected + second);
}

TEST(ReportLine, CarriesAChineseDescriptionAndNoPosition) {
    std::string line = reportLine(10, {25, 3, "轻微", "图题应居中", 4711});
    EXPECT_EQ(gbkToUtf8(line), "10，(轻微)图题应居中位于第25页，第3行\r\n");
    EXPECT_EQ(line.find("4711"), std::string::npos);
    EXPECT_EQ(line.substr(0, 3), "10\xA3");  // no byte-order mark, number first
}

TEST(ReportNames, DefaultNameAndTextPath) {
    EXPECT_EQ(defaultReportName("论文"), "论文(修改后).doc");
    EXPECT_EQ(defaultReportName("thesis."), "thesis.(修改后).doc");
    // A ".doc" thesis keeps the name exactly; a ".docx" thesis gets a ".docx" report.
    EXPECT_EQ(defaultReportName("论文", "/in/论文.doc"), "论文(修改后).doc");
    EXPECT_EQ(defaultReportName("论文", "/in/论文.DOC"), "论文(修改后).doc");
    EXPECT_EQ(defaultReportName("论文.", "/in/论文.docx"), "论文(修改后).docx");
    EXPECT_EQ(defaultReportName("a.b.", "/in/a.b.DOCX"), "a.b(修改后).docx");
    EXPECT_EQ(textReportPath("/out/论文(修改后).doc"), fs::path("/out/论文(修改后).doc.txt"));
}

TEST(WriteReport, WithoutAnEngineDocumentWritesTheTextReportOnly) {
    TempFolder out;
    ThesisDocument record(1, "/w/1/论文.doc", "论文", nullptr);
    record.findings = {{3, 12, "中等", "X", 5}, {1, 1, "严重", "Y", 0}};
    RunLock lock;
    fs::path target = out / "论文(修改后).doc";
    std::ofstream(textReportPath(target)) << "an older, longer report that must be replaced completely";

    ReportResult result = writeReport(record, target, lock);
    EXPECT_TRUE(result.ok()) << result.message;
    EXPECT_FALSE(fs::exists(target));
    EXPECT_EQ(readBytes(textReportPath(target)), reportText(record.findings));
}

TEST(WriteReport, NoFindingsGiveAnEmptyFile) {
    TempFolder out;
    ThesisDocument record(1, "/w/1/论文.doc", "论文", nullptr);
    RunLock lock;
    ASSERT_TRUE(writeReport(record, out / "r.doc", lock).ok());
    EXPECT_TRUE(fs::exists(out / "r.doc.txt"));
    EXPECT_EQ(fs::file_size(out / "r.doc.txt"), 0u);
}

TEST(WriteReport, AReportFileThatCannotBeCreatedIsAnError) {
    TempFolder out;
    ThesisDocument record(1, "/w/1/论文.doc", "论文", nullptr);
    record.findings = {{1, 1, "中等", "X", 0}};
    RunLock lock;
    fs::path target = out / "missing-folder" / "r.doc";
    ReportResult result = writeReport(record, target, lock);
    EXPECT_EQ(result.status, ReportResult::Status::TextFailed);
    EXPECT_NE(result.message.find("无法创建报表文件"), std::string::npos);
    EXPECT_NE(result.message.find("r.doc.txt"), std::string::npos);
}

}  // namespace
}  // namespace quillmark
