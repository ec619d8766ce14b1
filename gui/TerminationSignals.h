#pragma once

#include <QObject>

class QSocketNotifier;

namespace quillmark::gui {

// Turns SIGTERM, SIGINT and SIGHUP (a session that ends, Ctrl+C in the
// terminal) into a signal on the user-interface thread, so the program closes
// its window the same way as through the close box: the engine shut down and
// the working copies deleted.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

signals:
    void received();

private:
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace quillmark::gui
