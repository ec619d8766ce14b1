#pragma once

#include "shell/CheckMode.h"

#include <QWidget>

#include <map>

class QPushButton;

namespace quillmark::gui {

// One check page of the main window's tab control: a button per check of
// the page. A check without a checker in this build has its button
// disabled. The page only announces which check was asked for; the window
// starts it through the shell.
class CheckPage : public QWidget {
    Q_OBJECT
public:
    struct Button {
        CheckKind kind;
        const char* tooltip;  // nullptr: none
    };

    // "摘要": Chinese abstract, English abstract, abstract notes.
    static CheckPage* abstractPage(QWidget* parent = nullptr);
    // "正文": body text and references.
    static CheckPage* textPage(QWidget* parent = nullptr);
    // "其它": cover.
    static CheckPage* otherPage(QWidget* parent = nullptr);

    CheckPage(const std::initializer_list<Button>& buttons, QWidget* parent = nullptr);

    QPushButton* button(CheckKind kind) const;

signals:
    void checkRequested(quillmark::CheckKind kind);

private:
    std::map<CheckKind, QPushButton*> buttons_;
};

}  // namespace quillmark::gui
