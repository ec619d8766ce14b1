// Under a virtual X display, with the engine's windows on it: the main window
// after "检测所有" on the sample thesis, and the whole screen after a jump to
// a finding, saved as PNGs in the build folder for a person to look at.
#include "gui/MainWindow.h"
#include "shell/Fakes.h"

#include <QListWidget>
#include <QScreen>
#include <QPixmap>
#include <QTableView>
#include <QTest>

#include <filesystem>

namespace quillmark {

class ScreenshotTest : public QObject {
    Q_OBJECT

private slots:
    void theWindowAfterACheckRun();
};

void ScreenshotTest::theWindowAfterACheckRun() {
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
    testing::TempFolder work;
    testing::RecordingMessages messages;
    gui::MainWindow window(gui::MainWindow::Options{&messages, nullptr, work.path()});
    window.resize(1100, 760);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    window.openFiles({QString::fromUtf8(QUILLMARK_SAMPLE_THESIS)});
    window.checkAll();
    QVERIFY(window.shell().runInProgress());
    QTRY_VERIFY_WITH_TIMEOUT(!window.shell().runInProgress(), 300000);
    auto* findings = window.findChild<QTableView*>(QStringLiteral("findingsList"));
    QTRY_VERIFY_WITH_TIMEOUT(findings->model()->rowCount() > 0 && window.shell().handOver().pending() == 0, 10000);
    findings->selectRow(0);
    QTest::qWait(300);

    const QString path = QString::fromUtf8(QUILLMARK_SCREENSHOT);
    std::filesystem::remove(path.toStdString());
    const QPixmap shot = window.grab();
    QVERIFY(shot.save(path, "PNG"));
    QVERIFY(std::filesystem::file_size(path.toStdString()) > 10000);
    QVERIFY(messages.texts().empty());

    // The jump shows the engine's own document window at the finding.
    const int position = findings->model()->index(0, 5).data().toInt();
    window.jumpToFinding();
    auto engine = window.shell().documents().application();
    QVERIFY(engine->Visible());
    QCOMPARE(engine->Selection().Start(), static_cast<long>(position));
    QTest::qWait(3000);  // let the editor window draw itself
    const QString screen = QString::fromUtf8(QUILLMARK_EDITOR_SCREENSHOT);
    QVERIFY(QGuiApplication::primaryScreen()->grabWindow(0).save(screen, "PNG"));
    window.hideEditor();
    QVERIFY(!engine->Visible());
    QVERIFY(messages.texts().empty());
    window.close();
}

}  // namespace quillmark

QTEST_MAIN(quillmark::ScreenshotTest)
#include "ScreenshotTest.moc"
