// The program's lifetime and its automation server on a private session bus
// (the test runs under dbus-run-session with the build tree's service
// folder): holds and releases, a client that leaves, closing the window while
// a client holds the program, and the program started by bus activation.
#include "gui/AutomationServer.h"
#include "gui/MainWindow.h"
#include "gui/ProgramLifetime.h"
#include "shell/Fakes.h"
#include "shell/WorkingFolder.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusReply>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace quillmark {

using gui::AutomationServer;
using gui::ProgramLifetime;

namespace {

const QString kService = QString::fromLatin1(gui::kAutomationService);
const QString kPath = QString::fromLatin1(gui::kAutomationPath);
const QString kInterface = QString::fromLatin1(gui::kAutomationInterface);

bool alive(qint64 pid) { return pid > 0 && ::kill(static_cast<pid_t>(pid), 0) == 0; }

// True while the engine of the program `pid` runs (its profile folder,
// named after the program, is on its command line).
bool engineRunsBelow(qint64 pid) {
    const std::string mark = "quillmark-engine-" + std::to_string(pid) + ".";
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator("/proc", ec)) {
        std::ifstream in(entry.path() / "cmdline", std::ios::binary);
        const std::string commandLine((std::istreambuf_iterator<char>(in)), {});
        if (commandLine.find(mark) != std::string::npos) return true;
    }
    return false;
}

// The entries of the working folders' parent that belong to the process
// (its own folder is named by its pid and start time).
QStringList workingFoldersOf(qint64 pid, const std::filesystem::path& cache) {
    QStringList found;
    std::error_code ec;
    const std::filesystem::path parent = cache / "quillmark" / kWorkingFolderName;
    for (const auto& entry : std::filesystem::directory_iterator(parent, ec)) {
        const QString name = QString::fromStdString(entry.path().filename().string());
        if (name.startsWith(QString::number(pid) + QLatin1Char('.'))) found << name;
    }
    return found;
}

// Waits for the answer with the event loop running, so that a server in
// this same process can answer. (No introspection first: that call would
// block without the event loop.)
QDBusMessage call(QDBusConnection bus, const char* method) {
    QDBusMessage message = QDBusMessage::createMethodCall(kService, kPath, kInterface, QString::fromLatin1(method));
    return bus.call(message, QDBus::BlockWithGui);
}

}  // namespace

class AutomationTest : public QObject {
    Q_OBJECT

private slots:
    void withoutClientsClosingTheWindowEndsTheProgram();
    void aHoldLastsUntilItsRelease();
    void aClientThatLeavesTheBusLetsGo();
    void closingTheWindowWhileHeldOnlyHidesIt();
    void theBusStartsTheProgramForAClient();
    void aSessionEndedBySigtermLeavesNoWorkingFolder();
    void withoutABusTheProgramSaysSoOnceAndRuns();
};

void AutomationTest::withoutClientsClosingTheWindowEndsTheProgram() {
    ProgramLifetime lifetime;
    QSignalSpy ended(&lifetime, &ProgramLifetime::endRequested);
    QVERIFY(!lifetime.release(QStringLiteral(":1.5")));  // holds nothing
    lifetime.windowClosed();
    QCOMPARE(ended.count(), 1);
}

void AutomationTest::aHoldLastsUntilItsRelease() {
    ProgramLifetime lifetime;
    QSignalSpy ended(&lifetime, &ProgramLifetime::endRequested);
    lifetime.hold(QStringLiteral(":1.5"));
    lifetime.hold(QStringLiteral(":1.5"));
    lifetime.hold(QStringLiteral(":1.6"));
    lifetime.windowClosed();
    QVERIFY(lifetime.release(QStringLiteral(":1.5")));
    lifetime.clientLeft(QStringLiteral(":1.6"));
    QCOMPARE(ended.count(), 0);  // :1.5 still holds once
    QVERIFY(lifetime.release(QStringLiteral(":1.5")));
    QCOMPARE(ended.count(), 1);
    QVERIFY(!lifetime.held());
}

void AutomationTest::aClientThatLeavesTheBusLetsGo() {
    ProgramLifetime lifetime;
    AutomationServer server(lifetime, QDBusConnection::sessionBus());
    QVERIFY2(server.start(), qPrintable(server.error()));
    QSignalSpy ended(&lifetime, &ProgramLifetime::endRequested);

    {
        QDBusConnection client = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("leaving"));
        QDBusMessage reply = call(client, "Hold");
        QCOMPARE(reply.type(), QDBusMessage::ReplyMessage);
        QTRY_VERIFY(lifetime.held());
        lifetime.windowClosed();
        QCOMPARE(ended.count(), 0);
    }
    QDBusConnection::disconnectFromBus(QStringLiteral("leaving"));
    QTRY_COMPARE(ended.count(), 1);
    QVERIFY(!lifetime.held());

    // The object has no other members.
    QDBusConnection other = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("asking"));
    QCOMPARE(call(other, "Quit").type(), QDBusMessage::ErrorMessage);
    QDBusConnection::disconnectFromBus(QStringLiteral("asking"));
    QDBusConnection::sessionBus().unregisterService(kService);
    QDBusConnection::sessionBus().unregisterObject(kPath);
}

void AutomationTest::closingTheWindowWhileHeldOnlyHidesIt() {
    testing::TempFolder work;
    ProgramLifetime lifetime;
    AutomationServer server(lifetime, QDBusConnection::sessionBus());
    QVERIFY2(server.start(), qPrintable(server.error()));
    testing::RecordingMessages messages;
    gui::MainWindow window(gui::MainWindow::Options{&messages, nullptr, work.path()});
    connect(&window, &gui::MainWindow::closed, &lifetime, &ProgramLifetime::windowClosed);
    QSignalSpy ended(&lifetime, &ProgramLifetime::endRequested);
    window.show();

    QDBusConnection client = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("holding"));
    QCOMPARE(call(client, "Hold").type(), QDBusMessage::ReplyMessage);
    QTRY_VERIFY(lifetime.held());

    window.close();
    QVERIFY(!window.isVisible());
    QVERIFY(window.closedForGood());
    QTest::qWait(200);
    QCOMPARE(ended.count(), 0);  // the client still holds the program

    QCOMPARE(call(client, "Release").type(), QDBusMessage::ReplyMessage);
    QTRY_COMPARE(ended.count(), 1);
    QDBusConnection::disconnectFromBus(QStringLiteral("holding"));
    QDBusConnection::sessionBus().unregisterService(kService);
    QDBusConnection::sessionBus().unregisterObject(kPath);
}

void AutomationTest::theBusStartsTheProgramForAClient() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    QVERIFY(!bus.interface()->isServiceRegistered(kService).value());
    QDBusConnection client = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("starter"));
    // The call starts the program through the service file, then holds it.
    QDBusMessage reply = call(client, "Hold");
    QVERIFY2(reply.type() == QDBusMessage::ReplyMessage, qPrintable(reply.errorMessage()));
    const qint64 pid = bus.interface()->servicePid(kService).value();
    QVERIFY(alive(pid));
    QTRY_COMPARE(workingFoldersOf(pid, userCacheDirectory()).size(), 1);

    // Asked to end (as a session does), it closes its window but lives on for the client.
    ::kill(static_cast<pid_t>(pid), SIGTERM);
    QTest::qWait(1500);
    QVERIFY(alive(pid));
    QVERIFY(bus.interface()->isServiceRegistered(kService).value());

    QCOMPARE(call(client, "Release").type(), QDBusMessage::ReplyMessage);
    QTRY_VERIFY_WITH_TIMEOUT(!bus.interface()->isServiceRegistered(kService).value(), 30000);
    QTRY_VERIFY_WITH_TIMEOUT(!alive(pid), 30000);
    QCOMPARE(workingFoldersOf(pid, userCacheDirectory()), QStringList{});
    QDBusConnection::disconnectFromBus(QStringLiteral("starter"));
}

void AutomationTest::aSessionEndedBySigtermLeavesNoWorkingFolder() {
    testing::TempFolder cache;
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CACHE_HOME"), QString::fromStdString(cache.path().string()));
    program.setProcessEnvironment(environment);
    program.start(QString::fromLatin1(QUILLMARK_GUI_BINARY), {QString::fromUtf8(QUILLMARK_SAMPLE_THESIS)});
    QVERIFY(program.waitForStarted());
    // The copy is made and the engine runs.
    const auto copyMade = [&] {
        std::error_code ec;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(cache.path(), ec)) {
            if (entry.path().filename() == "bachelor-thesis.doc") return true;
        }
        return false;
    };
    QTRY_VERIFY_WITH_TIMEOUT(copyMade() && engineRunsBelow(program.processId()), 120000);
    QCOMPARE(workingFoldersOf(program.processId(), cache.path()).size(), 1);

    const qint64 pid = program.processId();
    program.terminate();
    QVERIFY(program.waitForFinished(60000));
    QCOMPARE(program.exitCode(), 0);
    QCOMPARE(workingFoldersOf(pid, cache.path()), QStringList{});
}

void AutomationTest::withoutABusTheProgramSaysSoOnceAndRuns() {
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QStringLiteral("unix:path=/nonexistent/bus"));
    environment.remove(QStringLiteral("DISPLAY"));
    program.setProcessEnvironment(environment);
    program.start(QString::fromLatin1(QUILLMARK_GUI_BINARY), {});
    QVERIFY(program.waitForStarted());
    QTest::qWait(1500);
    QCOMPARE(program.state(), QProcess::Running);
    program.terminate();  // closes the window like the close box; nobody holds it
    QVERIFY(program.waitForFinished(30000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
    const QString errors = QString::fromLocal8Bit(program.readAllStandardError());
    QCOMPARE(errors.count(QStringLiteral("running without the automation server")), 1);
}

}  // namespace quillmark

QTEST_MAIN(quillmark::AutomationTest)
#include "AutomationTest.moc"
