#include "shell/ReportWriter.h"

#include "shell/ReportTarget.h"
#include "shell/ShellTexts.h"
#include "template/Codepage936.h"
#include "word/Document.h"
#include "word/WordError.h"

#include "word/DocumentModel.h"

#include <algorithm>
#include <fstream>
#include <optional>
#include <system_error>
#include <mutex>

namespace quillmark {

std::string reportLine(std::size_t number, const StoredFinding& finding) {
    std::string line = std::to_string(number) + "，(" + finding.level + ")" + finding.description + "位于第" +
                       std::to_string(finding.page) + "页，第" + std::to_string(finding.line) + "行\r\n";
    return utf8ToGbk(line);
}

std::string reportText(const std::vector<StoredFinding>& findings) {
    std::string text;
    for (std::size_t i = 0; i < findings.size(); ++i) text += reportLine(i + 1, findings[i]);
    return text;
}

std::string defaultReportName(const std::string& displayName, const std::string& thesisPath) {
    if (reportFormatOf(thesisPath) != ReportFormat::Word2007) return displayName + texts::kReportNameSuffix;
    // The display name drops four bytes, which leaves a ".docx" thesis its dot.
    std::string name = displayName;
    if (!name.empty() && name.back() == '.') name.pop_back();
    return name + texts::kReportNameSuffixDocx;
}

std::string reportSavedText(const std::filesystem::path& target) {
    return std::string(texts::kReportSaved) + target.string() + texts::kReportSavedText + textReportPath(target).string();
}

std::string commentText(const StoredFinding& finding) { return "(" + finding.level + ")" + finding.description; }

long commentAnchor(word::Document& document, const StoredFinding& finding) {
    const auto& model = document.model();
    const long position = std::clamp<long>(finding.position, 0, model->storyEnd());
    if (finding.page < 1 || finding.page > model->pageCount() || model->pageOf(position) == finding.page) return position;
    return model->pageStart(finding.page);
}

namespace {

// The working copy goes on without the report's comments, also after a
// failed save (the engine may be gone by then).
void removeComments(std::optional<word::Comments>& comments) {
    if (!comments) return;
    try {
        comments->DeleteAdded();
    } catch (...) {
    }
}

// Puts the findings into the document as comments, from the last anchor to
// the first, so that each field character goes in after the places still
// to be used.
void addComments(word::Document& document, word::Comments& comments, const std::vector<StoredFinding>& findings) {
    std::vector<std::pair<long, const StoredFinding*>> anchored;
    for (const StoredFinding& finding : findings) anchored.emplace_back(commentAnchor(document, finding), &finding);
    std::stable_sort(anchored.begin(), anchored.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    for (const auto& [at, finding] : anchored) comments.Add(at, commentText(*finding), kCommentAuthor);
}

}  // namespace

std::filesystem::path textReportPath(const std::filesystem::path& documentPath) {
    std::filesystem::path path = documentPath;
    path += ".txt";
    return path;
}

ReportResult writeReport(const ThesisDocument& document, const std::filesystem::path& target, RunLock& runLock,
                         const ReportOptions& options) {
    const std::vector<std::filesystem::path> theses{document.sourcePath};
    word::Document engineDocument = document.wordDocument();
    if (namesAThesis(target, theses)) {
        return {ReportResult::Status::SaveFailed, std::string(texts::kReportIsThesis) + "\n" + target.string()};
    }
    if (!engineDocument.IsNull()) {
        if (auto problem = reportTargetProblem(target, theses)) return {ReportResult::Status::SaveFailed, *problem};
        std::lock_guard held(runLock);
        std::optional<word::Comments> comments;
        try {
            if (options.comments) {
                comments.emplace(engineDocument.Comments());
                addComments(engineDocument, *comments, document.findings);
            }
            engineDocument.SaveAs(target.string(), 0);
            if (comments) comments->DeleteAdded();
        } catch (const word::WordError& error) {
            removeComments(comments);
            return {ReportResult::Status::SaveFailed,
                    std::string(texts::kSaveFailed) + "\n" + target.string() + "\n" + error.description()};
        } catch (const std::exception& error) {
            removeComments(comments);
            return {ReportResult::Status::SaveFailed,
                    std::string(texts::kSaveFailed) + "\n" + target.string() + "\n" + error.what()};
        }
    }

    const std::filesystem::path textPath = textReportPath(target);
    const std::string text = reportText(document.findings);
    std::ofstream out(textPath, std::ios::binary | std::ios::trunc);
    if (out) {
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        out.close();
    }
    if (!out) {
        return {ReportResult::Status::TextFailed, std::string(texts::kReportFileFailed) + "\n" + textPath.string()};
    }
    return {};
}

}  // namespace quillmark
