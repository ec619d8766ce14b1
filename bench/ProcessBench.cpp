// A whole `quillmark check` of a generated 100-page thesis, as a process,
// beside LibreOffice alone opening the same file, laying it out and
// exporting it as PDF (`soffice --headless --convert-to pdf`), in one run:
//   process_bench [PAGES] [ROUNDS]
#include "bench/ThesisGenerator.h"
#include "support/Engine.h"
#include "word/Engine.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

double secondsOf(const std::string& command) {
    const auto start = std::chrono::steady_clock::now();
    const int status = std::system(command.c_str());
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (status == -1) std::fprintf(stderr, "could not run: %s\n", command.c_str());
    return seconds;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void recordVersionSeen(const std::string& registry) {
    std::ifstream in(registry, std::ios::binary);
    std::string xml((std::istreambuf_iterator<char>(in)), {});
    in.close();
    const auto end = xml.rfind("</oor:items>");
    if (end == std::string::npos) return;
    xml.insert(end, word::versionSeenSetting());
    std::ofstream(registry, std::ios::binary | std::ios::trunc) << xml;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace quillmark;
    const int pages = argc > 1 ? std::atoi(argv[1]) : 100;
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    const std::string dir = testing::scratchDir();
    const std::string thesis = bench::generateThesis(dir + "/thesis.doc", pages, 60);
    word::Engine::instance().shutDown();

    // LibreOffice alone, in a profile of its own that a first run sets up.
    const std::string profile = "-env:UserInstallation=file://" + dir + "/pdf-profile";
    const std::string convert = "/usr/lib/libreoffice/program/soffice " + profile +
                                " --headless --norestore --convert-to pdf --outdir " + dir + "/pdf " + thesis +
                                " >/dev/null 2>&1";
    const std::string check = std::string(QUILLMARK_BINARY) + " check " + thesis + " >/dev/null 2>&1";
    secondsOf(convert);
    secondsOf(check);

    // LibreOffice run this way runs its graphics self-tests at every start
    // (about 3 s), which our engine's profile skips: it is measured as it
    // runs, and again with its profile told it has seen its version, which
    // is the like-for-like comparison.
    std::vector<double> asRun, pdf, checked;
    for (int i = 0; i < rounds; ++i) asRun.push_back(secondsOf(convert));
    recordVersionSeen(dir + "/pdf-profile/user/registrymodifications.xcu");
    for (int i = 0; i < rounds; ++i) {
        pdf.push_back(secondsOf(convert));
        checked.push_back(secondsOf(check));
    }
    const double r = median(asRun), p = median(pdf), c = median(checked);
    std::printf("document: %d requested pages, medians of %d rounds\n", pages, rounds);
    std::printf("soffice --convert-to pdf, as it runs      %8.3f s\n", r);
    std::printf("soffice --convert-to pdf, no self-tests   %8.3f s  1.00\n", p);
    std::printf("quillmark check (all)                     %8.3f s  %.2f  (%.2f of the first)\n", c, c / p, c / r);
    return 0;
}
