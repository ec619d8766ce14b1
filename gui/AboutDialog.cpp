#include "gui/AboutDialog.h"

#include "gui/GuiTexts.h"
#include "widgets/Icons.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillmark::gui {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QString::fromUtf8(texts::kAboutTitle));
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    auto* icon = new QLabel(this);
    icon->setPixmap(widgets::svgPixmap(QStringLiteral("quillmark"), QSize(48, 48)));
    row->addWidget(icon);
    auto* text = new QLabel(QString::fromUtf8(texts::kAboutText), this);
    text->setObjectName(QStringLiteral("aboutText"));
    row->addWidget(text, 1);
    layout->addLayout(row);
    auto* ok = new QPushButton(QString::fromUtf8(texts::kOk), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(ok, 0, Qt::AlignRight);
}

}  // namespace quillmark::gui
