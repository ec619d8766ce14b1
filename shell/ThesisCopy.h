#pragma once

#include <filesystem>
#include <string>

namespace quillmark {

// Copies a user's thesis to `target` (replacing a file there). Returns an
// empty text on success; otherwise why not, for the user: the source is
// missing, a folder, not a plain file, unreadable, or the working folder is
// full or not writable (from errno).
std::string copyThesis(const std::filesystem::path& source, const std::filesystem::path& target);

// The reason for an errno value, in the user's words.
std::string copyFailureReason(int error);

// The reason a folder or file in the working folder could not be made, from
// errno: the working folder is named unless the reason names it already.
std::string workingFolderFailureReason(int error);

// "无法把论文复制到工作文件夹，论文没有打开：" with the source and the reason.
std::string copyFailedText(const std::filesystem::path& source, const std::string& reason);

}  // namespace quillmark
