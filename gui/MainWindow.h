#pragma once

#include "gui/FileDialogs.h"
#include "shell/CheckCommands.h"
#include "shell/FindingsCommands.h"
#include "shell/Shell.h"
#include "derive/ModelDerivation.h"
#include "shell/TemplateChanges.h"

#include <QMainWindow>

#include <atomic>
#include <filesystem>
#include <memory>
#include <optional>
#include <thread>

class QAction;
class QButtonGroup;
class QListWidget;
class QPushButton;
class QTabWidget;
class QTableView;
class QToolBar;

namespace quillmark::gui {

class CheckPage;
class FindingsModel;
class StatusBarParts;

// The main window: toolbar, document list, check pages, mode buttons,
// findings list, run buttons and status bar. Every command goes to the
// shell core, the same one the command line uses; findings, progress and
// status texts of the checker threads arrive through the shell's hand-over,
// which this window takes on its own thread.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    struct Options {
        UserMessages* messages = nullptr;  // message boxes; real ones when null
        FileDialogs* dialogs = nullptr;    // file dialogs; real ones when null
        std::filesystem::path workDir;     // the working folder; the program's choice when empty
    };

    explicit MainWindow(Options options, QWidget* parent = nullptr);
    MainWindow() : MainWindow(Options{}) {}
    ~MainWindow() override;

    // Opens theses given on the command line or dropped on the window; the
    // last one opened becomes the selected document.
    void openFiles(const QStringList& paths);

    Shell& shell() { return *shell_; }
    const StatusBarParts& statusParts() const { return *statusParts_; }
    // True once the window has closed for good (engine shut down, copies gone).
    bool closedForGood() const { return closedForGood_; }

    // The commands, as the toolbar, buttons and keys call them.
    void loadTemplate();
    // "从范文生成模板…": derives a template from a model document on a worker
    // thread, then shows it in the settings dialog; "确定" makes it current.
    void deriveTemplate();
    bool deriving() const { return deriving_; }
    void openThesis();
    void checkAll();
    void writeReport();
    void templateSettings();
    void showUsageHelp();
    void showAbout();
    void showFindings();
    void removeAllDocuments();
    void removeDocument();
    void clearFindings();
    void jumpToFinding();
    void hideEditor();
    void pause();
    void resume();
    void stop();
    void checkPart(quillmark::CheckKind kind);

signals:
    // The window has closed for good; whether the program ends is for the caller.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildToolbar();
    QWidget* buildDocumentColumn();
    QWidget* buildCheckArea();
    QWidget* buildFindingsButtons();
    QWidget* buildRunButtons();
    void buildFindingsView();
    void buildMenu();
    void wireShell();

    void derivationEnded(ModelDerivation outcome);
    void takeHandOver();
    void runEnded();
    void setMode(quillmark::CheckMode mode);
    void showMode();
    void showThesisType();
    void applyWaitingTemplate();
    void showPauseButton(bool pause);

    void refreshDocuments(std::optional<std::size_t> select = std::nullopt);
    void refreshFindings();
    std::optional<std::size_t> selectedDocument() const;
    std::optional<std::size_t> selectedRow() const;

    std::unique_ptr<UserMessages> ownMessages_;
    std::unique_ptr<FileDialogs> ownDialogs_;
    UserMessages* messages_ = nullptr;
    FileDialogs* dialogs_ = nullptr;

    StatusBarParts* statusParts_ = nullptr;
    std::unique_ptr<StatusBarParts> statusPartsOwner_;
    std::unique_ptr<Shell> shell_;
    std::unique_ptr<TemplateChanges> templates_;

    QToolBar* toolbar_ = nullptr;
    QListWidget* documentList_ = nullptr;
    QTabWidget* pages_ = nullptr;
    QButtonGroup* modeButtons_ = nullptr;
    QTableView* findingsView_ = nullptr;
    FindingsModel* findingsModel_ = nullptr;
    QPushButton* pauseButton_ = nullptr;
    QPushButton* continueButton_ = nullptr;
    QPushButton* stopButton_ = nullptr;

    std::thread deriveWorker_;
    bool deriving_ = false;
    bool closeWhenDerived_ = false;
    std::atomic<bool> handOverWoken_{false};
    bool takingHandOver_ = false;
    bool takeAgain_ = false;
    bool runEndedWhileTaking_ = false;
    bool closeAfterTaking_ = false;
    bool closeWhenRunEnds_ = false;
    bool closedForGood_ = false;
};

}  // namespace quillmark::gui
