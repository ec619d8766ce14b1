// Real universities' model documents, read from outside the project where
// they exist: a template derived from each leaves far fewer findings about
// fonts, sizes, bold and alignment when the document is checked against it,
// and no other kind of finding becomes more frequent.
#include "support/Command.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <array>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <map>
#include <regex>
#include <string>

namespace {

namespace fs = std::filesystem;

struct Result {
    int status = -1;
    std::string out;
};

Result run(const std::string& arguments) {
    const auto ran = quillmark::testing::runCommand(std::string(QUILLMARK_BINARY) + " " + arguments + " 2>/dev/null");
    return {ran.status, ran.out};
}

std::string quoted(const std::string& path) { return "'" + path + "'"; }

bool isFormatFinding(const std::string& description) {
    for (const char* piece : {"字号有误", "字体名有误", "加粗", "对齐，应"}) {
        if (description.find(piece) != std::string::npos) return true;
    }
    return false;
}

// Findings by kind: "format", or the check and the text without its numbers.
std::map<std::string, int> findingKinds(const std::string& document, const std::string& type,
                                        const std::string& templateFile) {
    std::string arguments = "check " + quoted(document) + " --json --type " + type;
    if (!templateFile.empty()) arguments += " --template " + quoted(templateFile);
    const Result r = run(arguments);
    EXPECT_TRUE(r.status == 0 || r.status == 1) << arguments;
    std::map<std::string, int> kinds;
    if (r.status != 0 && r.status != 1) return kinds;
    static const std::regex digits("[0-9]+");
    for (const auto& finding : nlohmann::json::parse(r.out)) {
        const std::string description = finding["description"];
        const std::string kind = isFormatFinding(description)
                                     ? "format"
                                     : std::string(finding["check"]) + ": " + std::regex_replace(description, digits, "#");
        ++kinds[kind];
    }
    return kinds;
}

struct Model {
    const char* file;
    const char* type;
};

TEST(RealModels, DerivedTemplatesCutTheFormatFindingsAndAddNoOtherKind) {
    const fs::path folder = QUILLMARK_REAL_DOCUMENTS;
    for (const Model& model : {Model{"cqu_bachelor_2019.doc", "bachelor"}, Model{"seu_template.docx", "master"}}) {
        const fs::path document = folder / model.file;
        if (!fs::exists(document)) GTEST_SKIP() << "the real documents are not on this machine";
        const fs::path derived = fs::temp_directory_path() / ("quillmark-derived-" + std::string(model.type) + ".ini");
        ASSERT_EQ(run("template derive " + quoted(document) + " --out " + quoted(derived) + " --type " + model.type).status, 0)
            << model.file;
        std::map<std::string, int> before = findingKinds(document, model.type, "");
        std::map<std::string, int> after = findingKinds(document, model.type, derived);
        fs::remove(derived);
        std::cout << model.file << ": format findings " << before["format"] << " -> " << after["format"] << "\n";
        EXPECT_GT(before["format"], 0) << model.file;
        EXPECT_LE(after["format"] * 5, before["format"]) << model.file;
        for (const auto& [kind, count] : after) {
            if (kind != "format") {
                EXPECT_LE(count, before[kind]) << model.file << ": " << kind;
            }
        }
    }
}

}  // namespace
