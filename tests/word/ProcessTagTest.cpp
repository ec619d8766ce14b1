#include "support/Engine.h"
#include "word/ProcessTag.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <algorithm>
#include <fstream>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

TEST(ProcessTag, NamesThisProcessByPidAndStartTime) {
    const std::string& tag = word::processTag();
    EXPECT_EQ(tag.rfind(std::to_string(getpid()) + ".", 0), 0u) << tag;
    EXPECT_TRUE(word::processTagAlive(tag));
    // The same pid with another start time is another (earlier) process.
    EXPECT_FALSE(word::processTagAlive(std::to_string(getpid()) + ".1"));
    EXPECT_FALSE(word::processTagAlive("999999999.1"));
    EXPECT_FALSE(word::processTagAlive("garbage"));
}

TEST(ProcessTag, OnlyLeftoversOfProcessesThatAreGoneAreRemoved) {
    const fs::path folder = quillmark::testing::scratchDir();
    const std::string live = word::processTag();
    const std::vector<std::string> names = {"pre-" + live + "-a", "pre-999999999.1-b", "pre-999999999.1", "pre-x",
                                            "other-999999999.1", "pre-" + std::to_string(getpid()) + ".1-c"};
    for (const std::string& name : names) {
        fs::create_directories(folder / name / "inside");
    }
    EXPECT_EQ(word::removeLeftoversOfDeadProcesses(folder, "pre-"), 3);
    std::vector<std::string> kept;
    for (const auto& entry : fs::directory_iterator(folder)) kept.push_back(entry.path().filename().string());
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(kept, (std::vector<std::string>{"other-999999999.1", "pre-" + live + "-a", "pre-x"}));

    word::removeLeftoversOf(folder, "pre-", live);
    EXPECT_FALSE(fs::exists(folder / ("pre-" + live + "-a")));
    EXPECT_TRUE(fs::exists(folder / "pre-x"));
}

}  // namespace
