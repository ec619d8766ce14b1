#include "MainWindowTemplateTest.h"
#include "TemplateSettingsDialogTest.h"
#include "gui/SharedFonts.h"

#include <QApplication>
#include <QTest>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    quillmark::gui::shareEngineFonts();
    QApplication app(argc, argv);
    int failures = 0;
    {
        TemplateSettingsDialogTest dialogTest;
        failures += QTest::qExec(&dialogTest, argc, argv);
    }
    {
        MainWindowTemplateTest windowTest;
        failures += QTest::qExec(&windowTest, argc, argv);
    }
    return failures;
}
