// Under a virtual X display, with the engine's windows on it: the main window
// after "检测所有" on the sample thesis, and the whole screen after a jump to
// a finding, saved as PNGs in the build folder for a person to look at. The
// engine's document window is mapped only between a jump and "隐藏文档".
#include "GuiTestSupport.h"
#include "gui/MainWindow.h"
#include "gui/TemplateSettingsDialog.h"
#include "shell/Fakes.h"

#include <QAbstractButton>
#include <QApplication>
#include <QListWidget>
#include <QProcess>
#include <QRegularExpression>
#include <QTimer>
#include <QScreen>
#include <QPixmap>
#include <QTableView>
#include <QTest>

#include <filesystem>

namespace quillmark {

namespace {

QString xwininfo(const QStringList& arguments) {
    QProcess program;
    program.start(QStringLiteral("xwininfo"), arguments);
    if (!program.waitForFinished(10000)) return {};
    return QString::fromUtf8(program.readAllStandardOutput());
}

// The names of the display's mapped top-level windows that belong to the
// engine (or show the thesis).
QStringList mappedEngineWindows() {
    QStringList mapped;
    static const QRegularExpression child(QStringLiteral("^\\s+(0x[0-9a-f]+) \"([^\"]*)\""));
    for (const QString& line : xwininfo({QStringLiteral("-root"), QStringLiteral("-children")}).split('\n')) {
        const QRegularExpressionMatch match = child.match(line);
        if (!match.hasMatch()) continue;
        const QString name = match.captured(2);
        if (!name.contains(QStringLiteral("LibreOffice")) && !name.contains(QStringLiteral("bachelor-thesis"))) continue;
        if (xwininfo({QStringLiteral("-id"), match.captured(1)}).contains(QStringLiteral("Map State: IsViewable"))) {
            mapped << name;
        }
    }
    return mapped;
}

}  // namespace

class ScreenshotTest : public QObject {
    Q_OBJECT

private slots:
    void theWindowAfterACheckRun();
    void theSettingsDialogFilledFromAModel();
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
    QTRY_VERIFY_WITH_TIMEOUT(window.shell().documents().size() == 1 &&
                                 !window.shell().documents().at(0)->wordDocument().IsNull(),
                             120000);
    QCOMPARE(mappedEngineWindows(), QStringList{});
    window.checkAll();
    QVERIFY(window.shell().runInProgress());
    QTRY_VERIFY_WITH_TIMEOUT(!window.shell().runInProgress(), 300000);
    auto* findings = window.findChild<QTableView*>(QStringLiteral("findingsList"));
    QTRY_VERIFY_WITH_TIMEOUT(findings->model()->rowCount() > 0 && window.shell().handOver().pending() == 0, 10000);
    QCOMPARE(mappedEngineWindows(), QStringList{});
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
    QTRY_VERIFY_WITH_TIMEOUT(mappedEngineWindows().size() == 1, 20000);
    QVERIFY2(mappedEngineWindows().constFirst().contains(QStringLiteral("bachelor-thesis")),
             qPrintable(mappedEngineWindows().join('|')));
    QTest::qWait(3000);  // let the editor window draw itself
    const QString screen = QString::fromUtf8(QUILLMARK_EDITOR_SCREENSHOT);
    QVERIFY(QGuiApplication::primaryScreen()->grabWindow(0).save(screen, "PNG"));
    window.hideEditor();
    QVERIFY(!engine->Visible());
    QTRY_COMPARE_WITH_TIMEOUT(mappedEngineWindows(), QStringList{}, 20000);
    QVERIFY(messages.texts().empty());
    window.close();
}

// The settings dialog as "从范文生成模板…" fills it from a real university's
// model document (kept outside the project; skipped where it is missing).
void ScreenshotTest::theSettingsDialogFilledFromAModel() {
    const QString model = QString::fromUtf8(QUILLMARK_REAL_MODEL);
    if (!QFile::exists(model)) QSKIP("the real model document is not on this machine");
    currentTemplate().thesisType = kMasterThesis;  // the model is a master's thesis template
    testing::TempFolder work;
    testing::RecordingMessages messages;
    testing::ScriptedDialogs dialogs;
    gui::MainWindow window(gui::MainWindow::Options{&messages, &dialogs, work.path()});
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    dialogs.answerModel(model);

    const QString path = QString::fromUtf8(QUILLMARK_DERIVED_SCREENSHOT);
    std::filesystem::remove(path.toStdString());
    bool saved = false;
    QTimer poll;
    poll.setInterval(100);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<gui::TemplateSettingsDialog*>(widget);
            if (dialog == nullptr || !dialog->isVisible()) continue;
            poll.stop();
            dialog->tabs()->setCurrentIndex(6);  // the body text page
            QTest::qWait(300);
            saved = dialog->grab().save(path, "PNG");
            dialog->findChild<QAbstractButton*>(QStringLiteral("cancelButton"))->click();
            return;
        }
    });
    poll.start();
    window.deriveTemplate();
    QTRY_VERIFY_WITH_TIMEOUT(saved && !window.deriving(), 300000);
    QVERIFY(std::filesystem::file_size(path.toStdString()) > 10000);
    QCOMPARE(window.statusParts().text(0), QStringLiteral("Norvale(硕士论文检测)"));
    window.close();
    currentTemplate() = FormatTemplate{};
}

}  // namespace quillmark

QTEST_MAIN(quillmark::ScreenshotTest)
#include "ScreenshotTest.moc"
