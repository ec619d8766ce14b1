#pragma once

#include "template/FormatTemplate.h"

#include <QWidget>

namespace quillmark::gui {

// One page of the template settings: shows the values of its own template
// members and reads them back; members it does not show stay untouched.
class TemplatePage : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

    virtual QString tabTitle() const = 0;
    virtual void showTemplate(const FormatTemplate& tmpl) = 0;
    virtual void readTemplate(FormatTemplate& tmpl) const = 0;
};

}  // namespace quillmark::gui
