// Saving a document: where the engine writes and what stays behind.
#include "support/DocBuilder.h"
#include "support/Engine.h"
#include "support/Files.h"
#include "word/CallBound.h"
#include "word/msword.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;
using namespace quillmark::testing;

std::vector<std::string> namesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(EngineSave, ATargetThatCannotBeWrittenFailsAsASaveAndTheDocumentSavesElsewhereAfterwards) {
    const std::string source = DocBuilder().paragraph("第一段。").save(scratchDir() + "/a.doc");
    word::Document document = openCopy(source);
    // Saved straight into /proc, the engine's Word 97 export spun until the
    // call bound ended the engine.
    const CallLimit bound(std::chrono::seconds(60));
    for (const std::string target : {"/proc/out.doc", "/proc/out.docx", "/proc/self/out.doc"}) {
        SCOPED_TRACE(target);
        try {
            document.SaveAs(target);
            ADD_FAILURE() << "saved into " << target;
        } catch (const word::WordError& e) {
            EXPECT_EQ(e.code(), word::errors::SaveFailed) << e.description();
            EXPECT_NE(e.description().find(target), std::string::npos) << e.description();
        }
    }
    const std::string elsewhere = scratchDir() + "/b.doc";
    document.SaveAs(elsewhere);
    EXPECT_EQ(readBytes(elsewhere).substr(0, 4), std::string("\xD0\xCF\x11\xE0", 4));
    EXPECT_EQ(document.FullName(), elsewhere);
    document.Close();
}

TEST(EngineSave, ASaveReplacesTheTargetAndLeavesNothingElseBesideIt) {
    const std::string source = DocBuilder().paragraph("第一段。").save(scratchDir() + "/a.doc");
    word::Document document = openCopy(source);
    // /dev/shm is another file system than the engine's own folder on most
    // machines: the saved file is copied across, then renamed into place.
    for (const fs::path& folder : {fs::path(scratchDir()), fs::path("/dev/shm")}) {
        if (!fs::is_directory(folder)) continue;
        SCOPED_TRACE(folder);
        const fs::path out = folder / ("quillmark-save-test-" + std::to_string(::getpid()));
        fs::create_directories(out);
        writeBytes(out / "r.docx", "an older report");
        document.SaveAs((out / "r.docx").string());
        EXPECT_EQ(readBytes(out / "r.docx").substr(0, 2), "PK");
        EXPECT_EQ(namesIn(out), std::vector<std::string>{"r.docx"});
        struct stat info {};
        ASSERT_EQ(::stat((out / "r.docx").c_str(), &info), 0);
        EXPECT_NE(info.st_mode & S_IRGRP, 0u) << "a report is as readable as any new file";
        fs::remove_all(out);
    }
    document.Close();
}

}  // namespace

namespace {

// What a correction writes reads back the same, in the working copy and in
// the document saved in either format.
TEST(EngineSave, ALatinFontNameWrittenOverAFullWidthColonReadsBackInBothFormats) {
    const std::string source =
        DocBuilder()
            .paragraph({{"Key words：", {.asianFont = "宋体", .latinFont = "Arial", .size = 12, .bold = true}},
                        {"thesis, format", {}}})
            .paragraph("正文。")
            .save(scratchDir() + "/kw.doc");
    word::Document document = openCopy(source);
    word::Range label = document.Range(0, 10);
    label.Font().SetName("Times New Roman");
    label.Font().SetSize(14);
    EXPECT_EQ(label.Font().Name(), "Times New Roman");
    EXPECT_EQ(document.Range(11, 17).Font().NameFarEast(), "宋体") << "text after the written range keeps its fonts";
    for (const char* format : {".doc", ".docx"}) {
        SCOPED_TRACE(format);
        const std::string saved = scratchDir() + "/kw" + format;
        document.SaveAs(saved);
        word::Document again = sharedApplication().Documents().Open(saved);
        EXPECT_EQ(again.Range(0, 10).Font().Name(), "Times New Roman");
        EXPECT_EQ(again.Range(0, 10).Font().Size(), 14.0f);
        again.Close();
    }
    document.Close();
}

}  // namespace

namespace {

// Check mode's marks: every red character of the working copy is red in the
// saved document of either format, and no other is.
TEST(EngineSave, RedMarksSurviveBothFormats) {
    const std::string source = DocBuilder()
                                   .paragraph("摘要", {.asianFont = "黑体", .size = 15, .bold = true}, {.alignment = 1})
                                   .paragraph({{"关键词：", {.asianFont = "黑体"}}, {"论文 format，检查", {}}})
                                   .paragraph({{"Key words：", {.latinFont = "Arial"}}, {"thesis, format", {}}})
                                   .table({{"表格文字", "cell text"}})
                                   .paragraph("最后一段 with Latin words。")
                                   .save(scratchDir() + "/red.doc");
    word::Document document = openCopy(source);
    const long red = 255;  // Word's wdColorRed, as BGR
    const std::vector<std::pair<long, long>> marks = {{0, 2}, {3, 7}, {9, 15}, {18, 28}, {43, 50}};
    for (auto [start, end] : marks) document.Range(start, end).Font().SetColor(red);
    const long storyEnd = document.Content().End();
    std::vector<bool> redBefore;
    for (long i = 0; i + 1 < storyEnd; ++i) redBefore.push_back(document.Range(i, i + 1).Font().Color() == red);
    ASSERT_GT(std::count(redBefore.begin(), redBefore.end(), true), 20);
    for (const char* format : {".doc", ".docx"}) {
        SCOPED_TRACE(format);
        const std::string saved = scratchDir() + "/red" + format;
        document.SaveAs(saved);
        word::Document again = sharedApplication().Documents().Open(saved);
        ASSERT_EQ(again.Content().End(), storyEnd);
        for (long i = 0; i + 1 < storyEnd; ++i) {
            EXPECT_EQ(again.Range(i, i + 1).Font().Color() == red, redBefore[i]) << "at " << i;
        }
        again.Close();
    }
    document.Close();
}

}  // namespace
