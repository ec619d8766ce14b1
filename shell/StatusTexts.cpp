#include "shell/StatusTexts.h"

#include "shell/CheckKinds.h"
#include "template/FormatTemplate.h"

namespace quillmark {

namespace {

const char* doneText(CheckMode mode) { return mode == CheckMode::AutoFix ? "修改完成" : "检测完成"; }

}  // namespace

StatusWrites beginStatusTexts(CheckKind kind, CheckMode mode) {
    std::string running = std::string("正在对") + statusWord(kind) +
                          (mode == CheckMode::AutoFix ? "进行修改。。" : "进行查错。。");
    if (pageOf(kind) == CheckPage::Other) {
        return {{1, ""}, {1, " "}, {2, running}};
    }
    return {{1, ""}, {2, running}};
}

StatusWrites endStatusTexts(CheckKind kind, CheckMode mode) {
    if (pageOf(kind) == CheckPage::Text) {
        return {{1, doneText(mode)}, {2, "  "}, {3, ""}};
    }
    return {{1, doneText(mode)}, {2, " "}};
}

StatusWrites stopStatusTexts(CheckMode mode) {
    return {{1, mode == CheckMode::AutoFix ? "修改完成" : "查错完成"}, {2, " "}};
}

void writeStatus(StatusSink& sink, const StatusWrites& writes) {
    for (const StatusWrite& w : writes) sink.setPart(w.part, w.text);
}

std::string thesisTypeTitle(std::int32_t thesisType) {
    return thesisType == kMasterThesis ? "Norvale(硕士论文检测)" : "Norvale(学士论文检测)";
}

}  // namespace quillmark
