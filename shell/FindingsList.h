#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace quillmark {

// One row of the findings list: six texts, plus the document record the
// finding was posted for (0 when unknown), which ties the row to its stored
// finding together with the position.
struct FindingsRow {
    std::uint64_t documentId = 0;
    std::array<std::string, 6> cells;  // 序号, 文件, 等级, 页码, 问题描述, 字符位置

    const std::string& number() const { return cells[0]; }
    const std::string& fileName() const { return cells[1]; }
    const std::string& level() const { return cells[2]; }
    const std::string& page() const { return cells[3]; }
    const std::string& description() const { return cells[4]; }
    const std::string& position() const { return cells[5]; }
};

// The findings list as a plain model: rows of text in display order. The
// front end draws it; the shell's commands change it.
class FindingsList {
public:
    static constexpr std::size_t kColumns = 6;
    static const std::array<const char*, kColumns>& headings();

    // Appends a row numbered one more than the rows already there; returns
    // its index.
    std::size_t append(std::uint64_t documentId, const std::string& fileName, const std::string& level, int page,
                       const std::string& description, int position);
    void clear() { rows_.clear(); }
    // Removes the rows of one document: those posted for its record id, and
    // those without an id that carry its display name. Returns how many went.
    std::size_t removeRowsOf(std::uint64_t documentId, const std::string& displayName);

    std::size_t size() const { return rows_.size(); }
    bool empty() const { return rows_.empty(); }
    const FindingsRow& row(std::size_t index) const { return rows_.at(index); }
    const std::vector<FindingsRow>& rows() const { return rows_; }

private:
    std::vector<FindingsRow> rows_;
};

}  // namespace quillmark
