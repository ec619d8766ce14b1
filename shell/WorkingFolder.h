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

// This process's own folder inside `parent`, named by the process (see
// word::processTag), created readable by the user only. Folders there of
// processes that no longer run (killed, power loss) are removed first.
std::filesystem::path processWorkingFolder(const std::filesystem::path& parent);

// Where the working copies of this process go: its own folder under
// "quillmark/Temporary files for word" in the user's cache folder. Two
// processes never share one, whatever folder they run from.
std::filesystem::path workingFolder();

// Removes this process's working folder with everything in it (the end of
// the program, also an interrupted one).
void removeWorkingFolder();

}  // namespace quillmark
