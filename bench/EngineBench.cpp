// Engine costs on a generated 100-page thesis, each as a ratio to the
// engine's own load time of the same document in the same run:
//   engine_bench [PAGES] [ROUNDS]
#include "bench/ThesisGenerator.h"
#include "support/Engine.h"
#include "word/DocumentModel.h"
#include "word/Engine.h"
#include "word/StoryReader.h"
#include "word/reader/StoryPacket.h"
#include "word/msword.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double seconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    using namespace quillmark;
    const int pages = argc > 1 ? std::atoi(argv[1]) : 100;
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
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
    // Each round loads a fresh copy and reads it; a load's time varies from
    // one to the next by a third on a busy machine, so the figures are the
    // medians of the rounds and the ratio is the median of the rounds'
    // ratios.
    std::vector<double> loads, fontReads, layoutReads, finds, ratios;
    long paragraphs = 0;
    long pageCount = 0;
    for (int round = 0; round < rounds; ++round) {
        const std::string copy = dir + "/measured-" + std::to_string(round) + ".doc";
        std::filesystem::copy_file(thesis, copy);
        word::Document doc;
        const double load = seconds([&] { doc = app.Documents().Open(copy); });
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
        loads.push_back(load);
        fontReads.push_back(fonts);
        layoutReads.push_back(layout);
        finds.push_back(find);
        ratios.push_back((fonts + layout + find) / load);
    }

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

    const double load = median(loads);
    const double fonts = median(fontReads), layout = median(layoutReads), find = median(finds);
    std::printf("document: %d requested pages, %ld pages laid out, %ld paragraphs; medians of %d rounds\n", pages,
                pageCount, paragraphs, rounds);
    std::printf("load                     %8.3f s  1.00\n", load);
    std::printf("text and fonts           %8.3f s  %.2f\n", fonts, fonts / load);
    std::printf("page and line (3, 10)    %8.3f s  %.2f\n", layout, layout / load);
    std::printf("find over the document   %8.3f s  %.2f\n", find, find / load);
    std::printf("all reads together       %8.3f s  %.2f  (rounds: %.2f to %.2f)\n", fonts + layout + find, median(ratios),
                *std::min_element(ratios.begin(), ratios.end()), *std::max_element(ratios.begin(), ratios.end()));
    word::Engine::instance().shutDown();
    return 0;
}
