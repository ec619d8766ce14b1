#pragma once

#include <QDialog>

namespace quillmark::gui {

// "使用说明": the six lines of usage help and an OK button.
class UsageHelpDialog : public QDialog {
    Q_OBJECT
public:
    explicit UsageHelpDialog(QWidget* parent = nullptr);
};

}  // namespace quillmark::gui
