#include "gui/StatusBarParts.h"

#include <QLabel>
#include <QStatusBar>

namespace quillmark::gui {

namespace {

// Widths of parts 0 to 2 in pixels; part 3 takes the rest of the bar.
constexpr std::array<int, 3> kWidths = {180, 170, 150};

}  // namespace

StatusBarParts::StatusBarParts(QStatusBar* bar) {
    for (int part = 0; part < kParts; ++part) {
        auto* label = new QLabel(bar);
        label->setObjectName(QStringLiteral("statusPart%1").arg(part));
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        if (part < static_cast<int>(kWidths.size())) {
            label->setFixedWidth(kWidths[static_cast<std::size_t>(part)]);
            bar->addWidget(label);
        } else {
            bar->addWidget(label, 1);
        }
        labels_[static_cast<std::size_t>(part)] = label;
    }
}

void StatusBarParts::setPart(int part, const std::string& text) {
    if (part < 0 || part >= kParts) return;
    const QString shown = QString::fromStdString(text);
    labels_[static_cast<std::size_t>(part)]->setText(shown);
    emit partWritten(part, shown);
}

QString StatusBarParts::text(int part) const {
    if (part < 0 || part >= kParts) return {};
    return labels_[static_cast<std::size_t>(part)]->text();
}

}  // namespace quillmark::gui
