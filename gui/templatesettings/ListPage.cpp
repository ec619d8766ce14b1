#include "gui/templatesettings/ListPage.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace quillmark::gui {

namespace {

// Lists per row inside a group: font, size and bold of one element side by side.
constexpr int kListsPerRow = 3;

}  // namespace

ListPage::ListPage(PageSpec spec, const FontLists& fonts, QWidget* parent)
    : TemplatePage(parent), spec_(std::move(spec)) {
    auto* layout = new QVBoxLayout(this);
    for (const GroupSpec& group : spec_.groups) layout->addWidget(buildGroup(group, fonts));
    layout->addStretch(1);

    if (spec_.cornerText == nullptr) return;
    auto* corner = new QHBoxLayout;
    corner->addStretch(1);
    const QString cornerText = QString::fromUtf8(spec_.cornerText);
    if (spec_.cornerIsGroupBox) {
        auto* box = new QGroupBox(cornerText, this);
        box->setMinimumSize(120, 36);
        corner->addWidget(box);
    } else {
        auto* label = new QLabel(cornerText, this);
        label->setObjectName(QStringLiteral("cornerText"));
        corner->addWidget(label);
    }
    layout->addLayout(corner);
}

QWidget* ListPage::buildGroup(const GroupSpec& group, const FontLists& fonts) {
    QWidget* box = group.title != nullptr ? new QGroupBox(QString::fromUtf8(group.title), this) : new QWidget(this);
    auto* grid = new QGridLayout(box);
    int slot = 0;
    for (const ListSpec& spec : group.lists) {
        auto* list = new SettingsList(spec, fonts, box);
        auto* label = new QLabel(QString::fromUtf8(spec.label), box);
        label->setBuddy(list);
        const int row = slot / kListsPerRow;
        const int column = (slot % kListsPerRow) * 2;
        grid->addWidget(label, row, column, Qt::AlignRight);
        grid->addWidget(list, row, column + 1);
        lists_.push_back(list);
        ++slot;
    }
    for (int column = 1; column < kListsPerRow * 2; column += 2) grid->setColumnStretch(column, 1);
    return box;
}

QString ListPage::tabTitle() const { return QString::fromUtf8(spec_.tabTitle); }

void ListPage::showTemplate(const FormatTemplate& tmpl) {
    for (SettingsList* list : lists_) list->showTemplate(tmpl);
}

void ListPage::readTemplate(FormatTemplate& tmpl) const {
    for (const SettingsList* list : lists_) list->readTemplate(tmpl);
}

}  // namespace quillmark::gui
