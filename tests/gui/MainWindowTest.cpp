// The main window against the real engine: its start, its keys and tabs,
// check runs from the page buttons and "检测所有" with their findings rows,
// pause, continue and stop, every refusal while a run is in progress, the
// jump to a finding, the report, and closing.
#include "GuiTestSupport.h"

#include "checks/CheckHarness.h"
#include "checks/CheckerBodies.h"
#include "gui/CheckPage.h"
#include "gui/MainWindow.h"
#include "shell/CheckKinds.h"
#include "shell/ReportWriter.h"
#include "shell/ShellTexts.h"
#include "shell/Fakes.h"
#include "support/DocBuilder.h"
#include "support/Engine.h"
#include "support/Files.h"
#include "template/Codepage936.h"
#include "word/Engine.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QCheckBox>
#include <QFileDialog>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

#include <csignal>
#include <filesystem>
#include <functional>
#include <fstream>
#include <iterator>

namespace quillmark {

namespace fs = std::filesystem;
using testing::DocBuilder;
using testing::RecordingMessages;
using testing::ScriptedDialogs;
using testing::StatusJournal;
using testing::TempFolder;
using testing::readBytes;

namespace {

constexpr int kRunTimeout = 300000;  // ms; a check of the sample thesis takes seconds

QString q(const char* text) { return QString::fromUtf8(text); }
QString q(const std::string& text) { return QString::fromStdString(text); }

// A row of the findings list in the harness's text form, without the line
// (the list does not show it).
QString rowText(const QAbstractItemModel& model, int row) {
    auto cell = [&](int column) { return model.index(row, column).data().toString(); };
    return cell(2) + "|p" + cell(3) + "|@" + cell(5) + "|" + cell(4);
}

QString findingText(const CheckError& e) {
    return q(e.level) + "|p" + QString::number(e.page) + "|@" + QString::number(e.position) + "|" + q(e.description);
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private:
    TempFolder sources_;
    TempFolder work_;
    TempFolder out_;
    QString abstractThesis_;
    QString sampleThesis_;
    QStringList abstractExpected_;
    QStringList sampleExpected_;

    RecordingMessages messages_;
    ScriptedDialogs dialogs_;
    std::unique_ptr<gui::MainWindow> window_;
    std::unique_ptr<StatusJournal> journal_;

    gui::MainWindow& w() { return *window_; }
    template <typename T>
    T* child(const char* name) {
        T* found = window_->findChild<T*>(QString::fromLatin1(name));
        if (!found) qFatal("no child %s", name);
        return found;
    }
    QListWidget* documents() { return child<QListWidget>("documentList"); }
    QTableView* findings() { return child<QTableView>("findingsList"); }
    QAction* action(const char* name) { return child<QAction>(name); }
    int rows() { return findings()->model()->rowCount(); }
    QString status(int part) { return w().statusParts().text(part); }

    void selectDocument(int index) {
        documents()->clearSelection();
        documents()->item(index)->setSelected(true);
    }
    void selectRow(int row) {
        findings()->clearSelection();
        findings()->selectRow(row);
    }
    std::shared_ptr<ThesisDocument> record(int index) { return w().shell().documents().at(static_cast<std::size_t>(index)); }

    // Waits until the run is over and everything it handed over is shown.
    void waitForRunEnd() {
        QTRY_VERIFY_WITH_TIMEOUT(!w().shell().runInProgress(), kRunTimeout);
        QTRY_VERIFY_WITH_TIMEOUT(w().shell().handOver().pending() == 0, 10000);
        QCoreApplication::processEvents();
    }
    void openThroughDialog(const QString& path) {
        dialogs_.answerTheses({path});
        action("openFileAction")->trigger();
        w().shell().waitForOpenings();
    }
    QStringList shownRows() {
        QStringList shown;
        for (int row = 0; row < rows(); ++row) shown << rowText(*findings()->model(), row);
        return shown;
    }
    QStringList messageTexts() {
        QStringList texts;
        for (const std::string& text : messages_.texts()) texts << q(text);
        return texts;
    }

private slots:
    void initTestCase();
    void aFreshStartShowsTheEmptyWindow();
    void enterLeavesTheWindowOpen();
    void clickingATabShowsItsPage();
    void commandsWithoutASelectionAreRefused();
    void aPageButtonRunAddsItsRowsInOrder();
    void aPartCheckedBeforeIsCheckedAgainOnlyOnYes();
    void jumpingShowsTheFindingAndHidingHidesTheEditor();
    void aRowWhoseFindingIsGoneIsNotFound();
    void theReportIsWrittenBesideTheChosenName();
    void theReportDialogOffersTheThesissOwnFormatFirst();
    void checkAllRunsTheSixChecksInOrder();
    void pauseContinueAndStopDuringCheckAll();
    void everyCommandIsRefusedWhileARunIsInProgress();
    void aDocumentClosedInTheEditorLosesItsRows();
    void droppedFilesAreOpened();
    void aKilledEditorTakesTheDocumentsWithIt();
    void theRealMessageBoxesShowTheTexts();
    void findingsKeepTheirOrderAcrossAMessageBox();
    void theSmallDialogsShowTheirTexts();
    void choosingAMasterThesisChangesTheTitle();
    void escapeClosesTheWindowAndCleansUp();
    void closingDuringARunWaitsForItsEnd();
    void cleanupTestCase();
};

void MainWindowTest::initTestCase() {
    // A Chinese abstract whose heading deviates in size, bold and alignment.
    DocBuilder abstract;
    abstract.paragraph("学位论文原创性声明的一段内容");
    abstract.pageBreak();
    abstract.paragraph("摘要", {.asianFont = "宋体", .size = 14.0f, .bold = false}, {.alignment = 0});
    abstract.blank();
    abstract.paragraph("本文研究了学位论文格式检查的方法。");
    abstract.blank();
    abstract.paragraph({{"关键词：", {.asianFont = "黑体", .size = 14.0f, .bold = true}}, {"格式检查，学位论文", {}}});
    abstractThesis_ = q(abstract.save((sources_ / "摘要论文.doc").string()));

    fs::copy_file(QUILLMARK_SAMPLE_THESIS, sources_ / "bachelor-thesis.doc");
    sampleThesis_ = q((sources_ / "bachelor-thesis.doc").string());

    // What the checkers find in these documents, run directly.
    FormatTemplate defaults;
    for (const CheckError& e : testing::runCheck(CheckKind::CnAbstract, testing::openCopy(abstractThesis_.toStdString()),
                                                 defaults, CheckMode::Check).findings) {
        abstractExpected_ << findingText(e);
    }
    word::Document sample = testing::openCopy(sampleThesis_.toStdString());
    for (CheckKind kind : kCheckAllOrder) {
        if (!checkAvailable(kind)) continue;
        for (const CheckError& e : testing::runCheck(kind, sample, defaults, CheckMode::Check).findings) {
            sampleExpected_ << findingText(e);
        }
    }
    testing::closeAllDocuments();
    QVERIFY(!abstractExpected_.isEmpty());
    QVERIFY(!sampleExpected_.isEmpty());

    window_ = std::make_unique<gui::MainWindow>(gui::MainWindow::Options{&messages_, &dialogs_, work_.path()});
    journal_ = std::make_unique<StatusJournal>(w().statusParts());
    w().show();
    QVERIFY(QTest::qWaitForWindowExposed(&w()));
}

void MainWindowTest::aFreshStartShowsTheEmptyWindow() {
    QStringList labels;
    for (QAction* a : child<QToolBar>("toolbar")->actions()) labels << (a->isSeparator() ? QStringLiteral("|") : a->text());
    QCOMPARE(labels, (QStringList{q("载入模板"), q("从范文生成模板…"), q("打开文件"), q("检测所有"), q("生成报表"), "|", q("模板设置"), "|",
                                  q("帮助"), q("关于"), "|"}));
    QCOMPARE(child<QToolBar>("toolbar")->iconSize(), QSize(32, 32));
    QCOMPARE(child<QToolBar>("toolbar")->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);

    QCOMPARE(documents()->count(), 0);
    QCOMPARE(documents()->viewMode(), QListView::IconMode);
    QCOMPARE(rows(), 0);
    QStringList headings;
    for (int c = 0; c < findings()->model()->columnCount(); ++c) {
        headings << findings()->model()->headerData(c, Qt::Horizontal).toString();
    }
    QCOMPARE(headings, (QStringList{q("序号"), q("文件"), q("等级"), q("页码"), q("问题描述"), q("字符位置")}));
    QCOMPARE(findings()->columnWidth(4), 300);

    auto* pages = child<QTabWidget>("checkPages");
    QCOMPARE(pages->count(), 3);
    QCOMPARE(pages->tabText(0), q("摘要"));
    QCOMPARE(pages->tabText(1), q("正文"));
    QCOMPARE(pages->tabText(2), q("其它"));
    QCOMPARE(pages->currentIndex(), 0);
    QCOMPARE(child<QPushButton>("cnAbstractButton")->text(), q("中文摘要检测"));
    QCOMPARE(child<QPushButton>("referencesButton")->toolTip(), q("检测文献信息是否齐全。"));
    // A check this build has no checker for cannot be started from its button.
    for (CheckKind kind : kCheckAllOrder) {
        QWidget* page = pages->widget(pageOf(kind) == CheckPage::Abstract ? 0 : pageOf(kind) == CheckPage::Text ? 1 : 2);
        QPushButton* button = static_cast<gui::CheckPage*>(page)->button(kind);
        QVERIFY(button);
        QCOMPARE(button->text(), q(checkLabel(kind)));
        QCOMPARE(button->isEnabled(), checkAvailable(kind));
    }

    QVERIFY(child<QRadioButton>("checkModeRadio")->isChecked());
    QCOMPARE(child<QRadioButton>("autoFixRadio")->text(), q("点击自动修改"));
    QVERIFY(child<QPushButton>("pauseButton")->isVisible());
    QVERIFY(!child<QPushButton>("continueButton")->isVisible());
    QCOMPARE(child<QPushButton>("pauseButton")->text(), q("暂  停"));
    QCOMPARE(child<QPushButton>("continueButton")->text(), q(" 继  续"));
    QCOMPARE(child<QPushButton>("stopButton")->text(), q(" 停  止"));
    QCOMPARE(status(0), q("Norvale(学士论文检测)"));
    QVERIFY(!w().shell().documents().application());  // no engine before the first thesis
}

void MainWindowTest::enterLeavesTheWindowOpen() {
    child<QPushButton>("clearListButton")->setFocus();
    QTest::keyClick(&w(), Qt::Key_Return);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
    QVERIFY(w().isVisible());
    QVERIFY(!w().closedForGood());
    QVERIFY(messages_.texts().empty());  // Enter did not press the button either
}

void MainWindowTest::clickingATabShowsItsPage() {
    auto* pages = child<QTabWidget>("checkPages");
    QWidget* abstractPage = pages->widget(0);
    QWidget* textPage = pages->widget(1);
    QTest::mouseClick(pages->tabBar(), Qt::LeftButton, {}, pages->tabBar()->tabRect(1).center());
    QCOMPARE(pages->currentIndex(), 1);
    QVERIFY(textPage->isVisible());
    QVERIFY(!abstractPage->isVisible());
    QTest::mouseClick(pages->tabBar(), Qt::LeftButton, {}, pages->tabBar()->tabRect(1).center());
    QCOMPARE(pages->currentIndex(), 1);
    QVERIFY(textPage->isVisible());
    pages->setCurrentIndex(0);
}

void MainWindowTest::commandsWithoutASelectionAreRefused() {
    messages_.clear();
    child<QPushButton>("jumpButton")->click();
    child<QPushButton>("showFindingsButton")->click();
    action("checkAllAction")->trigger();
    child<QPushButton>("cnAbstractButton")->click();
    child<QPushButton>("removeOneButton")->click();
    action("writeReportAction")->trigger();
    child<QPushButton>("hideEditorButton")->click();  // no documents: nothing
    child<QPushButton>("pauseButton")->click();       // nothing runs: nothing
    child<QPushButton>("stopButton")->click();
    QCOMPARE(messageTexts(), (QStringList{q("请选择查看项！"), q("请选择文档！"), q("请选择文档！"), q("请选择文档！"),
                                          q("请选择查看项！"), q("请选择查看项！")}));
    QVERIFY(child<QPushButton>("pauseButton")->isVisible());
    QCOMPARE(dialogs_.asked(), 0);
}

void MainWindowTest::aPageButtonRunAddsItsRowsInOrder() {
    openThroughDialog(abstractThesis_);
    QCOMPARE(documents()->count(), 1);
    QCOMPARE(documents()->item(0)->text(), q("摘要论文"));
    QVERIFY(documents()->item(0)->isSelected());  // the thesis just opened
    QVERIFY(!documents()->item(0)->icon().isNull());
    QVERIFY(!record(0)->wordDocument().IsNull());

    journal_->clear();
    messages_.clear();
    child<QPushButton>("cnAbstractButton")->click();
    QVERIFY(w().shell().runInProgress());  // the click returns while the check works
    waitForRunEnd();

    QCOMPARE(shownRows(), abstractExpected_);
    for (int row = 0; row < rows(); ++row) {
        QCOMPARE(findings()->model()->index(row, 0).data().toString(), QString::number(row + 1));
        QCOMPARE(findings()->model()->index(row, 1).data().toString(), q("摘要论文"));
    }
    QCOMPARE(record(0)->findings.size(), static_cast<std::size_t>(abstractExpected_.size()));
    QCOMPARE(status(1), q("检测完成"));
    QCOMPARE(journal_->textsOf(2).first(), q("正在对<摘要>进行查错。。"));
    QCOMPARE(journal_->textsOf(2).last(), q(" "));
    bool progressShown = false;
    for (const QString& text : journal_->textsOf(1)) progressShown |= text.startsWith(q("完成   ")) && text.endsWith('%');
    QVERIFY(progressShown);
    QVERIFY(messages_.texts().empty());
}

void MainWindowTest::aPartCheckedBeforeIsCheckedAgainOnlyOnYes() {
    const int before = rows();
    messages_.answer(false);
    child<QPushButton>("cnAbstractButton")->click();
    QCOMPARE(q(messages_.questions().back()), q("该部份已经被查过，是否再查找一次"));
    QVERIFY(!w().shell().runInProgress());
    QCOMPARE(rows(), before);

    messages_.answer(true);
    child<QPushButton>("cnAbstractButton")->click();
    waitForRunEnd();
    QCOMPARE(rows(), 2 * before);  // its findings once more, numbered on
    QCOMPARE(findings()->model()->index(rows() - 1, 0).data().toString(), QString::number(2 * before));
    QCOMPARE(shownRows().mid(before), abstractExpected_);
}

void MainWindowTest::jumpingShowsTheFindingAndHidingHidesTheEditor() {
    auto app = w().shell().documents().application();
    QVERIFY(app);
    QVERIFY(!app->Visible());
    const int last = rows() - 1;
    const int position = findings()->model()->index(last, 5).data().toInt();
    messages_.clear();
    selectRow(last);
    const QModelIndex cell = findings()->model()->index(last, 4);
    findings()->scrollTo(cell);
    QSignalSpy doubleClicked(findings(), &QAbstractItemView::doubleClicked);
    const QPoint place = findings()->visualRect(cell).center();
    QTest::mouseClick(findings()->viewport(), Qt::LeftButton, {}, place);
    QTest::mouseDClick(findings()->viewport(), Qt::LeftButton, {}, place);
    QCOMPARE(doubleClicked.count(), 1);
    QVERIFY(messages_.texts().empty());
    QVERIFY(app->Visible());
    QCOMPARE(app->Selection().Start(), static_cast<long>(position));
    QCOMPARE(app->Selection().End(), static_cast<long>(position));

    child<QPushButton>("hideEditorButton")->click();
    QVERIFY(!app->Visible());
}

void MainWindowTest::aRowWhoseFindingIsGoneIsNotFound() {
    // The rows stay, but the document no longer holds the findings they name.
    std::vector<StoredFinding> kept = record(0)->findings;
    record(0)->findings.clear();
    messages_.clear();
    selectRow(0);
    child<QPushButton>("jumpButton")->click();
    QCOMPARE(messageTexts(), QStringList{q("找不到选择项的错误信息！")});
    QVERIFY(w().shell().documents().application()->Visible());  // shown before the search
    record(0)->findings = kept;
    child<QPushButton>("hideEditorButton")->click();
}

void MainWindowTest::theReportIsWrittenBesideTheChosenName() {
    selectDocument(0);
    const fs::path target = out_ / "摘要论文(修改后).doc";
    dialogs_.answerReport(q(target.string()));
    messages_.clear();
    action("writeReportAction")->trigger();
    QCOMPARE(dialogs_.lastSuggestion, q((fs::path(abstractThesis_.toStdString()).parent_path() / "摘要论文(修改后).doc").string()));
    QVERIFY(messages_.texts().empty());
    QVERIFY(fs::file_size(target) > 0);
    // The status bar says where both files went.
    QVERIFY(status(1).contains(q(target.string())));
    QVERIFY(status(1).contains(q(textReportPath(target).string())));
    const std::string text = readBytes(textReportPath(target));
    QCOMPARE(text, reportText(record(0)->findings));
    QVERIFY(gbkToUtf8(text).find("位于第") != std::string::npos);

    // The thesis's own file is refused with a message and the dialog comes
    // again, on the name the user chose; the thesis stays as it was.
    const std::string thesisBytes = readBytes(fs::path(abstractThesis_.toStdString()));
    const int askedBefore = dialogs_.asked();
    dialogs_.answerReport(abstractThesis_);
    action("writeReportAction")->trigger();
    QCOMPARE(dialogs_.asked(), askedBefore + 2);
    QCOMPARE(dialogs_.lastSuggestion, abstractThesis_);
    QCOMPARE(messageTexts().size(), 1);
    QVERIFY(messageTexts()[0].startsWith(q(quillmark::texts::kReportIsThesis)));
    QCOMPARE(readBytes(fs::path(abstractThesis_.toStdString())), thesisBytes);
    messages_.clear();

    // Cancelling the dialog writes nothing.
    const auto filesIn = [&] { return std::distance(fs::directory_iterator(out_.path()), fs::directory_iterator()); };
    const auto before = filesIn();
    action("writeReportAction")->trigger();
    QCOMPARE(filesIn(), before);
    QVERIFY(messages_.texts().empty());
}

void MainWindowTest::theReportDialogOffersTheThesissOwnFormatFirst() {
    // The window's real dialog, looked at while it is open and then cancelled.
    struct Seen {
        QStringList filters;
        QString selectedFilter;
        QString fileName;
        QString suffix;
        bool hasCheckBox = false;
        bool checked = true;
    };
    const auto look = [](const QString& suggested) {
        Seen seen;
        QTimer::singleShot(0, [&] {
            QTRY_VERIFY(qobject_cast<QFileDialog*>(QApplication::activeModalWidget()));
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            seen.filters = dialog->nameFilters();
            seen.selectedFilter = dialog->selectedNameFilter();
            seen.fileName = QFileInfo(dialog->selectedFiles().value(0)).fileName();
            seen.suffix = dialog->defaultSuffix();
            if (auto* box = dialog->findChild<QCheckBox*>("reportCommentsCheck")) {
                seen.hasCheckBox = box->text() == q("报表中加入批注");
                seen.checked = box->isChecked();
            }
            dialog->reject();
        });
        gui::FileDialogs real;
        EXPECT_TRUE(real.chooseReportTarget(nullptr, suggested).path.isEmpty());
        return seen;
    };
    // The dialog shows the filters without their leading blank.
    const QString doc = q("保存为doc文档 (*.doc)"), docx = q("保存为docx文档 (*.docx)");
    const Seen forDocx = look(q((out_ / "论文(修改后).docx").string()));
    QCOMPARE(forDocx.filters, (QStringList{docx, doc}));
    QCOMPARE(forDocx.selectedFilter, docx);
    QCOMPARE(forDocx.fileName, q("论文(修改后).docx"));
    QCOMPARE(forDocx.suffix, QString("docx"));
    QVERIFY(forDocx.hasCheckBox);
    QVERIFY(!forDocx.checked);
    const Seen forDoc = look(q((out_ / "论文(修改后).doc").string()));
    QCOMPARE(forDoc.filters, (QStringList{doc, docx}));
    QCOMPARE(forDoc.suffix, QString("doc"));

    // A .docx thesis in the window gets "(修改后).docx" offered.
    const fs::path docxThesis = sources_ / "新论文.docx";
    DocBuilder().paragraph("摘要").save(docxThesis.string());
    openThroughDialog(q(docxThesis.string()));
    const int last = documents()->count() - 1;
    selectDocument(last);
    action("writeReportAction")->trigger();
    QCOMPARE(QFileInfo(dialogs_.lastSuggestion).fileName(), q("新论文(修改后).docx"));
    child<QPushButton>("removeOneButton")->click();
    messages_.clear();
}

void MainWindowTest::checkAllRunsTheSixChecksInOrder() {
    openThroughDialog(sampleThesis_);
    QCOMPARE(documents()->count(), 2);
    QVERIFY(documents()->item(1)->isSelected());
    child<QPushButton>("clearListButton")->click();
    QCOMPARE(rows(), 0);
    QVERIFY(record(0)->findings.empty());  // its rows were in the list

    journal_->clear();
    messages_.clear();
    action("checkAllAction")->trigger();
    waitForRunEnd();
    QCOMPARE(shownRows(), sampleExpected_);
    QStringList begun;
    for (const QString& text : journal_->textsOf(2)) {
        if (text.startsWith(q("正在对"))) begun << text;
    }
    QCOMPARE(begun, (QStringList{q("正在对<封面>进行查错。。"), q("正在对<摘要>进行查错。。"), q("正在对<摘要>进行查错。。"),
                                 q("正在对<摘要>进行查错。。"), q("正在对<正文>进行查错。。"), q("正在对<正文>进行查错。。")}));
    QCOMPARE(status(1), q("检测完成"));
    QCOMPARE(status(2), q("  "));
    QVERIFY(messages_.texts().empty());
    QVERIFY(messages_.questions().empty());
    // Check all leaves the pending flags: the page button does not ask.
    QVERIFY(record(1)->pendingCnAbstract);
}

void MainWindowTest::pauseContinueAndStopDuringCheckAll() {
    child<QPushButton>("clearListButton")->click();
    selectDocument(1);
    journal_->clear();
    action("checkAllAction")->trigger();
    QVERIFY(w().shell().runInProgress());

    const QRect pausePlace = child<QPushButton>("pauseButton")->geometry();
    child<QPushButton>("pauseButton")->click();
    QVERIFY(w().shell().runs().paused());
    QVERIFY(!child<QPushButton>("pauseButton")->isVisible());
    QVERIFY(child<QPushButton>("continueButton")->isVisible());
    QTRY_COMPARE(child<QPushButton>("continueButton")->geometry(), pausePlace);  // the same place

    child<QPushButton>("continueButton")->click();
    QVERIFY(!w().shell().runs().paused());
    QVERIFY(child<QPushButton>("pauseButton")->isVisible());
    QVERIFY(!child<QPushButton>("continueButton")->isVisible());

    child<QPushButton>("pauseButton")->click();
    child<QPushButton>("stopButton")->click();  // a paused run goes on to its end
    QVERIFY(!w().shell().runs().paused());
    QVERIFY(child<QPushButton>("pauseButton")->isVisible());
    waitForRunEnd();
    QVERIFY(journal_->textsOf(1).contains(q("查错完成")));
    QCOMPARE(status(1), q("检测完成"));  // the last end step comes after the stop
    QVERIFY(rows() < sampleExpected_.size());
}

void MainWindowTest::everyCommandIsRefusedWhileARunIsInProgress() {
    selectDocument(1);
    selectRow(0);
    // A run held by pause stays in progress while the commands are tried.
    action("checkAllAction")->trigger();
    child<QPushButton>("pauseButton")->click();
    QVERIFY(w().shell().runInProgress());
    messages_.clear();
    const int rowsBefore = rows();
    const int dialogsBefore = dialogs_.asked();

    action("openFileAction")->trigger();
    child<QPushButton>("removeOneButton")->click();
    child<QPushButton>("removeAllButton")->click();
    child<QPushButton>("hideEditorButton")->click();
    child<QPushButton>("clearListButton")->click();
    child<QPushButton>("showFindingsButton")->click();
    child<QPushButton>("jumpButton")->click();
    action("checkAllAction")->trigger();
    action("writeReportAction")->trigger();
    const QString refused = q(quillmark::texts::kRunInProgress);
    QCOMPARE(messageTexts(), QStringList(9, refused) );
    QCOMPARE(dialogs_.asked(), dialogsBefore);  // refused before any dialog

    // A page button does nothing, silently; the mode stays.
    messages_.clear();
    child<QPushButton>("cnAbstractButton")->click();
    child<QRadioButton>("autoFixRadio")->click();
    QVERIFY(messages_.texts().empty());
    QVERIFY(messages_.questions().empty());
    QCOMPARE(w().shell().mode(), CheckMode::Check);
    QVERIFY(child<QRadioButton>("checkModeRadio")->isChecked());

    // A template loaded now waits until the run is over.
    TempFolder folder;
    const fs::path master = folder / "master.ini";
    std::ofstream(master, std::ios::binary) << utf8ToGbk("[检测类型]\r\n类型=1\r\n");
    dialogs_.answerTemplate(q(master.string()));
    action("loadTemplateAction")->trigger();
    QCOMPARE(messageTexts(), QStringList{q("模板已载入！！")});
    QCOMPARE(currentTemplate().thesisType, kBachelorThesis);
    QCOMPARE(status(0), q("Norvale(硕士论文检测)"));

    QCOMPARE(documents()->count(), 2);
    QVERIFY(rows() >= rowsBefore);
    child<QPushButton>("continueButton")->click();
    child<QPushButton>("stopButton")->click();
    waitForRunEnd();
    QCOMPARE(currentTemplate().thesisType, kMasterThesis);
    currentTemplate() = FormatTemplate{};

    // After the run the mode buttons work again.
    child<QRadioButton>("autoFixRadio")->click();
    QCOMPARE(w().shell().mode(), CheckMode::AutoFix);
    child<QRadioButton>("checkModeRadio")->click();
    QCOMPARE(w().shell().mode(), CheckMode::Check);
}

void MainWindowTest::aDocumentClosedInTheEditorLosesItsRows() {
    selectDocument(0);
    messages_.answer(true);  // checked before: check it again
    child<QPushButton>("cnAbstractButton")->click();
    waitForRunEnd();
    child<QPushButton>("showFindingsButton")->click();
    const int rowsOfFirst = rows();
    QVERIFY(rowsOfFirst > 0);
    QCOMPARE(findings()->model()->index(0, 1).data().toString(), q("摘要论文"));

    record(0)->wordDocument().Close(false);  // as the user would in the editor
    messages_.clear();
    selectRow(0);
    child<QPushButton>("jumpButton")->click();
    QVERIFY(messages_.texts().empty());
    QCOMPARE(rows(), 0);
    QCOMPARE(documents()->count(), 2);  // the document stays in the set

    // Removing it tells the user, and the program goes on.
    selectDocument(0);
    child<QPushButton>("removeOneButton")->click();
    QCOMPARE(messageTexts(), QStringList{q(quillmark::texts::kDocumentClosedInWord)});
    QCOMPARE(documents()->count(), 1);
    QCOMPARE(documents()->item(0)->text(), q("bachelor-thesis"));
}

void MainWindowTest::droppedFilesAreOpened() {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(abstractThesis_)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    enter.setAccepted(false);
    QApplication::sendEvent(&w(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&w(), &drop);
    w().shell().waitForOpenings();
    QCOMPARE(documents()->count(), 2);
    QCOMPARE(documents()->item(1)->text(), q("摘要论文"));
    QVERIFY(!record(1)->wordDocument().IsNull());

    child<QPushButton>("removeAllButton")->click();
    QCOMPARE(documents()->count(), 0);
    QCOMPARE(rows(), 0);
    QVERIFY(!w().shell().documents().application());  // the engine instance went with the last document
}

void MainWindowTest::aKilledEditorTakesTheDocumentsWithIt() {
    openThroughDialog(abstractThesis_);
    child<QPushButton>("cnAbstractButton")->click();
    waitForRunEnd();
    QVERIFY(rows() > 0);

    const pid_t engine = word::Engine::instance().pid();
    QVERIFY(engine > 0);
    QCOMPARE(::kill(engine, SIGKILL), 0);
    QTRY_VERIFY(::kill(engine, 0) != 0 || !word::Engine::instance().alive());
    selectRow(0);
    child<QPushButton>("jumpButton")->click();
    QCOMPARE(documents()->count(), 0);
    QCOMPARE(rows(), 0);

    // The program goes on: the next thesis starts a fresh engine.
    openThroughDialog(abstractThesis_);
    QCOMPARE(documents()->count(), 1);
    QVERIFY(!record(0)->wordDocument().IsNull());
    child<QPushButton>("removeAllButton")->click();
    QCOMPARE(documents()->count(), 0);
}

void MainWindowTest::theRealMessageBoxesShowTheTexts() {
    // A second window with real message boxes; it never starts an engine.
    TempFolder work;
    gui::MainWindow plain(gui::MainWindow::Options{nullptr, &dialogs_, work.path()});
    plain.show();
    QString seen;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box) {
            seen = box->text();
            box->accept();
        }
    });
    plain.findChild<QPushButton*>(QStringLiteral("showFindingsButton"))->click();
    QCOMPARE(seen, q("请选择文档！"));
    plain.close();
    QVERIFY(plain.closedForGood());
}

// Runs `act` on the modal dialog that `command` opens, then closes the dialog.
template <typename Act>
void onModalDialog(Act act, const std::function<void()>& command) {
    QTimer::singleShot(0, [act] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog) return;
        act(dialog);
        if (dialog->isVisible()) dialog->close();
    });
    command();
}

void MainWindowTest::theSmallDialogsShowTheirTexts() {
    QString usage;
    QString usageTitle;
    onModalDialog([&](QWidget* d) {
        usageTitle = d->windowTitle();
        usage = d->findChild<QLabel*>(QStringLiteral("usageText"))->text();
    }, [&] { action("helpAction")->trigger(); });
    QCOMPARE(usageTitle, q("使用说明"));
    const QStringList lines = usage.split('\n');
    QCOMPARE(lines.size(), 6);
    QCOMPARE(lines[1], q("2,可以在“设置->模板设置”中修改并保存自己的模板，   以便以后载入用户自定义模版"));
    QCOMPARE(lines[4], q("5,“生成报表”可以在论文同个目录下创建一个用红色标   明错误的文档文件（.doc）,与一个错误具体说明的文    本文件（.txt)"));

    QString about;
    QString aboutTitle;
    onModalDialog([&](QWidget* d) {
        aboutTitle = d->windowTitle();
        about = d->findChild<QLabel*>(QStringLiteral("aboutText"))->text();
    }, [&] { child<QAction>("aboutMenuAction")->trigger(); });
    QCOMPARE(aboutTitle, q("关于 Quillmark"));
    QCOMPARE(about, q("Quillmark 1.0 版"));
    QCOMPARE(child<QAction>("aboutMenuAction")->text(), q("关于 Quillmark(&A)..."));
}

void MainWindowTest::choosingAMasterThesisChangesTheTitle() {
    // Cancelling leaves the template as it was.
    onModalDialog([](QWidget* d) { d->findChild<QRadioButton*>(QStringLiteral("masterRadio"))->click(); },
                  [&] { action("templateSettingsAction")->trigger(); });
    QCOMPARE(currentTemplate().thesisType, kBachelorThesis);
    QCOMPARE(status(0), q("Norvale(学士论文检测)"));

    onModalDialog([](QWidget* d) {
        d->findChild<QRadioButton*>(QStringLiteral("masterRadio"))->click();
        d->findChild<QPushButton*>(QStringLiteral("confirmButton"))->click();
    }, [&] { action("templateSettingsAction")->trigger(); });
    QCOMPARE(currentTemplate().thesisType, kMasterThesis);
    QCOMPARE(status(0), q("Norvale(硕士论文检测)"));
    currentTemplate() = FormatTemplate{};
}

void MainWindowTest::findingsKeepTheirOrderAcrossAMessageBox() {
    // Findings for no open document each raise "文件名不正确！". While the
    // first box is open (a nested event loop), a third finding arrives; it
    // must still come after the second, which was handed over before it.
    TempFolder work;
    gui::MainWindow plain(gui::MainWindow::Options{nullptr, &dialogs_, work.path()});
    plain.show();
    auto finding = [](const char* text) {
        CheckError e;
        e.fileName = "无此文档";
        e.level = kLevelMedium;
        e.description = text;
        return e;
    };
    plain.shell().reporter().postCheckError(0, finding("第一"));
    plain.shell().reporter().postCheckError(0, finding("第二"));

    QStringList boxes;
    QMessageBox* first = nullptr;
    int ticksWithFirst = 0;
    QTimer answering;
    connect(&answering, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        if (!first) {
            first = box;
            plain.shell().reporter().postCheckError(0, finding("第三"));
            return;
        }
        if (box == first && ++ticksWithFirst < 3) return;  // let the third arrive meanwhile
        boxes << box->text();
        box->accept();
    });
    answering.start(20);
    auto* list = plain.findChild<QTableView*>(QStringLiteral("findingsList"));
    QTRY_COMPARE(list->model()->rowCount(), 3);
    QTRY_COMPARE(boxes.size(), 3);
    answering.stop();
    QStringList order;
    for (int row = 0; row < 3; ++row) {
        order << list->model()->index(row, 0).data().toString() + list->model()->index(row, 4).data().toString();
    }
    QCOMPARE(order, (QStringList{q("1第一"), q("2第二"), q("3第三")}));
    QCOMPARE(boxes, QStringList(3, q("文件名不正确！")));
    plain.close();
}

void MainWindowTest::escapeClosesTheWindowAndCleansUp() {
    openThroughDialog(abstractThesis_);
    QCOMPARE(documents()->count(), 1);
    const fs::path copy = record(0)->tempCopyPath;
    QVERIFY(fs::exists(copy));
    QSignalSpy closed(&w(), &gui::MainWindow::closed);
    w().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w()));
    QTest::keyClick(&w(), Qt::Key_Escape);
    QCOMPARE(closed.count(), 1);
    QVERIFY(!w().isVisible());
    QVERIFY(w().closedForGood());
    QVERIFY(!fs::exists(copy));
    QCOMPARE(documents()->count(), 0);
    QVERIFY(!word::Engine::instance().alive());
}

void MainWindowTest::closingDuringARunWaitsForItsEnd() {
    TempFolder work;
    gui::MainWindow window(gui::MainWindow::Options{&messages_, &dialogs_, work.path()});
    window.show();
    window.openFiles({sampleThesis_});
    const fs::path copy = window.shell().documents().at(0)->tempCopyPath;
    window.checkAll();
    QVERIFY(window.shell().runInProgress());
    QSignalSpy closed(&window, &gui::MainWindow::closed);
    window.close();
    QVERIFY(window.isVisible());  // the run is stopped first
    QVERIFY(!window.closedForGood());
    QTRY_VERIFY_WITH_TIMEOUT(window.closedForGood(), kRunTimeout);
    QCOMPARE(closed.count(), 1);
    QVERIFY(!window.isVisible());
    QVERIFY(!window.shell().runInProgress());
    QVERIFY(!fs::exists(copy));
    QVERIFY(!word::Engine::instance().alive());
}

void MainWindowTest::cleanupTestCase() {
    journal_.reset();
    window_.reset();
    word::Engine::instance().shutDown();
}

}  // namespace quillmark

QTEST_MAIN(quillmark::MainWindowTest)
#include "MainWindowTest.moc"
