#include "gui/FileDialogs.h"

#include "gui/GuiTexts.h"

#include <QFileDialog>

namespace quillmark::gui {

namespace {

QString filters(std::initializer_list<const char*> names) {
    QStringList list;
    for (const char* name : names) list << QString::fromUtf8(name);
    return list.join(QStringLiteral(";;"));
}

}  // namespace

QStringList FileDialogs::chooseTheses(QWidget* parent) {
    return QFileDialog::getOpenFileNames(parent, QString::fromUtf8(texts::kOpenFile), QString(),
                                         filters({texts::kWordFilter, texts::kThesisFilter, texts::kDocxFilter}), nullptr,
                                         QFileDialog::ReadOnly);
}

QString FileDialogs::chooseTemplate(QWidget* parent) {
    return QFileDialog::getOpenFileName(parent, QString::fromUtf8(texts::kLoadTemplate), QString(),
                                        filters({texts::kTemplateFilter}), nullptr, QFileDialog::ReadOnly);
}

QString FileDialogs::chooseReportTarget(QWidget* parent, const QString& suggested) {
    QFileDialog dialog(parent, QString::fromUtf8(texts::kWriteReport), suggested,
                       filters({texts::kReportFilter}));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("doc"));
    dialog.selectFile(suggested);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

}  // namespace quillmark::gui
