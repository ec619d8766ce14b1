#include "gui/templatesettings/SettingsPages.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QVBoxLayout>

namespace quillmark::gui {

using T = FormatTemplate;

const std::array<PageSetSelItem::Item, 7> PageSetSelItem::kItems{{
    {"首页封面", 1112, &T::checkCover},
    {"中文摘要", 1113, &T::checkCnAbstract},
    {"摘要注释", 1114, &T::checkAbstractNotes},
    {"英文摘要", 1115, &T::checkEnAbstract},
    {"正文", 1116, &T::checkBody},
    {"参考文献", 1117, &T::checkReferences},
    {"英文图表名", 1118, &T::checkEnCaptions},
}};

PageSetSelItem::PageSetSelItem(QWidget* parent) : TemplatePage(parent) {
    auto* layout = new QVBoxLayout(this);
    auto* group = new QGroupBox(QStringLiteral("检测内容"), this);
    auto* grid = new QGridLayout(group);
    constexpr int kColumns = 4;
    for (std::size_t i = 0; i < kItems.size(); ++i) {
        auto* box = new QCheckBox(QString::fromUtf8(kItems[i].label), group);
        box->setObjectName(QStringLiteral("check%1").arg(kItems[i].id));
        grid->addWidget(box, static_cast<int>(i) / kColumns, static_cast<int>(i) % kColumns);
        boxes_[i] = box;
    }
    layout->addWidget(group);
    layout->addStretch(1);
}

QString PageSetSelItem::tabTitle() const { return QStringLiteral("检测项"); }

void PageSetSelItem::showTemplate(const FormatTemplate& tmpl) {
    for (std::size_t i = 0; i < kItems.size(); ++i) boxes_[i]->setChecked(tmpl.*kItems[i].member == 1);
}

void PageSetSelItem::readTemplate(FormatTemplate& tmpl) const {
    for (std::size_t i = 0; i < kItems.size(); ++i) tmpl.*kItems[i].member = boxes_[i]->isChecked() ? 1 : 0;
}

}  // namespace quillmark::gui
