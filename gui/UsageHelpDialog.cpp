#include "gui/UsageHelpDialog.h"

#include "gui/GuiTexts.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillmark::gui {

UsageHelpDialog::UsageHelpDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QString::fromUtf8(texts::kUsageTitle));
    auto* layout = new QVBoxLayout(this);
    QStringList lines;
    for (const char* line : texts::kUsageLines) lines << QString::fromUtf8(line);
    auto* text = new QLabel(lines.join(QLatin1Char('\n')), this);
    text->setObjectName(QStringLiteral("usageText"));
    text->setWordWrap(false);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(text);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QString::fromUtf8(texts::kOk));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

}  // namespace quillmark::gui
