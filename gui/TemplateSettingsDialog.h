#pragma once

#include "template/FormatTemplate.h"

#include <QDialog>

class QRadioButton;

namespace quillmark::gui {

// "模板设置": works on its own copy of a template; only "确定" hands the
// changes back. Offers the kind of thesis to check.
class TemplateSettingsDialog : public QDialog {
    Q_OBJECT
public:
    TemplateSettingsDialog(const FormatTemplate& current, QWidget* parent = nullptr);

    // The working copy: the template given, with the user's changes once "确定" was pressed.
    const FormatTemplate& result() const { return copy_; }

private:
    void confirm();

    FormatTemplate copy_;
    QRadioButton* bachelor_;
    QRadioButton* master_;
};

}  // namespace quillmark::gui
