#pragma once

#include "shell/UserMessages.h"

#include <string>
#include <vector>

// Message boxes that only remember their texts.
class RecordingMessages : public quillmark::UserMessages {
public:
    void showMessage(const std::string& text) override { shown.push_back(text); }
    bool askYesNo(const std::string& text) override {
        shown.push_back(text);
        return false;
    }

    std::vector<std::string> shown;
};
