#include "gui/FileDialogs.h"

#include "gui/GuiTexts.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>

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

QString FileDialogs::chooseModel(QWidget* parent) {
    return QFileDialog::getOpenFileName(parent, QString::fromUtf8(texts::kDeriveTemplate), QString(),
                                        filters({texts::kModelFilter}), nullptr, QFileDialog::ReadOnly);
}

ReportChoice FileDialogs::chooseReportTarget(QWidget* parent, const QString& suggested) {
    const bool docx = suggested.endsWith(QStringLiteral(".docx"), Qt::CaseInsensitive);
    const QString own = QString::fromUtf8(docx ? texts::kReportDocxFilter : texts::kReportFilter);
    const QString other = QString::fromUtf8(docx ? texts::kReportFilter : texts::kReportDocxFilter);
    QFileDialog dialog(parent, QString::fromUtf8(texts::kWriteReport), suggested, own + QStringLiteral(";;") + other);
    // The check box needs the dialog's own widgets.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(docx ? QStringLiteral("docx") : QStringLiteral("doc"));
    dialog.selectNameFilter(own);
    // A name typed without its extension gets that of the chosen filter.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
        dialog.setDefaultSuffix(filter.contains(QStringLiteral("*.docx")) ? QStringLiteral("docx") : QStringLiteral("doc"));
    });
    auto* comments = new QCheckBox(QString::fromUtf8(texts::kReportComments), &dialog);
    comments->setObjectName(QStringLiteral("reportCommentsCheck"));
    if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) {
        grid->addWidget(comments, grid->rowCount(), 0, 1, grid->columnCount());
    }
    dialog.selectFile(suggested);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return {dialog.selectedFiles().constFirst(), comments->isChecked()};
}

}  // namespace quillmark::gui
