#pragma once

#include <string>

namespace quillmark {

// Message boxes of the main window, as far as worker threads may raise them:
// a plain message with the default caption and an OK button, or an error box
// with its own caption, brought to the foreground.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void showMessage(const std::string& text) = 0;
    virtual void showError(const std::string& caption, const std::string& text) { showMessage(text); }
    // An engine error: by default the engine's boxes (a description in a
    // "Server Error" box, a bare code after "调试" in a "COM Error" box, see
    // reportEngineError); a console prints the description alone.
    virtual void showEngineError(long code, const std::string& description);
};

// All message boxes of the main window, including its one question (Yes/No).
// Called on the user-interface thread only; worker threads reach the user
// through a MessageSink that hands the text over to that thread.
class UserMessages : public MessageSink {
public:
    virtual bool askYesNo(const std::string& text) = 0;
};

}  // namespace quillmark
