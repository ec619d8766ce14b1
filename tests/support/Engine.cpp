#include "support/Engine.h"

#include "word/Engine.h"
#include "word/Uno.h"

#include <com/sun/star/frame/XComponentLoader.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <osl/file.hxx>

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
namespace {

std::string fileUrl(const std::string& path) {
    ::rtl::OUString url;
    osl::FileBase::getFileURLFromSystemPath(word::uno::toOU(path), url);
    return word::uno::toUtf8(url);
}

}  // namespace

namespace {

const char* filterFor(const std::string& target) {
    const std::string extension = std::filesystem::path(target).extension().string();
    return extension == ".docx" ? "MS Word 2007 XML" : extension == ".rtf" ? "Rich Text Format" : "MS Word 97";
}

// Loads `source` hidden and stores a copy at `target` in the format its
// extension names, under `password` when one is given.
void storeCopy(const std::string& source, const std::string& target, const char* password) {
    namespace css = word::uno::css;
    word::uno::guarded([&] {
        word::uno::Reference<css::frame::XComponentLoader> loader(word::Engine::instance().desktop(),
                                                                   word::uno::UNO_QUERY_THROW);
        const css::beans::PropertyValue hidden[] = {word::uno::prop("Hidden", word::uno::Any(true))};
        auto document = loader->loadComponentFromURL(word::uno::toOU(fileUrl(source)), "_blank", 0,
                                                     word::uno::Sequence<css::beans::PropertyValue>(hidden, 1));
        std::vector<css::beans::PropertyValue> args = {
            word::uno::prop("FilterName", word::uno::Any(::rtl::OUString::createFromAscii(filterFor(target)))),
            word::uno::prop("Overwrite", word::uno::Any(true))};
        if (password) args.push_back(word::uno::prop("Password", word::uno::Any(::rtl::OUString::createFromAscii(password))));
        word::uno::Reference<css::frame::XStorable>(document, word::uno::UNO_QUERY_THROW)
            ->storeToURL(word::uno::toOU(fileUrl(target)),
                         word::uno::Sequence<css::beans::PropertyValue>(args.data(), static_cast<sal_Int32>(args.size())));
        word::uno::Reference<css::util::XCloseable>(document, word::uno::UNO_QUERY_THROW)->close(true);
        return 0;
    });
}

}  // namespace

void saveWithPassword(const std::string& source, const std::string& target) { storeCopy(source, target, "geheim"); }

void saveInFormatOf(const std::string& source, const std::string& target) { storeCopy(source, target, nullptr); }

}  // namespace quillmark::testing
