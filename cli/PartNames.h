#pragma once

#include "shell/CheckMode.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillmark {

// The names the command line gives the six checks, in check-all order:
// cover, cn-abstract, en-abstract, notes, body, references.
const char* partName(CheckKind kind);
std::optional<CheckKind> partFromName(std::string_view name);

// Parses "a,b,c" into checks in check-all order (duplicates dropped).
// Unknown names are returned in `unknown`.
std::vector<CheckKind> parseParts(std::string_view list, std::vector<std::string>& unknown);

}  // namespace quillmark
