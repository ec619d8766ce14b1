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

ListPage::ListPage(PageLayout layout, const FontLists& fonts, QWidget* parent)
    : TemplatePage(parent), layout_(std::move(layout)) {
    auto* column = new QVBoxLayout(this);
    for (const ListGroup& group : layout_.groups) column->addWidget(buildGroup(group, fonts));
    column->addStretch(1);

    if (layout_.cornerText == nullptr) return;
    auto* corner = new QHBoxLayout;
    corner->addStretch(1);
    const QString cornerText = QString::fromUtf8(layout_.cornerText);
    if (layout_.cornerIsGroupBox) {
        auto* box = new QGroupBox(cornerText, this);
        box->setMinimumSize(120, 36);
        corner->addWidget(box);
    } else {
        auto* label = new QLabel(cornerText, this);
        label->setObjectName(QStringLiteral("cornerText"));
        corner->addWidget(label);
    }
    column->addLayout(corner);
}

QWidget* ListPage::buildGroup(const ListGroup& group, const FontLists& fonts) {
    QWidget* box = group.title != nullptr ? new QGroupBox(QString::fromUtf8(group.title), this) : new QWidget(this);
    auto* grid = new QGridLayout(box);
    int slot = 0;
    for (const ListRow& row : group.lists) {
        auto* list = new SettingsList(row, fonts, box);
        auto* label = new QLabel(QString::fromUtf8(row.label), box);
        label->setBuddy(list);
        const int gridRow = slot / kListsPerRow;
        const int column = (slot % kListsPerRow) * 2;
        grid->addWidget(label, gridRow, column, Qt::AlignRight);
        grid->addWidget(list, gridRow, column + 1);
        lists_.push_back(list);
        ++slot;
    }
    for (int column = 1; column < kListsPerRow * 2; column += 2) grid->setColumnStretch(column, 1);
    return box;
}

QString ListPage::tabTitle() const { return QString::fromUtf8(layout_.tabTitle); }

void ListPage::showTemplate(const FormatTemplate& tmpl) {
    for (SettingsList* list : lists_) list->showTemplate(tmpl);
}

void ListPage::readTemplate(FormatTemplate& tmpl) const {
    for (const SettingsList* list : lists_) list->readTemplate(tmpl);
}

}  // namespace quillmark::gui
