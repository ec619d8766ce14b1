#pragma once

#include <QObject>
#include <QString>

#include <map>

namespace quillmark::gui {

// When the program ends: when its main window has closed and no automation
// client holds it. A client holds the program from Hold() until a matching
// Release() or until it leaves the bus; while it does, closing the window
// only hides it.
class ProgramLifetime : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    void hold(const QString& client);
    // False when the client held nothing.
    bool release(const QString& client);
    // The client has left: every hold it had goes.
    void clientLeft(const QString& client);
    void windowClosed();

    bool held() const { return !holds_.empty(); }
    bool windowIsClosed() const { return windowClosed_; }

signals:
    // The program should end now.
    void endRequested();
    // A client's first hold, or its last hold went.
    void clientHolding(const QString& client);
    void clientReleased(const QString& client);

private:
    void endWhenFree();

    std::map<QString, int> holds_;
    bool windowClosed_ = false;
};

}  // namespace quillmark::gui
