#pragma once

#include <QDBusConnection>
#include <QDBusContext>
#include <QObject>

class QDBusServiceWatcher;

namespace quillmark::gui {

class ProgramLifetime;

inline constexpr const char* kAutomationService = "org.quillmark.Application";
inline constexpr const char* kAutomationPath = "/org/quillmark/Application";
inline constexpr const char* kAutomationInterface = "org.quillmark.Application";

// The program's automation object on the session bus. Its only effect is the
// program's lifetime: a client that calls Hold() keeps the program alive
// until it calls Release() or leaves the bus.
class AutomationServer : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.quillmark.Application")
public:
    AutomationServer(ProgramLifetime& lifetime, QDBusConnection bus, QObject* parent = nullptr);

    // Exports the object and takes the well-known name. False (with the
    // reason in error()) when there is no bus or the name is taken.
    bool start();
    QString error() const { return error_; }

public slots:
    void Hold();
    void Release();

private:
    ProgramLifetime& lifetime_;
    QDBusConnection bus_;
    QDBusServiceWatcher* watcher_ = nullptr;
    QString error_;
};

}  // namespace quillmark::gui
