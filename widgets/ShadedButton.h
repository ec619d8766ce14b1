#pragma once

#include <QPushButton>

namespace quillmark::widgets {

// A push button drawn with a soft vertical shading and a flat frame, the look
// of every button of the main window and its pages.
class ShadedButton : public QPushButton {
    Q_OBJECT
public:
    explicit ShadedButton(const QString& text, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace quillmark::widgets
