#include "cli/PartNames.h"

#include "shell/CheckKinds.h"

#include <algorithm>
#include <array>
#include <utility>

namespace quillmark {

namespace {

constexpr std::array<std::pair<CheckKind, const char*>, 6> kPartNames = {{
    {CheckKind::Cover, "cover"},
    {CheckKind::CnAbstract, "cn-abstract"},
    {CheckKind::EnAbstract, "en-abstract"},
    {CheckKind::AbstractNotes, "notes"},
    {CheckKind::Body, "body"},
    {CheckKind::References, "references"},
}};

}  // namespace

const char* partName(CheckKind kind) {
    for (const auto& [k, name] : kPartNames) {
        if (k == kind) return name;
    }
    return "?";
}

std::optional<CheckKind> partFromName(std::string_view name) {
    for (const auto& [kind, partName] : kPartNames) {
        if (name == partName) return kind;
    }
    return std::nullopt;
}

std::vector<CheckKind> parseParts(std::string_view list, std::vector<std::string>& unknown) {
    std::vector<CheckKind> chosen;
    size_t start = 0;
    while (start <= list.size()) {
        const size_t comma = std::min(list.find(',', start), list.size());
        std::string_view name = list.substr(start, comma - start);
        while (!name.empty() && name.front() == ' ') name.remove_prefix(1);
        while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
        if (!name.empty()) {
            if (auto kind = partFromName(name)) chosen.push_back(*kind); else unknown.emplace_back(name);
        }
        start = comma + 1;
    }
    std::vector<CheckKind> ordered;
    for (CheckKind kind : kCheckAllOrder) {
        if (std::find(chosen.begin(), chosen.end(), kind) != chosen.end()) ordered.push_back(kind);
    }
    return ordered;
}

}  // namespace quillmark
