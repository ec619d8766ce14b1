#include "cli/WorkingCopy.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace quillmark {

namespace fs = std::filesystem;

TemporaryCopy::TemporaryCopy(const std::string& source) {
    std::error_code error;
    const auto status = fs::status(source, error);
    if (error || !fs::exists(status)) throw std::runtime_error("文件不存在: " + source);
    if (fs::is_directory(status)) throw std::runtime_error("这是一个文件夹，不是文档: " + source);
    std::string pattern = (fs::temp_directory_path() / "quillmark-copy-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("无法创建临时文件夹");
    folder_ = pattern;
    path_ = (fs::path(folder_) / fs::path(source).filename()).string();
    if (!fs::copy_file(source, path_, fs::copy_options::overwrite_existing, error) || error) {
        fs::remove_all(folder_, error);
        throw std::runtime_error("无法复制文件 " + source + ": " + error.message());
    }
}

TemporaryCopy::~TemporaryCopy() {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
}

}  // namespace quillmark
