// Engine costs on a generated 100-page thesis, each as a ratio to the
// engine's own load time of the same document in the same run.
#include "bench/ThesisGenerator.h"
#include "support/Engine.h"
#include "word/DocumentModel.h"
#include "word/Engine.h"
#include "word/StoryReader.h"
#include "word/reader/StoryPacket.h"
#include "word/msword.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

namespace {

double seconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    using namespace quillmark;
    const int pages = argc > 1 ? std::atoi(argv[1]) : 100;
    const std::string dir = testing::scratchDir();
    const std::string thesis = bench::generateThesis(dir + "/thesis.doc", pages, 60);
    auto& app = testing::sharedApplication();

    // A first load, laid out to its last page, warms the engine up (its
    // fonts and glyph caches are made on first use, whichever step that
    // is); the measured load is the second.
    {
        auto warm = app.Documents().Open(thesis);
        (void)warm.Content().Information(word::wdNumberOfPagesInDocument);
        warm.Close();
    }
    std::filesystem::copy_file(thesis, dir + "/measured.doc");
    word::Document doc;
    const double load = seconds([&] { doc = app.Documents().Open(dir + "/measured.doc"); });

    long paragraphs = 0;
    const double fonts = seconds([&] {
        auto all = doc.Paragraphs();
        paragraphs = all.Count();
        for (long i = 1; i <= paragraphs; ++i) {
            auto range = all.Item(i).Range();
            (void)range.Text();
            auto font = range.Font();
            (void)font.Name();
            (void)font.NameFarEast();
            (void)font.NameAscii();
            (void)font.Size();
            (void)font.Bold();
        }
    });
    long pageCount = 0;
    const double layout = seconds([&] {
        auto all = doc.Paragraphs();
        for (long i = 1; i <= paragraphs; ++i) {
            auto range = all.Item(i).Range();
            (void)range.Information(word::wdActiveEndPageNumber);
            (void)range.Information(word::wdFirstCharacterLineNumber);
        }
        pageCount = doc.Content().Information(word::wdNumberOfPagesInDocument);
    });
    const double find = seconds([&] {
        auto content = doc.Content();
        (void)content.Find().Execute("致^w谢");
        auto wild = doc.Content();
        (void)wild.Find().Execute("\\[[JMD]\\]", {.matchWildcards = true});
    });
    doc.Close();

    // The parts of the read inside the engine, each on a fresh load.
    auto timedWalk = [&](const char* name, sal_Int32 what) {
        const std::string copy = dir + "/" + name + ".doc";
        std::filesystem::copy_file(thesis, copy);
        word::Document fresh;
        const double freshLoad = seconds([&] { fresh = app.Documents().Open(copy); });
        const double walk = seconds([&] { (void)word::readStory(fresh.model()->unoModel(), what, word::WalkPlace::InEngine); });
        const double again = seconds([&] { (void)word::readStory(fresh.model()->unoModel(), what, word::WalkPlace::InEngine); });
        fresh.Close();
        std::printf("inside the engine: %-7s %6.3f s  %.2f (again %.2f)\n", name, walk, walk / freshLoad, again / freshLoad);
    };
    if (word::Engine::instance().storyReader().is()) {
        timedWalk("story", word::packet::Story);
        timedWalk("layout", word::packet::Layout);
        timedWalk("both", word::packet::Story | word::packet::Layout);
    }

    std::printf("document: %d requested pages, %ld pages laid out, %ld paragraphs\n", pages, pageCount, paragraphs);
    std::printf("load                     %8.3f s  1.00\n", load);
    std::printf("text and fonts           %8.3f s  %.2f\n", fonts, fonts / load);
    std::printf("page and line (3, 10)    %8.3f s  %.2f\n", layout, layout / load);
    std::printf("find over the document   %8.3f s  %.2f\n", find, find / load);
    std::printf("all reads together       %8.3f s  %.2f\n", fonts + layout + find, (fonts + layout + find) / load);
    word::Engine::instance().shutDown();
    return 0;
}
