// quillmark-gui: the desktop program. Opens the theses given on the command
// line; "--automation" or "-Embedding" is how the session bus starts it for
// an automation client (the server is offered either way when a bus exists).
#include "gui/AutomationServer.h"
#include "gui/MainWindow.h"
#include "gui/ProgramLifetime.h"
#include "gui/QtTranslations.h"
#include "gui/SharedFonts.h"
#include "gui/TerminationSignals.h"
#include "shell/WorkingFolder.h"
#include "widgets/Icons.h"
#include "word/Engine.h"

#include <QApplication>
#include <QDBusConnection>
#include <QStringList>
#include <QTimer>

#include <cstdio>

namespace {

bool isServerOption(const QString& argument) {
    QString option = argument;
    while (option.startsWith(QLatin1Char('-')) || option.startsWith(QLatin1Char('/'))) option.remove(0, 1);
    return option.compare(QLatin1String("automation"), Qt::CaseInsensitive) == 0 ||
           option.compare(QLatin1String("embedding"), Qt::CaseInsensitive) == 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    quillmark::gui::shareEngineFonts();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("quillmark"));
    QApplication::setApplicationDisplayName(QStringLiteral("Quillmark"));
    QApplication::setApplicationVersion(QStringLiteral(QUILLMARK_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("quillmark"));
    QApplication::setWindowIcon(quillmark::widgets::svgIcon(QStringLiteral("quillmark")));
    quillmark::gui::installQtTranslations(app);
    // The program ends when the window has closed and no automation client holds it.
    QApplication::setQuitOnLastWindowClosed(false);

    QStringList files;
    const QStringList arguments = QApplication::arguments().mid(1);
    for (const QString& argument : arguments) {
        if (!isServerOption(argument)) files << argument;
    }

    quillmark::gui::ProgramLifetime lifetime;
    quillmark::gui::AutomationServer server(lifetime, QDBusConnection::sessionBus());
    if (!server.start()) {
        std::fprintf(stderr, "quillmark-gui: running without the automation server: %s\n",
                     server.error().toLocal8Bit().constData());
    }

    int exitCode = 0;
    {
        quillmark::gui::MainWindow window;
        quillmark::gui::TerminationSignals terminations;
        QObject::connect(&terminations, &quillmark::gui::TerminationSignals::received, &window, &QWidget::close);
        QObject::connect(&window, &quillmark::gui::MainWindow::closed, &lifetime,
                         &quillmark::gui::ProgramLifetime::windowClosed);
        QObject::connect(&lifetime, &quillmark::gui::ProgramLifetime::endRequested, &app, &QApplication::quit,
                         Qt::QueuedConnection);
        window.show();
        if (!files.isEmpty()) QTimer::singleShot(0, &window, [&window, files] { window.openFiles(files); });
        exitCode = QApplication::exec();
    }
    word::Engine::instance().shutDown();
    // The copies went with the window; their folder goes however the program
    // ended (the window closed, a signal, the last automation client's release).
    quillmark::removeWorkingFolder();
    return exitCode;
}
