#include "shell/ReportWriter.h"

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
    word::Document engineDocument = document.wordDocument();
    if (!engineDocument.IsNull()) {
        // The engine is not asked to save into a folder that is not there (it
        // may wait on such a target instead of failing).
        std::error_code ec;
        const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
        if (!std::filesystem::is_directory(folder, ec)) {
            return {ReportResult::Status::SaveFailed,
                    std::string(texts::kSaveFailed) + "\n" + target.string() + "\n" +
                        std::make_error_code(std::errc::no_such_file_or_directory).message()};
        }
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
