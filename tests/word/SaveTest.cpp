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

class CallBoundOf {
public:
    explicit CallBoundOf(std::chrono::seconds limit) : before_(word::callTimeout()) { word::setCallTimeout(limit); }
    ~CallBoundOf() { word::setCallTimeout(before_); }

private:
    std::chrono::seconds before_;
};

TEST(EngineSave, ATargetThatCannotBeWrittenFailsAsASaveAndTheDocumentSavesElsewhereAfterwards) {
    const std::string source = DocBuilder().paragraph("第一段。").save(scratchDir() + "/a.doc");
    word::Document document = openCopy(source);
    // Saved straight into /proc, the engine's Word 97 export spun until the
    // call bound ended the engine.
    CallBoundOf bound(std::chrono::seconds(60));
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
    for (const fs::path folder : {fs::path(scratchDir()), fs::path("/dev/shm")}) {
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
