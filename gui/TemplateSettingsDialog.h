#pragma once

#include "gui/templatesettings/FontLists.h"
#include "template/FormatTemplate.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <vector>

class QRadioButton;
class QTabWidget;

namespace quillmark {
class UserMessages;
}

namespace quillmark::gui {

class TemplatePage;

// "模板设置": the template spread over nine pages in one tab control, and the
// kind of thesis to check. Works on its own copy of a template; only "确定"
// reads the pages back into the copy. "另存为…" writes the values the
// dialog shows as a template file.
class TemplateSettingsDialog : public QDialog {
    Q_OBJECT
public:
    // The font lists hold the families installed on this machine.
    explicit TemplateSettingsDialog(const FormatTemplate& current, QWidget* parent = nullptr);
    TemplateSettingsDialog(const FormatTemplate& current, const FontLists& fonts, QWidget* parent = nullptr);
    ~TemplateSettingsDialog() override;

    // The working copy: the template given, with the user's changes once "确定" was pressed.
    const FormatTemplate& result() const { return copy_; }

    // Message boxes of the dialog; its own ones unless set.
    void setMessages(UserMessages& messages) { messages_ = &messages; }
    // While `running` says that a check run is in progress, "确定" tells the
    // user that the changes wait until the run has ended.
    void setRunInProgress(std::function<bool()> running) { runInProgress_ = std::move(running); }
    // Where "另存为…" asks for the file name; a save dialog unless set.
    // An empty name cancels.
    void setSaveTargetChooser(std::function<QString(QWidget*)> chooser) { chooseSaveTarget_ = std::move(chooser); }

    // The values the dialog shows now, read as "确定" reads them.
    FormatTemplate shownValues() const;
    // Writes shownValues() as a template file in code page 936; false when
    // the file cannot be written.
    bool saveAs(const QString& path) const;

    QTabWidget* tabs() const { return tabs_; }
    // The pages in tab order.
    const std::vector<TemplatePage*>& pages() const { return pages_; }

private:
    QWidget* buildThesisTypeBar();
    void addPages(const FontLists& fonts);
    void showTemplate();
    void readPages(FormatTemplate& target) const;
    void confirm();
    void saveAsChosenFile();
    QString chooseSaveTarget();
    UserMessages& messages();

    FormatTemplate copy_;
    QRadioButton* bachelor_ = nullptr;
    QRadioButton* master_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    std::vector<TemplatePage*> pages_;

    std::unique_ptr<UserMessages> ownMessages_;
    UserMessages* messages_ = nullptr;
    std::function<bool()> runInProgress_;
    std::function<QString(QWidget*)> chooseSaveTarget_;
};

}  // namespace quillmark::gui
