#include "support/Engine.h"

#include "word/Engine.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <vector>

namespace quillmark::testing {

namespace {

class ScratchRoot {
public:
    ScratchRoot() {
        std::string pattern = (std::filesystem::temp_directory_path() / "quillmark-test-XXXXXX").string();
        root_ = mkdtemp(pattern.data()) ? pattern : std::string("/tmp");
    }
    ~ScratchRoot() {
        std::error_code ignored;
        if (root_ != "/tmp" && !std::getenv("QUILLMARK_KEEP_TEST_FILES")) std::filesystem::remove_all(root_, ignored);
    }
    std::string next() {
        const std::string dir = root_ + "/" + std::to_string(++counter_);
        std::filesystem::create_directories(dir);
        return dir;
    }

private:
    std::string root_;
    std::atomic<int> counter_{0};
};

ScratchRoot& scratchRoot() {
    static ScratchRoot root;
    return root;
}

}  // namespace

word::Application& sharedApplication() {
    // Never destroyed: the engine's references must not be released after the
    // runtime has gone at exit.
    static word::Application* application = new word::Application();
    return *application;
}

std::string scratchDir() { return scratchRoot().next(); }

word::Document openCopy(const std::string& path) {
    const std::string copy = scratchDir() + "/" + std::filesystem::path(path).filename().string();
    std::filesystem::copy_file(path, copy, std::filesystem::copy_options::overwrite_existing);
    return sharedApplication().Documents().Open(copy);
}

}  // namespace quillmark::testing

namespace quillmark::testing {
namespace {

// Ends the engine properly once all tests have run, while the runtime is
// still whole.
class EngineEnvironment : public ::testing::Environment {
public:
    void TearDown() override { word::Engine::instance().shutDown(); }
};

const bool kEngineEnvironmentRegistered = (::testing::AddGlobalTestEnvironment(new EngineEnvironment), true);

}  // namespace
}  // namespace quillmark::testing
