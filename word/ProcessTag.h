#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace word {

// Names this process by its pid and start time ("1234.567890"), so that files
// it leaves behind can be told from those of a live process even after the
// pid has been reused.
const std::string& processTag();

// True while the process that `tag` names runs.
bool processTagAlive(std::string_view tag);

// Removes the entries of `folder` whose names are `prefix` followed by the
// tag of a process that no longer runs (and, after it, anything). Returns the
// number removed. Entries of live processes and other names are left alone.
// `remove` removes one entry (default: remove_all).
using RemoveEntry = std::function<void(const std::filesystem::path&)>;
int removeLeftoversOfDeadProcesses(const std::filesystem::path& folder, std::string_view prefix,
                                   const RemoveEntry& remove = {});

// Removes the entries of `folder` named `prefix` followed by `tag`.
void removeLeftoversOf(const std::filesystem::path& folder, std::string_view prefix, std::string_view tag,
                       const RemoveEntry& remove = {});

}  // namespace word
