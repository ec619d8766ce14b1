// Qt's own dialogs speak the program's language: Chinese buttons and labels
// in the file dialogs and message boxes, and the thesis dialog's filters.
#include "gui/FileDialogs.h"
#include "gui/QtTranslations.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

namespace quillmark {

class DialogTextsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void qtSpeaksTheSystemsChineseOrSimplifiedChinese();
    void messageBoxButtonsAreChinese();
    void theThesisDialogOffersBothFormatsFirstInChinese();
};

namespace {

QString q(const char* text) { return QString::fromUtf8(text); }

// Runs `look` on the modal dialog that `open` shows, then dismisses it.
void onModalDialog(const std::function<void(QWidget*)>& look, const std::function<void()>& open) {
    bool seen = false;
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        QVERIFY(dialog != nullptr);
        seen = true;
        look(dialog);
        if (auto* asDialog = qobject_cast<QDialog*>(dialog)) asDialog->reject();
    });
    open();
    QVERIFY(seen);
}

}  // namespace

void DialogTextsTest::initTestCase() {
    // Whatever the machine's locale, the program's own texts are Chinese.
    QVERIFY(gui::installQtTranslations(*QCoreApplication::instance(), QLocale(QLocale::English, QLocale::UnitedStates)));
}

void DialogTextsTest::qtSpeaksTheSystemsChineseOrSimplifiedChinese() {
    QCOMPARE(gui::qtTextsLocale(QLocale(QLocale::English, QLocale::UnitedStates)).name(), QStringLiteral("zh_CN"));
    QCOMPARE(gui::qtTextsLocale(QLocale::c()).name(), QStringLiteral("zh_CN"));
    QCOMPARE(gui::qtTextsLocale(QLocale(QLocale::Chinese, QLocale::Taiwan)).name(), QStringLiteral("zh_TW"));
}

void DialogTextsTest::messageBoxButtonsAreChinese() {
    QMessageBox box(QMessageBox::Information, q("Quillmark"), q("请选择文档！"), QMessageBox::Ok);
    QCOMPARE(box.button(QMessageBox::Ok)->text(), q("确定"));
    QMessageBox question(QMessageBox::Question, q("Quillmark"), q("该部份已经被查过，是否再查找一次"),
                         QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(question.button(QMessageBox::Yes)->text().remove(QLatin1Char('&')), q("是(Y)"));
    QCOMPARE(question.button(QMessageBox::No)->text().remove(QLatin1Char('&')), q("否(N)"));
}

void DialogTextsTest::theThesisDialogOffersBothFormatsFirstInChinese() {
    QStringList filters;
    QString selected;
    QStringList buttons;
    QString lookIn;
    onModalDialog(
        [&](QWidget* dialog) {
            auto* files = qobject_cast<QFileDialog*>(dialog);
            QVERIFY(files != nullptr);
            filters = files->nameFilters();
            selected = files->selectedNameFilter();
            for (QAbstractButton* b : files->findChild<QDialogButtonBox*>()->buttons()) buttons << b->text();
            lookIn = files->findChild<QLabel*>(QStringLiteral("lookInLabel"))->text();
        },
        [] { gui::FileDialogs().chooseTheses(nullptr); });
    QCOMPARE(filters, (QStringList{q("Word 文档 (*.doc *.docx)"), q("1997-2003 文档 (*.doc)"), q("Word 文档 (*.docx)")}));
    QCOMPARE(selected, filters.value(0));
    QCOMPARE(buttons, (QStringList{q("打开(&O)"), q("取消")}));
    QCOMPARE(lookIn, q("查找范围："));
}

}  // namespace quillmark

QTEST_MAIN(quillmark::DialogTextsTest)
#include "DialogTextsTest.moc"
