#include "gui/AutomationServer.h"

#include "gui/ProgramLifetime.h"

#include <QDBusConnectionInterface>
#include <QDBusError>
#include <QDBusServiceWatcher>

namespace quillmark::gui {

AutomationServer::AutomationServer(ProgramLifetime& lifetime, QDBusConnection bus, QObject* parent)
    : QObject(parent), lifetime_(lifetime), bus_(std::move(bus)) {
    watcher_ = new QDBusServiceWatcher(this);
    watcher_->setConnection(bus_);
    watcher_->setWatchMode(QDBusServiceWatcher::WatchForUnregistration);
    connect(watcher_, &QDBusServiceWatcher::serviceUnregistered, &lifetime_, &ProgramLifetime::clientLeft);
    connect(&lifetime_, &ProgramLifetime::clientHolding, watcher_, &QDBusServiceWatcher::addWatchedService);
    connect(&lifetime_, &ProgramLifetime::clientReleased, watcher_,
            [this](const QString& client) { watcher_->removeWatchedService(client); });
}

bool AutomationServer::start() {
    if (!bus_.isConnected()) {
        error_ = bus_.lastError().message();
        if (error_.isEmpty()) error_ = QStringLiteral("no session bus");
        return false;
    }
    if (!bus_.registerObject(QString::fromLatin1(kAutomationPath), this, QDBusConnection::ExportAllSlots)) {
        error_ = QStringLiteral("the automation object is already registered");
        return false;
    }
    const auto reply = bus_.interface()->registerService(QString::fromLatin1(kAutomationService),
                                                         QDBusConnectionInterface::DontQueueService,
                                                         QDBusConnectionInterface::DontAllowReplacement);
    if (!reply.isValid() || reply.value() != QDBusConnectionInterface::ServiceRegistered) {
        error_ = reply.isValid() ? QStringLiteral("the name %1 belongs to another program")
                                       .arg(QString::fromLatin1(kAutomationService))
                                 : reply.error().message();
        bus_.unregisterObject(QString::fromLatin1(kAutomationPath));
        return false;
    }
    return true;
}

void AutomationServer::Hold() {
    if (!calledFromDBus()) return;
    const QString client = message().service();
    lifetime_.hold(client);
    // A client that left before its hold was watched lets go at once.
    if (!bus_.interface()->isServiceRegistered(client).value()) lifetime_.clientLeft(client);
}

void AutomationServer::Release() {
    if (calledFromDBus()) lifetime_.release(message().service());
}

}  // namespace quillmark::gui
