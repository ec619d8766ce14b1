#include "shell/ReportWriter.h"

#include "shell/ReportTarget.h"
#include "shell/ShellTexts.h"
#include "template/Codepage936.h"
#include "word/Document.h"
#include "word/WordError.h"

#include <fstream>
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

std::string defaultReportName(const std::string& displayName) { return displayName + texts::kReportNameSuffix; }

std::filesystem::path textReportPath(const std::filesystem::path& documentPath) {
    std::filesystem::path path = documentPath;
    path += ".txt";
    return path;
}

ReportResult writeReport(const ThesisDocument& document, const std::filesystem::path& target, RunLock& runLock) {
    const std::vector<std::filesystem::path> theses{document.sourcePath};
    word::Document engineDocument = document.wordDocument();
    if (namesAThesis(target, theses)) {
        return {ReportResult::Status::SaveFailed, std::string(texts::kReportIsThesis) + "\n" + target.string()};
    }
    if (!engineDocument.IsNull()) {
        if (auto problem = reportTargetProblem(target, theses)) return {ReportResult::Status::SaveFailed, *problem};
        std::lock_guard held(runLock);
        try {
            engineDocument.SaveAs(target.string(), 0);
        } catch (const word::WordError& error) {
            return {ReportResult::Status::SaveFailed,
                    std::string(texts::kSaveFailed) + "\n" + target.string() + "\n" + error.description()};
        } catch (const std::exception& error) {
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
