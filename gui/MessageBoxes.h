#pragma once

#include "shell/UserMessages.h"

class QWidget;

namespace quillmark::gui {

// The message boxes of the main window: plain messages with the program's
// caption and an OK button, error boxes with their own caption brought to
// the front, and the one Yes/No question.
class MessageBoxes : public UserMessages {
public:
    explicit MessageBoxes(QWidget* parent) : parent_(parent) {}

    void showMessage(const std::string& text) override;
    void showError(const std::string& caption, const std::string& text) override;
    bool askYesNo(const std::string& text) override;

private:
    QWidget* parent_;
};

}  // namespace quillmark::gui
