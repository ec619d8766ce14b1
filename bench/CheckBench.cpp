// Cost of each check, as a ratio to the engine's own load time of the same
// document in the same run:
//   check_bench [FILE] [PART...]
// Without a file it checks samples/bachelor-thesis.doc, the covers of
// samples/master-thesis.doc and a generated 100-page thesis with 60
// references. The body check is measured in both modes.
#include "bench/ThesisGenerator.h"
#include "checks/Checker.h"
#include "support/Engine.h"
#include "template/FormatTemplate.h"
#include "word/Engine.h"
#include "word/msword.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using namespace quillmark;

class CountingReporter : public RunReporter {
public:
    void postCheckError(std::uint64_t, const CheckError&) override { ++findings; }
    void postProgress(const ProgressReport&) override { ++progressReports; }
    void postCheckState() override {}
    int findings = 0;
    int progressReports = 0;
};

struct Part {
    CheckKind kind;
    const char* name;
    bool autoFixToo = false;  // measured in auto-fix mode as well
};

const Part kParts[] = {{CheckKind::Cover, "cover"},
                       {CheckKind::CnAbstract, "cn-abstract"}, {CheckKind::EnAbstract, "en-abstract"},
                       {CheckKind::AbstractNotes, "notes"},    {CheckKind::References, "references"},
                       {CheckKind::Body, "body", true}};

double since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Opens a fresh copy of `file`, returning the load time.
word::Document openFresh(const std::string& file, double& seconds) {
    const std::string copy = testing::scratchDir() + "/" + std::filesystem::path(file).filename().string();
    std::filesystem::copy_file(file, copy);
    const auto start = std::chrono::steady_clock::now();
    word::Document doc = testing::sharedApplication().Documents().Open(copy);
    seconds = since(start);
    return doc;
}

void benchPart(const std::string& file, const Part& part, const FormatTemplate& formatTemplate, CheckMode mode) {
    auto checker = makeChecker(part.kind);
    if (!checker) return;
    double load = 0;
    word::Document doc = openFresh(file, load);
    CountingReporter reporter;
    CheckContext context;
    context.wordDocument = doc;
    context.wordApplication = &testing::sharedApplication();
    context.formatTemplate = &formatTemplate;
    context.fileName = "bench";
    context.reporter = &reporter;
    const auto start = std::chrono::steady_clock::now();
    runChecker(*checker, context, mode);
    const double check = since(start);
    doc.Close();
    const std::string name = std::string(part.name) + (mode == CheckMode::AutoFix ? " (fix)" : "");
    std::printf("  %-12s load %6.3f s  check %6.3f s  ratio %5.2f  (%d findings, %d progress reports)\n",
                name.c_str(), load, check, check / load, reporter.findings, reporter.progressReports);
}

void benchFile(const std::string& file, const std::vector<std::string>& parts,
               std::int32_t thesisType = kBachelorThesis) {
    double warmUp = 0;
    openFresh(file, warmUp).Close();
    std::printf("%s\n", file.c_str());
    FormatTemplate formatTemplate;
    formatTemplate.thesisType = thesisType;
    for (const Part& part : kParts) {
        if (!parts.empty() && std::find(parts.begin(), parts.end(), part.name) == parts.end()) continue;
        for (const CheckMode mode : {CheckMode::Check, CheckMode::AutoFix}) {
            if (mode == CheckMode::AutoFix && !part.autoFixToo) continue;
            benchPart(file, part, formatTemplate, mode);
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> parts;
    for (int i = 2; i < argc; ++i) parts.emplace_back(argv[i]);
    if (argc > 1) {
        benchFile(argv[1], parts);
    } else {
        benchFile(QUILLMARK_SAMPLE_THESIS, {"cover", "cn-abstract", "en-abstract", "notes", "body"});
        benchFile(QUILLMARK_MASTER_SAMPLE, {"cover"}, kMasterThesis);
        const std::string generated = bench::generateThesis(testing::scratchDir() + "/thesis100.doc", 100, 60);
        benchFile(generated, {"references", "body"});
    }
    word::Engine::instance().shutDown();
    return 0;
}
