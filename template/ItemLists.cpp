#include "template/ItemLists.h"

namespace quillmark {

const std::vector<std::string>& sizeItems() {
    static const std::vector<std::string> items{"26.0", "24.0", "二号", "小二", "三号", "小三", "四号", "小四",
                                                "五号", "小五", "8.0",  "7.5",  "6.5",  "5.5",  "5.0"};
    return items;
}

const std::vector<std::string>& figureTableSizeItems() {
    static const std::vector<std::string> items{"26.0", "24.0", "二号", "小二", "三号", "小三",
                                                "四号", "小四", "10.5", "五号", "小五", "8.0",
                                                "7.5",  "6.5",  "5.5",  "5.0"};
    return items;
}

const std::vector<std::string>& boldItems() {
    static const std::vector<std::string> items{"否", "是"};
    return items;
}

const std::vector<std::string>& alignmentItems() {
    static const std::vector<std::string> items{"左对齐", "居中对齐", "右对齐", "两端对齐", "分散对齐"};
    return items;
}

const std::vector<std::string>& abstractHeadingFormItems() {
    static const std::vector<std::string> items{"摘要", "要摘"};
    return items;
}

const std::vector<std::string>& keywordsLabelFormItems() {
    static const std::vector<std::string> items{"关键字", "关键词", "两者皆可"};
    return items;
}

const std::vector<std::string>& separatorItems() {
    static const std::vector<std::string> items{"-", "."};
    return items;
}

}  // namespace quillmark
