#pragma once

#include <filesystem>
#include <string>

namespace quillmark::testing {

// The whole of a file, byte for byte; empty when it cannot be read.
std::string readBytes(const std::filesystem::path& path);

// Writes `bytes` to `path`, replacing what was there.
void writeBytes(const std::filesystem::path& path, const std::string& bytes);

}  // namespace quillmark::testing
