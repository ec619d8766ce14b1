#pragma once

#include <filesystem>
#include <string>

namespace word {

// The engine never writes a saved document into the user's folder itself:
// when it cannot (a read-only mount, /proc), its Word 97 export goes on
// writing the document summary into a stream that has failed, without end.
// It saves into a file of its own private profile instead; the file is then
// put in place here.

// A fresh name inside `folder` for the engine to save into, with the
// target's extension.
std::filesystem::path stagingPath(const std::filesystem::path& folder, const std::filesystem::path& target);

// Moves `staged` to `target`, replacing it in one step (a rename; across file
// systems a copy beside the target first). Nothing half-written stays at the
// target or beside it; `staged` is gone afterwards. Throws WordError
// (SaveFailed) with the system's reason.
void putInPlace(const std::filesystem::path& staged, const std::filesystem::path& target);

}  // namespace word
