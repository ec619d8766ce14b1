#pragma once

#include <filesystem>

namespace quillmark {

inline constexpr const char* kWorkingFolderName = "Temporary files for word";

// The folder of the running program file.
std::filesystem::path programDirectory();

// $XDG_CACHE_HOME when it is an absolute path, otherwise ~/.cache.
std::filesystem::path userCacheDirectory();

// The folder for the working copies: "Temporary files for word" in
// `programDir` when it can be created there and written to, otherwise
// "quillmark/Temporary files for word" in `cacheDir`. The folder is created
// when missing. Returns the cache choice even when that cannot be created
// either; opening a thesis then reports the failed copy.
std::filesystem::path chooseWorkingFolder(const std::filesystem::path& programDir,
                                          const std::filesystem::path& cacheDir);

// chooseWorkingFolder(programDirectory(), userCacheDirectory()).
std::filesystem::path workingFolder();

}  // namespace quillmark
