#pragma once

#include <string>
#include <vector>

namespace quillmark {

// The fixed items of the settings lists, in list order; an item's index is
// its position from 0.

// "26.0", "24.0", "二号" ... "小五", "8.0" ... "5.0" (15 items).
const std::vector<std::string>& sizeItems();

// The size items with "10.5" between "小四" and "五号" (16 items), for the
// figure caption, table caption and table text lists.
const std::vector<std::string>& figureTableSizeItems();

const std::vector<std::string>& boldItems();                // "否" 0, "是" 1
const std::vector<std::string>& alignmentItems();           // "左对齐" 0 ... "分散对齐" 4
const std::vector<std::string>& abstractHeadingFormItems(); // "摘要" 0, "要摘" 1
const std::vector<std::string>& keywordsLabelFormItems();   // "关键字" 0, "关键词" 1, "两者皆可" 2

// The caption-number separators, sorted as the list shows them: "-", ".".
const std::vector<std::string>& separatorItems();

}  // namespace quillmark
