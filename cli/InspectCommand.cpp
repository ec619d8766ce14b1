#include "cli/InspectCommand.h"

#include "cli/WorkingCopy.h"
#include "word/DocumentModel.h"
#include "word/msword.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <chrono>
#include <iostream>
#include <memory>

namespace quillmark {

namespace {

// A stretch of characters that share their formatting, as the object model
// reports it.
struct RunFacts {
    long start, end, bold, italic, underline, superscript, subscript, color;
    std::string name, nameFarEast, nameAscii;
    float size;
};

struct ParagraphFacts {
    long index, start, end, page, line, outlineLevel, alignment, bold, lineSpacingRule;
    std::string name, nameFarEast, nameAscii, text;
    float size, lineSpacing;
    std::vector<RunFacts> runs;
};

std::vector<RunFacts> runsOf(const word::Document& document, const word::Range& paragraph) {
    std::vector<RunFacts> runs;
    for (const word::CharRun& run : document.model()->runsIn(paragraph.Start(), paragraph.End())) {
        const word::Font font = document.Range(run.start, run.end).Font();
        runs.push_back({run.start, run.end, font.Bold(), font.Italic(), font.Underline(), font.Superscript(),
                        font.Subscript(), font.Color(), font.Name(), font.NameFarEast(), font.NameAscii(), font.Size()});
    }
    return runs;
}

// Word's "mixed" (wdUndefined: the characters differ) reads as a word in the
// text form; the JSON keeps the number.
struct Shown {
    double value;
};

Shown shown(double value) { return {value}; }

std::ostream& operator<<(std::ostream& out, Shown shown) {
    if (shown.value == static_cast<double>(word::wdUndefined) ||
        shown.value == static_cast<double>(static_cast<float>(word::wdUndefined))) {
        return out << "mixed";
    }
    return out << shown.value;
}

void printRuns(const std::vector<RunFacts>& runs, std::ostream& out) {
    for (const auto& r : runs) {
        out << "\trun\t" << r.start << '\t' << r.end << "\tname \"" << r.name << "\"\tfarEast \"" << r.nameFarEast
            << "\"\tascii \"" << r.nameAscii << "\"\tsize " << shown(r.size) << "\tbold " << shown(r.bold)
            << "\titalic " << shown(r.italic) << "\tunderline " << shown(r.underline) << "\tsuperscript "
            << shown(r.superscript) << "\tsubscript " << shown(r.subscript) << "\tcolor " << shown(r.color) << '\n';
    }
}

nlohmann::json runsJson(const std::vector<RunFacts>& runs) {
    nlohmann::json all = nlohmann::json::array();
    for (const auto& r : runs) {
        all.push_back({{"start", r.start},         {"end", r.end},           {"name", r.name},
                       {"nameFarEast", r.nameFarEast}, {"nameAscii", r.nameAscii}, {"size", r.size},
                       {"bold", r.bold},           {"italic", r.italic},     {"underline", r.underline},
                       {"superscript", r.superscript}, {"subscript", r.subscript}, {"color", r.color}});
    }
    return all;
}

ParagraphFacts factsOf(const word::Document& document, const word::Paragraphs& paragraphs, long index, bool withRuns) {
    const word::Paragraph paragraph = paragraphs.Item(index);
    const word::Range range = paragraph.Range();
    const word::Font font = range.Font();
    std::string text = range.Text();
    if (!text.empty() && text.back() == '\r') text.pop_back();
    return {index,
            range.Start(),
            range.End(),
            range.Information(word::wdActiveEndPageNumber),
            range.Information(word::wdFirstCharacterLineNumber),
            paragraph.OutlineLevel(),
            paragraph.Alignment(),
            font.Bold(),
            paragraph.Format().LineSpacingRule(),
            font.Name(),
            font.NameFarEast(),
            font.NameAscii(),
            text,
            font.Size(),
            paragraph.LineSpacing(),
            withRuns ? runsOf(document, range) : std::vector<RunFacts>{}};
}

void printText(long pages, const std::vector<ParagraphFacts>& all, std::ostream& out) {
    out << "pages " << pages << '\n';
    for (const auto& p : all) {
        out << p.index << '\t' << p.start << '\t' << p.end << "\tpage " << p.page << "\tline " << p.line << "\toutline "
            << shown(p.outlineLevel) << "\talign " << shown(p.alignment) << "\tname \"" << p.name << "\"\tfarEast \""
            << p.nameFarEast << "\"\tascii \"" << p.nameAscii << "\"\tsize " << shown(p.size) << "\tbold "
            << shown(p.bold) << "\tspacing " << shown(p.lineSpacingRule) << '/' << shown(p.lineSpacing) << '\t'
            << p.text << '\n';
        printRuns(p.runs, out);
    }
}

void printJson(long pages, const std::vector<ParagraphFacts>& all, bool withRuns, std::ostream& out) {
    nlohmann::json paragraphs = nlohmann::json::array();
    for (const auto& p : all) {
        nlohmann::json added = {{"index", p.index},     {"start", p.start},          {"end", p.end},
                              {"page", p.page},       {"line", p.line},            {"outlineLevel", p.outlineLevel},
                              {"alignment", p.alignment}, {"name", p.name},        {"nameFarEast", p.nameFarEast},
                              {"nameAscii", p.nameAscii}, {"size", p.size},        {"bold", p.bold},
                              {"lineSpacingRule", p.lineSpacingRule}, {"lineSpacing", p.lineSpacing}, {"text", p.text}};
        if (withRuns) added["runs"] = runsJson(p.runs);
        paragraphs.push_back(std::move(added));
    }
    out << nlohmann::json{{"pages", pages}, {"paragraphs", paragraphs}}.dump(1, ' ', false,
                                                                              nlohmann::json::error_handler_t::replace)
        << '\n';
}

}  // namespace

int runInspect(const InspectOptions& options, std::ostream& out, std::ostream& err) {
    try {
        word::setOpenTimeout(std::chrono::seconds(options.openTimeoutSeconds));
        TemporaryCopy copy(options.file);
        word::Application application;
        word::OpenOptions openOptions;
        openOptions.shownName = options.file;
        word::Document document = application.Documents().Open(copy.path(), openOptions);
        const word::Paragraphs paragraphs = document.Paragraphs();
        std::vector<ParagraphFacts> all;
        for (long i = 1; i <= paragraphs.Count(); ++i) all.push_back(factsOf(document, paragraphs, i, options.runs));
        const long pages = document.Content().Information(word::wdNumberOfPagesInDocument);
        document.Close();
        if (options.json) printJson(pages, all, options.runs, out); else printText(pages, all, out);
        return 0;
    } catch (const word::WordError& error) {
        err << "quillmark: " << error.description() << '\n';
    } catch (const std::runtime_error& error) {
        err << "quillmark: " << error.what() << '\n';
    }
    return 2;
}

void addInspectCommand(CLI::App& app) {
    auto options = std::make_shared<InspectOptions>();
    CLI::App* inspect = app.add_subcommand("inspect", "Print what the engine reads of a document, paragraph by paragraph");
    inspect->add_option("FILE", options->file, "The document (.doc or .docx)")->required();
    inspect->add_flag("--json", options->json, "Print JSON instead of text");
    inspect->add_option("--open-timeout", options->openTimeoutSeconds,
                        "Seconds the document may take to open before it is refused (default 120)");
    inspect->add_flag("--runs", options->runs, "Also print every character run: its stretch, fonts, size and marks");
    inspect->callback([options] {
        const int exitCode = runInspect(*options, std::cout, std::cerr);
        if (exitCode != 0) throw CLI::RuntimeError(exitCode);
    });
}

}  // namespace quillmark
