#include "gui/CheckPage.h"

#include "checks/CheckerBodies.h"
#include "gui/GuiTexts.h"
#include "shell/CheckKinds.h"
#include "widgets/ShadedButton.h"

#include <QGridLayout>

namespace quillmark::gui {

namespace {

QString objectNameFor(CheckKind kind) {
    switch (kind) {
    case CheckKind::Cover: return QStringLiteral("coverButton");
    case CheckKind::CnAbstract: return QStringLiteral("cnAbstractButton");
    case CheckKind::EnAbstract: return QStringLiteral("enAbstractButton");
    case CheckKind::AbstractNotes: return QStringLiteral("abstractNotesButton");
    case CheckKind::Body: return QStringLiteral("bodyButton");
    case CheckKind::References: return QStringLiteral("referencesButton");
    }
    return {};
}

}  // namespace

CheckPage* CheckPage::abstractPage(QWidget* parent) {
    return new CheckPage({{CheckKind::CnAbstract, nullptr},
                          {CheckKind::EnAbstract, nullptr},
                          {CheckKind::AbstractNotes, nullptr}},
                         parent);
}

CheckPage* CheckPage::textPage(QWidget* parent) {
    return new CheckPage({{CheckKind::Body, texts::kBodyTip}, {CheckKind::References, texts::kReferencesTip}},
                         parent);
}

CheckPage* CheckPage::otherPage(QWidget* parent) {
    return new CheckPage({{CheckKind::Cover, texts::kCoverTip}}, parent);
}

CheckPage::CheckPage(const std::initializer_list<Button>& buttons, QWidget* parent) : QWidget(parent) {
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setHorizontalSpacing(12);
    int column = 0;
    for (const Button& entry : buttons) {
        auto* button = new widgets::ShadedButton(QString::fromUtf8(checkLabel(entry.kind)), this);
        button->setObjectName(objectNameFor(entry.kind));
        QString tip = entry.tooltip != nullptr ? QString::fromUtf8(entry.tooltip) : QString();
        if (!checkAvailable(entry.kind)) {
            button->setEnabled(false);
            tip = tip.isEmpty() ? QString::fromUtf8(texts::kNotAvailableTip)
                                : tip + QLatin1Char('\n') + QString::fromUtf8(texts::kNotAvailableTip);
        }
        button->setToolTip(tip);
        button->setMinimumWidth(100);
        const CheckKind kind = entry.kind;
        connect(button, &QPushButton::clicked, this, [this, kind] { emit checkRequested(kind); });
        layout->addWidget(button, 0, column++);
        buttons_[kind] = button;
    }
    layout->setColumnStretch(column, 1);
}

QPushButton* CheckPage::button(CheckKind kind) const {
    auto it = buttons_.find(kind);
    return it == buttons_.end() ? nullptr : it->second;
}

}  // namespace quillmark::gui
