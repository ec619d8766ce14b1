#include "Fakes.h"

#include "shell/DisplayName.h"
#include "shell/WorkingFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace quillmark {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

TEST(DisplayName, CutsTheLastFourBytesOfCodePage936) {
    EXPECT_EQ(displayNameFor("论文.doc"), "论文");
    EXPECT_EQ(displayNameFor("thesis.docx"), "thesis.");
    EXPECT_EQ(displayNameFor("2023届毕业论文.doc"), "2023届毕业论文");
    EXPECT_EQ(displayNameFor("a.doc"), "a");
}

TEST(DisplayName, NeverLeavesHalfACharacter) {
    // 论文abc is 4 + 3 bytes; cutting four bytes would split 文.
    EXPECT_EQ(displayNameFor("论文abc"), "论");
    EXPECT_EQ(displayNameFor("论文"), "");
    EXPECT_EQ(displayNameFor(".doc"), "");
    EXPECT_EQ(displayNameFor(""), "");
}

TEST(WorkingFolder, GoesBesideTheProgramWhenWritable) {
    TempFolder program;
    TempFolder cache;
    fs::path chosen = chooseWorkingFolder(program.path(), cache.path());
    EXPECT_EQ(chosen, program.path() / "Temporary files for word");
    EXPECT_TRUE(fs::is_directory(chosen));  // created when missing
    // Existing folder: chosen again, contents untouched.
    std::ofstream(chosen / "keep.doc") << "x";
    EXPECT_EQ(chooseWorkingFolder(program.path(), cache.path()), chosen);
    EXPECT_TRUE(fs::exists(chosen / "keep.doc"));
}

TEST(WorkingFolder, FallsBackToTheUserCacheWhenTheProgramFolderIsUnusable) {
    TempFolder cache;
    TempFolder scratch;
    // A plain file where the program folder should be: nothing can be created in it.
    fs::path notAFolder = scratch / "program";
    std::ofstream(notAFolder) << "x";
    fs::path chosen = chooseWorkingFolder(notAFolder, cache.path());
    EXPECT_EQ(chosen, cache.path() / "quillmark" / "Temporary files for word");
    EXPECT_TRUE(fs::is_directory(chosen));
}

TEST(WorkingFolder, CacheDirectoryFollowsXdgCacheHomeOrHome) {
    const char* oldXdg = std::getenv("XDG_CACHE_HOME");
    const char* oldHome = std::getenv("HOME");
    std::string savedXdg = oldXdg ? oldXdg : "";
    std::string savedHome = oldHome ? oldHome : "";

    ::setenv("XDG_CACHE_HOME", "/tmp/some-cache", 1);
    EXPECT_EQ(userCacheDirectory(), fs::path("/tmp/some-cache"));
    ::setenv("XDG_CACHE_HOME", "relative/cache", 1);  // not absolute: ignored
    ::setenv("HOME", "/home/student", 1);
    EXPECT_EQ(userCacheDirectory(), fs::path("/home/student/.cache"));
    ::unsetenv("XDG_CACHE_HOME");
    EXPECT_EQ(userCacheDirectory(), fs::path("/home/student/.cache"));

    if (oldXdg) ::setenv("XDG_CACHE_HOME", savedXdg.c_str(), 1);
    if (oldHome) ::setenv("HOME", savedHome.c_str(), 1); else ::unsetenv("HOME");
}

TEST(WorkingFolder, ProgramDirectoryIsTheFolderOfTheRunningProgram) {
    fs::path dir = programDirectory();
    EXPECT_TRUE(fs::is_directory(dir));
    EXPECT_TRUE(fs::exists(dir / fs::read_symlink("/proc/self/exe").filename()));
}

}  // namespace
}  // namespace quillmark
