#include "MainWindowTemplateTest.h"

#include "GuiTestSupport.h"
#include "SettingsTestMessages.h"
#include "gui/MainWindow.h"
#include "gui/StatusBarParts.h"
#include "gui/TemplateSettingsDialog.h"
#include "gui/templatesettings/SettingsList.h"
#include "gui/templatesettings/SettingsTexts.h"
#include "gui/templatesettings/TemplatePage.h"
#include "shell/ShellTexts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <chrono>
#include <functional>
#include <future>

using namespace quillmark;
using namespace quillmark::gui;

namespace {

// Runs `act` on the settings dialog once the window's command has opened it.
void whenDialogOpens(std::function<void(TemplateSettingsDialog&)> act, bool& seen) {
    QTimer::singleShot(0, [act = std::move(act), &seen] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<TemplateSettingsDialog*>(widget);
            if (dialog != nullptr && dialog->isVisible()) {
                seen = true;
                act(*dialog);
                return;
            }
        }
    });
}

void press(TemplateSettingsDialog& dialog, const char* name) {
    dialog.findChild<QAbstractButton*>(QString::fromLatin1(name))->click();
}

SettingsList* heading1Size(TemplateSettingsDialog& dialog) {
    return dialog.pages().at(6)->findChild<SettingsList*>(QStringLiteral("list1061"));
}

// Acts on the settings dialog once it shows, polling: the window opens it
// from a queued call, in a nested event loop.
class DialogWatch : public QObject {
public:
    explicit DialogWatch(std::function<void(TemplateSettingsDialog&)> act) : act_(std::move(act)) {
        timer_.setInterval(50);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                auto* dialog = qobject_cast<TemplateSettingsDialog*>(widget);
                if (dialog == nullptr || !dialog->isVisible()) continue;
                timer_.stop();
                seen = true;
                act_(*dialog);
                return;
            }
        });
        timer_.start();
    }
    bool seen = false;

private:
    std::function<void(TemplateSettingsDialog&)> act_;
    QTimer timer_;
};

struct WindowFixture {
    WindowFixture() : window(MainWindow::Options{&messages, nullptr, work.path().toStdString()}) {
        currentTemplate() = FormatTemplate{};
    }
    ~WindowFixture() { currentTemplate() = FormatTemplate{}; }

    QTemporaryDir work;
    RecordingMessages messages;
    MainWindow window;
};

}  // namespace

void MainWindowTemplateTest::masterThesisTypeUpdatesStatusTitle() {
    WindowFixture fixture;
    QCOMPARE(fixture.window.statusParts().text(0), QStringLiteral("Norvale(学士论文检测)"));

    bool seen = false;
    whenDialogOpens(
        [](TemplateSettingsDialog& dialog) {
            dialog.findChild<QRadioButton*>("masterRadio")->click();
            heading1Size(dialog)->setCurrentIndex(heading1Size(dialog)->findText("小四"));
            press(dialog, "confirmButton");
        },
        seen);
    fixture.window.templateSettings();
    QVERIFY(seen);
    QCOMPARE(fixture.window.statusParts().text(0), QStringLiteral("Norvale(硕士论文检测)"));
    QCOMPARE(currentTemplate().thesisType, int(kMasterThesis));
    QCOMPARE(currentTemplate().heading1Size, 12.0f);  // what the next run reads
    QVERIFY(fixture.messages.shown.empty());

    bool masterShown = false;
    seen = false;
    whenDialogOpens(
        [&masterShown](TemplateSettingsDialog& dialog) {
            masterShown = dialog.findChild<QRadioButton*>("masterRadio")->isChecked();
            QCOMPARE(heading1Size(dialog)->currentText(), QStringLiteral("小四"));
            press(dialog, "cancelButton");
        },
        seen);
    fixture.window.templateSettings();
    QVERIFY(seen);
    QVERIFY(masterShown);
}

void MainWindowTemplateTest::cancelKeepsTitleAndTemplate() {
    WindowFixture fixture;
    bool seen = false;
    whenDialogOpens(
        [](TemplateSettingsDialog& dialog) {
            dialog.findChild<QRadioButton*>("masterRadio")->click();
            heading1Size(dialog)->setCurrentIndex(0);
            dialog.close();  // the close box
        },
        seen);
    fixture.window.templateSettings();
    QVERIFY(seen);
    QVERIFY(currentTemplate() == FormatTemplate{});
    QCOMPARE(fixture.window.statusParts().text(0), QStringLiteral("Norvale(学士论文检测)"));
}

void MainWindowTemplateTest::confirmDuringRunWaitsForTheRunToEnd() {
    WindowFixture fixture;
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    fixture.window.shell().setCheckBody(CheckKind::Cover, [released](const CheckContext&, CheckMode) {
        released.wait_for(std::chrono::seconds(30));
    });
    QCOMPARE(fixture.window.shell().runs().start({CheckKind::Cover}, CheckContext{}, nullptr),
             RunController::StartResult::Started);
    QVERIFY(fixture.window.shell().runInProgress());

    bool seen = false;
    whenDialogOpens(
        [](TemplateSettingsDialog& dialog) {
            heading1Size(dialog)->setCurrentIndex(heading1Size(dialog)->findText("小四"));
            press(dialog, "confirmButton");
        },
        seen);
    fixture.window.templateSettings();
    QVERIFY(seen);
    QCOMPARE(fixture.messages.shown, std::vector<std::string>{quillmark::gui::texts::kTemplateWaitsForRun});
    QCOMPARE(currentTemplate().heading1Size, 16.0f);  // the running check still reads the old template

    release.set_value();
    QTRY_VERIFY_WITH_TIMEOUT(!fixture.window.shell().runInProgress(), 30000);
    QTRY_COMPARE_WITH_TIMEOUT(currentTemplate().heading1Size, 12.0f, 30000);
}

namespace {

struct DeriveFixture {
    DeriveFixture() : window(MainWindow::Options{&messages, &dialogs, work.path().toStdString()}) {
        currentTemplate() = FormatTemplate{};
    }
    ~DeriveFixture() { currentTemplate() = FormatTemplate{}; }

    QTemporaryDir work;
    RecordingMessages messages;
    testing::ScriptedDialogs dialogs;
    MainWindow window;
};

}  // namespace

void MainWindowTemplateTest::derivedTemplateFillsTheDialogAndConfirmMakesItCurrent() {
    DeriveFixture fixture;
    currentTemplate().thesisType = kMasterThesis;
    currentTemplate().checkBody = 0;  // the base of what is not found, and of the check items
    fixture.dialogs.answerModel(QString::fromUtf8(QUILLMARK_SAMPLE_THESIS));
    FormatTemplate shown;
    bool masterShown = false;
    DialogWatch watch([&](TemplateSettingsDialog& dialog) {
        shown = dialog.shownValues();
        masterShown = dialog.findChild<QRadioButton*>("masterRadio")->isChecked();
        press(dialog, "confirmButton");
    });
    fixture.window.deriveTemplate();
    QVERIFY(fixture.window.deriving());
    QCOMPARE(fixture.window.statusParts().text(2), QStringLiteral("正在从范文生成模板"));
    fixture.window.deriveTemplate();  // refused while one derivation runs
    QCOMPARE(fixture.messages.shown, std::vector<std::string>{quillmark::texts::kRunInProgress});
    QTRY_VERIFY_WITH_TIMEOUT(watch.seen && !fixture.window.deriving(), 300000);
    QVERIFY(masterShown);
    QCOMPARE(shown.checkBody, 0);
    QVERIFY(currentTemplate() == shown);
    QVERIFY(!(shown == FormatTemplate{}));
    QCOMPARE(fixture.window.statusParts().text(0), QStringLiteral("Norvale(硕士论文检测)"));
    QCOMPARE(fixture.window.statusParts().text(2), QString());
    // The sample has no master covers: their members are listed as kept.
    QVERIFY(fixture.messages.shown.size() == 2);
    QVERIFY(fixture.messages.shown[1].find("未找到硕士外封面学位论文字样，沿用当前模板的值") != std::string::npos);
}

void MainWindowTemplateTest::deriveIsRefusedWhileACheckRuns() {
    DeriveFixture fixture;
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    fixture.window.shell().setCheckBody(CheckKind::Cover, [released](const CheckContext&, CheckMode) {
        released.wait_for(std::chrono::seconds(30));
    });
    QCOMPARE(fixture.window.shell().runs().start({CheckKind::Cover}, CheckContext{}, nullptr),
             RunController::StartResult::Started);
    fixture.dialogs.answerModel(QString::fromUtf8(QUILLMARK_SAMPLE_THESIS));
    fixture.window.deriveTemplate();
    QVERIFY(!fixture.window.deriving());
    QCOMPARE(fixture.dialogs.asked(), 0);
    QCOMPARE(fixture.messages.shown, std::vector<std::string>{quillmark::texts::kRunInProgress});
    release.set_value();
    QTRY_VERIFY_WITH_TIMEOUT(!fixture.window.shell().runInProgress(), 30000);
}
