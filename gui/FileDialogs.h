#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace quillmark::gui {

// What the report step's save dialog answers: the target (empty when
// cancelled) and whether the findings go into it as comments.
struct ReportChoice {
    QString path;
    bool comments = false;
};

// The file dialogs of the main window. Each returns the chosen path, or an
// empty text when the user cancelled.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // "打开文件": one or more theses.
    virtual QStringList chooseTheses(QWidget* parent);
    // "载入模板": a template file.
    virtual QString chooseTemplate(QWidget* parent);
    // "从范文生成模板…": the university's model document.
    virtual QString chooseModel(QWidget* parent);
    // "生成报表": where to save the checked document; `suggested` is the
    // default file name with its folder, whose extension (".doc" or ".docx")
    // puts its filter first. A check box "报表中加入批注" (off) asks for the
    // findings as comments.
    virtual ReportChoice chooseReportTarget(QWidget* parent, const QString& suggested);
};

}  // namespace quillmark::gui
