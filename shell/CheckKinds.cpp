#include "shell/CheckKinds.h"

namespace quillmark {

CheckPage pageOf(CheckKind kind) {
    switch (kind) {
    case CheckKind::Cover:
        return CheckPage::Other;
    case CheckKind::CnAbstract:
    case CheckKind::EnAbstract:
    case CheckKind::AbstractNotes:
        return CheckPage::Abstract;
    case CheckKind::Body:
    case CheckKind::References:
        return CheckPage::Text;
    }
    return CheckPage::Text;
}

const char* checkLabel(CheckKind kind) {
    switch (kind) {
    case CheckKind::Cover:
        return "封面检测";
    case CheckKind::CnAbstract:
        return "中文摘要检测";
    case CheckKind::EnAbstract:
        return "英文摘要检测";
    case CheckKind::AbstractNotes:
        return "注释检测";
    case CheckKind::Body:
        return "正文检测";
    case CheckKind::References:
        return "参考文献";
    }
    return "";
}

const char* statusWord(CheckKind kind) {
    switch (pageOf(kind)) {
    case CheckPage::Other:
        return "<封面>";
    case CheckPage::Abstract:
        return "<摘要>";
    case CheckPage::Text:
        return "<正文>";
    }
    return "";
}

}  // namespace quillmark
