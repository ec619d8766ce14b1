#include "gui/MessageBoxes.h"

#include <QApplication>
#include <QMessageBox>

namespace quillmark::gui {

namespace {

QString caption() { return QApplication::applicationDisplayName(); }

}  // namespace

void MessageBoxes::showMessage(const std::string& text) {
    QMessageBox::information(parent_, caption(), QString::fromStdString(text));
}

void MessageBoxes::showError(const std::string& errorCaption, const std::string& text) {
    QMessageBox box(QMessageBox::Critical, QString::fromStdString(errorCaption), QString::fromStdString(text),
                    QMessageBox::Ok, parent_);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.show();
    box.raise();
    box.activateWindow();
    box.exec();
}

bool MessageBoxes::askYesNo(const std::string& text) {
    return QMessageBox::question(parent_, caption(), QString::fromStdString(text),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) == QMessageBox::Yes;
}

}  // namespace quillmark::gui
