#pragma once

#include "shell/StatusSink.h"

#include <QObject>
#include <QString>

#include <array>

class QLabel;
class QStatusBar;

namespace quillmark::gui {

// The four parts of the main window's status bar: the thesis-type title,
// progress and completion, the part under check, and the spare part.
// Written on the user-interface thread only (worker threads reach it
// through the shell's hand-over).
class StatusBarParts : public QObject, public StatusSink {
    Q_OBJECT
public:
    static constexpr int kParts = 4;

    explicit StatusBarParts(QStatusBar* bar);

    void setPart(int part, const std::string& text) override;
    QString text(int part) const;

signals:
    // Every write, also one that leaves the text as it was.
    void partWritten(int part, const QString& text);

private:
    std::array<QLabel*, kParts> labels_{};
};

}  // namespace quillmark::gui
