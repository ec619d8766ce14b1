#include "gui/MainWindow.h"

#include "checks/CheckerBodies.h"
#include "gui/AboutDialog.h"
#include "gui/CheckPage.h"
#include "gui/FindingsModel.h"
#include "gui/GuiTexts.h"
#include "gui/MessageBoxes.h"
#include "gui/StatusBarParts.h"
#include "gui/TemplateSettingsDialog.h"
#include "gui/UsageHelpDialog.h"
#include "shell/ProgressText.h"
#include "shell/ShellTexts.h"
#include "shell/StatusTexts.h"
#include "widgets/Icons.h"
#include "widgets/ShadedButton.h"

#include <QAction>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QMimeData>
#include <QMimeDatabase>
#include <QRadioButton>
#include <QShortcut>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

#include <utility>

namespace quillmark::gui {

namespace fs = std::filesystem;

namespace {

QString qt(const char* text) { return QString::fromUtf8(text); }

fs::path toPath(const QString& path) { return fs::path(QFile::encodeName(path).toStdString()); }

QIcon documentIcon(const std::string& path) {
    const QMimeType type = QMimeDatabase().mimeTypeForFile(QString::fromStdString(path), QMimeDatabase::MatchExtension);
    const QIcon own = widgets::svgIcon(QStringLiteral("document"));
    return QIcon::fromTheme(type.iconName(), QIcon::fromTheme(type.genericIconName(), own));
}

QPushButton* button(const char* label, const QString& name, QWidget* parent) {
    auto* b = new widgets::ShadedButton(qt(label), parent);
    b->setObjectName(name);
    return b;
}

}  // namespace

MainWindow::MainWindow(Options options, QWidget* parent) : QMainWindow(parent) {
    if (options.messages == nullptr) ownMessages_ = std::make_unique<MessageBoxes>(this);
    if (options.dialogs == nullptr) ownDialogs_ = std::make_unique<FileDialogs>();
    messages_ = options.messages != nullptr ? options.messages : ownMessages_.get();
    dialogs_ = options.dialogs != nullptr ? options.dialogs : ownDialogs_.get();

    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(qt(texts::kCaption));
    setWindowIcon(widgets::svgIcon(QStringLiteral("quillmark")));
    setAcceptDrops(true);

    statusPartsOwner_ = std::make_unique<StatusBarParts>(statusBar());
    statusParts_ = statusPartsOwner_.get();
    statusBar()->setSizeGripEnabled(true);

    Shell::Options shellOptions;
    shellOptions.workDir = options.workDir;
    shell_ = std::make_unique<Shell>(*messages_, *statusParts_, std::move(shellOptions));
    templates_ = std::make_unique<TemplateChanges>(shell_->runs(), currentTemplate());

    auto* central = new QWidget(this);
    auto* outer = new QVBoxLayout(central);
    auto* top = new QHBoxLayout;
    buildToolbar();
    top->addWidget(toolbar_);
    top->addStretch(1);
    auto* banner = new QLabel(central);
    banner->setObjectName(QStringLiteral("banner"));
    banner->setPixmap(widgets::svgPixmap(QStringLiteral("banner"), QSize(342, 58)));
    top->addWidget(banner, 0, Qt::AlignTop);
    outer->addLayout(top);

    auto* body = new QHBoxLayout;
    body->addWidget(buildDocumentColumn());
    auto* right = new QVBoxLayout;
    auto* controls = new QHBoxLayout;
    controls->addWidget(buildCheckArea(), 2);
    auto* side = new QVBoxLayout;
    side->addWidget(buildFindingsButtons());
    side->addWidget(buildRunButtons());
    controls->addLayout(side, 1);
    right->addLayout(controls);
    buildFindingsView();
    right->addWidget(findingsView_, 1);
    body->addLayout(right, 1);
    outer->addLayout(body, 1);
    setCentralWidget(central);
    buildMenu();

    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);

    wireShell();
    showThesisType();
    showMode();
    showPauseButton(true);
    resize(1000, 720);
}

MainWindow::~MainWindow() {
    // No worker may post to this window once it is gone.
    if (deriveWorker_.joinable()) deriveWorker_.join();
    shell_->close();
}

void MainWindow::buildToolbar() {
    toolbar_ = new QToolBar(this);
    toolbar_->setObjectName(QStringLiteral("toolbar"));
    toolbar_->setIconSize(QSize(32, 32));
    toolbar_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    toolbar_->setMovable(false);
    toolbar_->setFloatable(false);

    struct Entry {
        const char* label;
        const char* icon;
        const char* name;
        void (MainWindow::*command)();
    };
    const Entry entries[] = {
        {texts::kLoadTemplate, "load-template", "loadTemplateAction", &MainWindow::loadTemplate},
        {texts::kDeriveTemplate, "derive-template", "deriveTemplateAction", &MainWindow::deriveTemplate},
        {texts::kOpenFile, "open-file", "openFileAction", &MainWindow::openThesis},
        {texts::kCheckAll, "check-all", "checkAllAction", &MainWindow::checkAll},
        {texts::kWriteReport, "report", "writeReportAction", &MainWindow::writeReport},
        {nullptr, nullptr, nullptr, nullptr},
        {texts::kTemplateSettings, "template-settings", "templateSettingsAction", &MainWindow::templateSettings},
        {nullptr, nullptr, nullptr, nullptr},
        {texts::kHelp, "help", "helpAction", &MainWindow::showUsageHelp},
        {texts::kAbout, "about", "aboutAction", &MainWindow::showAbout},
        {nullptr, nullptr, nullptr, nullptr},
    };
    for (const Entry& entry : entries) {
        if (entry.label == nullptr) {
            toolbar_->addSeparator();
            continue;
        }
        QAction* action = toolbar_->addAction(widgets::svgIcon(QString::fromLatin1(entry.icon)), qt(entry.label));
        action->setObjectName(QString::fromLatin1(entry.name));
        connect(action, &QAction::triggered, this, entry.command);
    }
}

QWidget* MainWindow::buildDocumentColumn() {
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    documentList_ = new QListWidget(column);
    documentList_->setObjectName(QStringLiteral("documentList"));
    documentList_->setViewMode(QListView::IconMode);
    documentList_->setIconSize(QSize(32, 32));
    documentList_->setMovement(QListView::Static);
    documentList_->setResizeMode(QListView::Adjust);
    documentList_->setFlow(QListView::LeftToRight);
    documentList_->setWrapping(true);
    documentList_->setWordWrap(true);
    documentList_->setGridSize(QSize(110, 72));
    documentList_->setSelectionMode(QAbstractItemView::SingleSelection);
    documentList_->setDragDropMode(QAbstractItemView::NoDragDrop);
    documentList_->viewport()->setAcceptDrops(false);
    documentList_->setMinimumWidth(130);
    column->setMaximumWidth(200);
    layout->addWidget(documentList_, 1);

    auto* show = button(texts::kShowFindings, QStringLiteral("showFindingsButton"), column);
    auto* removeAll = button(texts::kRemoveAll, QStringLiteral("removeAllButton"), column);
    auto* removeOne = button(texts::kRemoveOne, QStringLiteral("removeOneButton"), column);
    connect(show, &QPushButton::clicked, this, &MainWindow::showFindings);
    connect(removeAll, &QPushButton::clicked, this, &MainWindow::removeAllDocuments);
    connect(removeOne, &QPushButton::clicked, this, &MainWindow::removeDocument);
    for (QPushButton* b : {show, removeAll, removeOne}) layout->addWidget(b);
    return column;
}

QWidget* MainWindow::buildCheckArea() {
    auto* area = new QWidget(this);
    auto* layout = new QVBoxLayout(area);
    layout->setContentsMargins(0, 0, 0, 0);
    pages_ = new QTabWidget(area);
    pages_->setObjectName(QStringLiteral("checkPages"));
    const std::pair<CheckPage*, const char*> pages[] = {
        {CheckPage::abstractPage(pages_), texts::kAbstractPage},
        {CheckPage::textPage(pages_), texts::kTextPage},
        {CheckPage::otherPage(pages_), texts::kOtherPage},
    };
    for (const auto& [page, title] : pages) {
        pages_->addTab(page, qt(title));
        connect(page, &CheckPage::checkRequested, this, &MainWindow::checkPart);
    }
    layout->addWidget(pages_);

    auto* modeFrame = new QGroupBox(area);
    modeFrame->setObjectName(QStringLiteral("modeFrame"));
    auto* modes = new QHBoxLayout(modeFrame);
    auto* check = new QRadioButton(qt(texts::kCheckMode), modeFrame);
    check->setObjectName(QStringLiteral("checkModeRadio"));
    auto* fix = new QRadioButton(qt(texts::kAutoFixMode), modeFrame);
    fix->setObjectName(QStringLiteral("autoFixRadio"));
    modeButtons_ = new QButtonGroup(this);
    modeButtons_->addButton(check, static_cast<int>(CheckMode::Check));
    modeButtons_->addButton(fix, static_cast<int>(CheckMode::AutoFix));
    connect(modeButtons_, &QButtonGroup::idClicked, this,
            [this](int id) { setMode(static_cast<CheckMode>(id)); });
    modes->addStretch(1);
    modes->addWidget(check);
    modes->addStretch(1);
    modes->addWidget(fix);
    modes->addStretch(1);
    layout->addWidget(modeFrame);
    return area;
}

QWidget* MainWindow::buildFindingsButtons() {
    auto* group = new QGroupBox(qt(texts::kFindingsGroup), this);
    auto* layout = new QVBoxLayout(group);
    auto* clear = button(texts::kClearList, QStringLiteral("clearListButton"), group);
    auto* jump = button(texts::kJump, QStringLiteral("jumpButton"), group);
    auto* hide = button(texts::kHideEditor, QStringLiteral("hideEditorButton"), group);
    connect(clear, &QPushButton::clicked, this, &MainWindow::clearFindings);
    connect(jump, &QPushButton::clicked, this, &MainWindow::jumpToFinding);
    connect(hide, &QPushButton::clicked, this, &MainWindow::hideEditor);
    for (QPushButton* b : {clear, jump, hide}) layout->addWidget(b);
    return group;
}

QWidget* MainWindow::buildRunButtons() {
    auto* group = new QGroupBox(this);
    auto* layout = new QVBoxLayout(group);
    // Pause and continue share one place: exactly one of them is shown.
    pauseButton_ = button(texts::kPause, QStringLiteral("pauseButton"), group);
    continueButton_ = button(texts::kContinue, QStringLiteral("continueButton"), group);
    stopButton_ = button(texts::kStop, QStringLiteral("stopButton"), group);
    connect(pauseButton_, &QPushButton::clicked, this, &MainWindow::pause);
    connect(continueButton_, &QPushButton::clicked, this, &MainWindow::resume);
    connect(stopButton_, &QPushButton::clicked, this, &MainWindow::stop);
    for (QPushButton* b : {pauseButton_, continueButton_, stopButton_}) layout->addWidget(b);
    return group;
}

void MainWindow::buildFindingsView() {
    findingsModel_ = new FindingsModel(shell_->findings(), this);
    findingsView_ = new QTableView(this);
    findingsView_->setObjectName(QStringLiteral("findingsList"));
    findingsView_->setModel(findingsModel_);
    findingsView_->setSelectionBehavior(QAbstractItemView::SelectRows);
    findingsView_->setSelectionMode(QAbstractItemView::SingleSelection);
    findingsView_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    findingsView_->setShowGrid(true);
    findingsView_->setWordWrap(false);
    findingsView_->verticalHeader()->hide();
    findingsView_->verticalHeader()->setDefaultSectionSize(findingsView_->fontMetrics().height() + 8);
    findingsView_->horizontalHeader()->setStretchLastSection(false);
    findingsView_->setStyleSheet(QStringLiteral(
        "QTableView { background-color: rgb(224, 157, 230); color: rgb(0, 0, 255); }"));
    for (int column = 0; column < findingsModel_->columnCount(); ++column) {
        findingsView_->setColumnWidth(column, FindingsModel::columnWidth(column));
    }
    findingsView_->setMinimumHeight(200);
    connect(findingsView_, &QAbstractItemView::doubleClicked, this, [this] { jumpToFinding(); });
}

void MainWindow::buildMenu() {
    QMenu* help = menuBar()->addMenu(qt(texts::kHelpMenu));
    QAction* usage = help->addAction(qt(texts::kUsageTitle));
    connect(usage, &QAction::triggered, this, &MainWindow::showUsageHelp);
    help->addSeparator();
    QAction* about = help->addAction(qt(texts::kAboutEntry));
    about->setObjectName(QStringLiteral("aboutMenuAction"));
    connect(about, &QAction::triggered, this, &MainWindow::showAbout);
}

void MainWindow::wireShell() {
    installCheckerBodies(shell_->runs());
    // Called on worker threads: wakes this thread at most once per batch.
    shell_->handOver().setWakeUp([this] {
        if (!handOverWoken_.exchange(true)) {
            QMetaObject::invokeMethod(this, [this] { takeHandOver(); }, Qt::QueuedConnection);
        }
    });
    shell_->runs().setFinishedHook(
        [this] { QMetaObject::invokeMethod(this, [this] { runEnded(); }, Qt::QueuedConnection); });
}

void MainWindow::takeHandOver() {
    handOverWoken_.store(false);
    // A message box shown while taking runs a nested event loop; items that
    // arrive then are taken after the current ones, keeping their order.
    if (takingHandOver_) {
        takeAgain_ = true;
        return;
    }
    takingHandOver_ = true;
    do {
        takeAgain_ = false;
        shell_->drainHandOver();
        if (findingsModel_->rowsAppended()) findingsView_->scrollToBottom();
    } while (takeAgain_);
    takingHandOver_ = false;
    // What arrived while a message box of the hand-over was open.
    if (std::exchange(runEndedWhileTaking_, false)) runEnded();
    if (std::exchange(closeAfterTaking_, false)) close();
}

void MainWindow::runEnded() {
    if (takingHandOver_) {
        runEndedWhileTaking_ = true;
        return;
    }
    takeHandOver();
    if (shell_->runInProgress()) return;  // a new run has started meanwhile
    showPauseButton(true);
    applyWaitingTemplate();
    if (closeWhenRunEnds_) close();
}

void MainWindow::applyWaitingTemplate() {
    if (templates_->applyPending()) showThesisType();
}

void MainWindow::showThesisType() {
    statusParts_->setPart(0, thesisTypeTitle(templates_->latest().thesisType));
}

void MainWindow::setMode(CheckMode mode) {
    shell_->setMode(mode);  // refused silently during a run
    showMode();
}

void MainWindow::showMode() {
    if (QAbstractButton* checked = modeButtons_->button(static_cast<int>(shell_->mode()))) checked->setChecked(true);
}

void MainWindow::showPauseButton(bool pause) {
    pauseButton_->setVisible(pause);
    continueButton_->setVisible(!pause);
}

std::optional<std::size_t> MainWindow::selectedDocument() const {
    const QList<QListWidgetItem*> items = documentList_->selectedItems();
    if (items.isEmpty()) return std::nullopt;
    return static_cast<std::size_t>(documentList_->row(items.constFirst()));
}

std::optional<std::size_t> MainWindow::selectedRow() const {
    const QModelIndexList rows = findingsView_->selectionModel()->selectedRows();
    if (rows.isEmpty()) return std::nullopt;
    return static_cast<std::size_t>(rows.constFirst().row());
}

void MainWindow::refreshDocuments(std::optional<std::size_t> select) {
    documentList_->clear();
    for (const auto& record : shell_->documents().records()) {
        auto* item = new QListWidgetItem(documentIcon(record->tempCopyPath), QString::fromStdString(record->displayName));
        item->setToolTip(QString::fromStdString(record->sourcePath));
        documentList_->addItem(item);
    }
    if (select && *select < static_cast<std::size_t>(documentList_->count())) {
        documentList_->setCurrentRow(static_cast<int>(*select));
        documentList_->item(static_cast<int>(*select))->setSelected(true);
    }
}

void MainWindow::refreshFindings() { findingsModel_->reset(); }

// --- commands -----------------------------------------------------------------

void MainWindow::loadTemplate() {
    const QString file = dialogs_->chooseTemplate(this);
    if (file.isEmpty()) return;
    const TemplateLoad result = templates_->loadFile(toPath(file));
    if (result == TemplateLoad::Loaded) {
        messages_->showMessage(quillmark::texts::kTemplateLoaded);
    } else {
        messages_->showMessage(templateRefusal(result, QFileInfo(file).fileName().toStdString()));
    }
    showThesisType();
}

void MainWindow::deriveTemplate() {
    if (shell_->runInProgress() || deriving_) {
        messages_->showMessage(quillmark::texts::kRunInProgress);
        return;
    }
    const QString model = dialogs_->chooseModel(this);
    if (model.isEmpty()) return;
    DerivationRequest request;
    request.base = templates_->latest();
    request.thesisType = request.base.thesisType;
    request.baseName = request.base == FormatTemplate{} ? "默认模板" : "当前模板";
    deriving_ = true;
    statusParts_->setPart(2, texts::kDeriving);
    if (deriveWorker_.joinable()) deriveWorker_.join();
    deriveWorker_ = std::thread([this, path = toPath(model), request] {
        ModelDerivation outcome =
            deriveTemplateFromModel(path, request, shell_->runLock(), [this](const ProgressReport& report) {
                QMetaObject::invokeMethod(
                    this, [this, text = progressText(report)] { statusParts_->setPart(1, text); }, Qt::QueuedConnection);
            });
        QMetaObject::invokeMethod(
            this, [this, outcome = std::move(outcome)]() mutable { derivationEnded(std::move(outcome)); },
            Qt::QueuedConnection);
    });
}

void MainWindow::derivationEnded(ModelDerivation outcome) {
    if (deriveWorker_.joinable()) deriveWorker_.join();
    deriving_ = false;
    statusParts_->setPart(1, "");
    statusParts_->setPart(2, "");
    if (closeWhenDerived_) {
        close();
        return;
    }
    if (!outcome.derived) {
        messages_->showMessage(outcome.error);
        return;
    }
    std::string notFound;
    for (const std::string& line : outcome.derived->notFound) notFound += (notFound.empty() ? "" : "\n") + line;
    if (!notFound.empty()) messages_->showMessage(notFound);
    TemplateSettingsDialog dialog(outcome.derived->formatTemplate, this);
    dialog.setMessages(*messages_);
    dialog.setRunInProgress([this] { return shell_->runInProgress(); });
    if (dialog.exec() == QDialog::Accepted) templates_->replace(dialog.result());
    showThesisType();
}

void MainWindow::templateSettings() {
    TemplateSettingsDialog dialog(templates_->latest(), this);
    dialog.setMessages(*messages_);
    dialog.setRunInProgress([this] { return shell_->runInProgress(); });
    if (dialog.exec() == QDialog::Accepted) templates_->replace(dialog.result());
    showThesisType();
}

void MainWindow::openThesis() {
    if (shell_->runInProgress()) {
        messages_->showMessage(quillmark::texts::kRunInProgress);
        return;
    }
    openFiles(dialogs_->chooseTheses(this));
}

void MainWindow::openFiles(const QStringList& paths) {
    std::optional<std::size_t> opened;
    for (const QString& path : paths) {
        if (path.isEmpty()) continue;
        if (shell_->openThesis(toPath(path))) opened = shell_->documents().size() - 1;
        if (shell_->runInProgress()) break;  // refused, and told once
    }
    refreshDocuments(opened ? opened : selectedDocument());
}

void MainWindow::removeDocument() {
    shell_->removeDocument(selectedDocument());
    refreshDocuments();
    refreshFindings();
}

void MainWindow::removeAllDocuments() {
    shell_->removeAllDocuments();
    refreshDocuments();
    refreshFindings();
}

void MainWindow::hideEditor() { shell_->hideWord(); }

void MainWindow::showFindings() {
    shell_->showFindings(selectedDocument());
    refreshFindings();
}

void MainWindow::clearFindings() {
    shell_->clearFindings();
    refreshFindings();
}

void MainWindow::jumpToFinding() {
    switch (shell_->jumpToFinding(selectedRow())) {
    case JumpResult::DocumentClosed:
        refreshFindings();
        break;
    case JumpResult::EngineGone:
        refreshDocuments();
        refreshFindings();
        break;
    default:
        break;
    }
}

void MainWindow::checkPart(CheckKind kind) {
    if (shell_->checkPart(kind, selectedDocument()) == CheckStart::ThreadFailed) {
        refreshDocuments();
        refreshFindings();
    }
}

void MainWindow::checkAll() { shell_->checkAll(selectedDocument()); }

void MainWindow::pause() {
    if (shell_->pause()) showPauseButton(false);
}

void MainWindow::resume() {
    if (shell_->resume()) showPauseButton(true);
}

void MainWindow::stop() {
    if (shell_->stop()) showPauseButton(true);
}

void MainWindow::writeReport() {
    const std::optional<std::size_t> selected = selectedDocument();
    const std::optional<std::string> name = shell_->reportName(selected);
    if (!name) return;
    const auto& record = shell_->documents().at(*selected);
    QString folder = record->sourcePath.empty() ? QDir::homePath()
                                                : QFileInfo(QString::fromStdString(record->sourcePath)).absolutePath();
    QString suggested = QDir(folder).filePath(QString::fromStdString(*name));
    // A target the report cannot have (the thesis itself, a folder that
    // cannot be written) is told, and the dialog comes again.
    for (;;) {
        const gui::ReportChoice choice = dialogs_->chooseReportTarget(this, suggested);
        if (choice.path.isEmpty()) return;
        if (auto problem = shell_->reportTargetProblem(*selected, toPath(choice.path))) {
            messages_->showMessage(*problem);
            suggested = choice.path;
            continue;
        }
        shell_->writeReport(selected, toPath(choice.path), {.comments = choice.comments});
        return;
    }
}

void MainWindow::showUsageHelp() {
    UsageHelpDialog dialog(this);
    dialog.exec();
}

void MainWindow::showAbout() {
    AboutDialog dialog(this);
    dialog.exec();
}

// --- window events ------------------------------------------------------------

void MainWindow::closeEvent(QCloseEvent* event) {
    if (closedForGood_) {
        event->accept();
        return;
    }
    if (takingHandOver_) {
        // Not from inside a message box of the hand-over: the records are still in use.
        closeAfterTaking_ = true;
        event->ignore();
        return;
    }
    if (deriving_) {
        // The engine goes only after the derivation has ended; the window closes then.
        closeWhenDerived_ = true;
        centralWidget()->setEnabled(false);
        event->ignore();
        return;
    }
    if (shell_->runInProgress()) {
        // The engine goes only after the run has ended; the window closes then.
        closeWhenRunEnds_ = true;
        shell_->stop();
        showPauseButton(true);
        statusParts_->setPart(3, texts::kEndingRun);
        centralWidget()->setEnabled(false);
        event->ignore();
        return;
    }
    shell_->close();
    closedForGood_ = true;
    refreshDocuments();
    refreshFindings();
    event->accept();
    emit closed();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            event->acceptProposedAction();
            return;
        }
    }
}

void MainWindow::dropEvent(QDropEvent* event) {
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) paths << url.toLocalFile();
    }
    if (paths.isEmpty()) return;
    event->acceptProposedAction();
    openFiles(paths);
}

}  // namespace quillmark::gui
