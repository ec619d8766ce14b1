#include "gui/TemplateSettingsDialog.h"

#include "gui/GuiTexts.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>

namespace quillmark::gui {

TemplateSettingsDialog::TemplateSettingsDialog(const FormatTemplate& current, QWidget* parent)
    : QDialog(parent), copy_(current) {
    setWindowTitle(QString::fromUtf8(texts::kSettingsTitle));
    auto* layout = new QHBoxLayout(this);
    auto* group = new QGroupBox(QString::fromUtf8(texts::kThesisTypeGroup), this);
    auto* radios = new QHBoxLayout(group);
    bachelor_ = new QRadioButton(QString::fromUtf8(texts::kBachelor), group);
    bachelor_->setObjectName(QStringLiteral("bachelorRadio"));
    master_ = new QRadioButton(QString::fromUtf8(texts::kMaster), group);
    master_->setObjectName(QStringLiteral("masterRadio"));
    (copy_.thesisType == kMasterThesis ? master_ : bachelor_)->setChecked(true);
    radios->addWidget(bachelor_);
    radios->addWidget(master_);
    layout->addWidget(group, 1);

    auto* ok = new QPushButton(QString::fromUtf8(texts::kOk), this);
    ok->setObjectName(QStringLiteral("confirmButton"));
    auto* cancel = new QPushButton(QString::fromUtf8(texts::kCancel), this);
    for (QPushButton* button : {ok, cancel}) button->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &TemplateSettingsDialog::confirm);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    layout->addWidget(ok);
    layout->addWidget(cancel);
}

void TemplateSettingsDialog::confirm() {
    copy_.thesisType = master_->isChecked() ? kMasterThesis : kBachelorThesis;
    accept();
}

}  // namespace quillmark::gui
