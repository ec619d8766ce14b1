#include "shell/FindingsList.h"

#include <algorithm>

namespace quillmark {

const std::array<const char*, FindingsList::kColumns>& FindingsList::headings() {
    static const std::array<const char*, kColumns> names = {"序号", "文件", "等级", "页码", "问题描述", "字符位置"};
    return names;
}

std::size_t FindingsList::append(std::uint64_t documentId, const std::string& fileName, const std::string& level,
                                 int page, const std::string& description, int position) {
    std::size_t index = rows_.size();
    rows_.push_back(FindingsRow{documentId,
                                {std::to_string(index + 1), fileName, level, std::to_string(page), description,
                                 std::to_string(position)}});
    return index;
}

std::size_t FindingsList::removeRowsOf(std::uint64_t documentId, const std::string& displayName) {
    return std::erase_if(rows_, [&](const FindingsRow& row) {
        return row.documentId != 0 ? row.documentId == documentId : row.fileName() == displayName;
    });
}

}  // namespace quillmark
