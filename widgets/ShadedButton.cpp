#include "widgets/ShadedButton.h"

#include <QLinearGradient>
#include <QPainter>
#include <QStyleOptionButton>

namespace quillmark::widgets {

ShadedButton::ShadedButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {
    setAutoDefault(false);
    setDefault(false);
    setMinimumHeight(26);
}

void ShadedButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF frame = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);

    QColor top(250, 246, 252);
    QColor bottom(222, 206, 232);
    if (!isEnabled()) {
        top = bottom = QColor(236, 236, 236);
    } else if (isDown()) {
        std::swap(top, bottom);
    } else if (underMouse()) {
        top = QColor(255, 252, 255);
        bottom = QColor(232, 190, 238);
    }
    QLinearGradient shading(frame.topLeft(), frame.bottomLeft());
    shading.setColorAt(0, top);
    shading.setColorAt(1, bottom);
    painter.setBrush(shading);
    painter.setPen(QPen(hasFocus() ? QColor(138, 47, 147) : QColor(160, 140, 170), 1));
    painter.drawRoundedRect(frame, 3, 3);

    painter.setPen(isEnabled() ? palette().color(QPalette::ButtonText) : QColor(150, 150, 150));
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextShowMnemonic, text());
}

}  // namespace quillmark::widgets
