#include "cli/WorkingCopy.h"

#include "shell/ThesisCopy.h"
#include "shell/WorkingFolder.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace quillmark {

namespace fs = std::filesystem;

TemporaryCopy::TemporaryCopy(const std::string& source) {
    std::error_code error;
    fs::create_directories(workingFolder(), error);
    if (error) throw std::runtime_error(copyFailedText(source, workingFolderFailureReason(error.value())));
    std::string pattern = (workingFolder() / "inspect-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error(copyFailedText(source, workingFolderFailureReason(errno)));
    folder_ = pattern;
    fs::path name = fs::path(source).filename();
    if (name.empty() || name == "." || name == "..") name = "document";
    path_ = (fs::path(folder_) / name).string();
    const std::string failure = copyThesis(source, path_);
    if (!failure.empty()) {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
        throw std::runtime_error(copyFailedText(source, failure));
    }
}

TemporaryCopy::~TemporaryCopy() {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
}

}  // namespace quillmark
