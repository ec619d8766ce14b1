#pragma once

#include <QDialog>

namespace quillmark::gui {

// "关于 Quillmark": the program's icon, its name and version, and "确定".
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);
};

}  // namespace quillmark::gui
