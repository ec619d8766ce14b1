#pragma once

#include <string>

namespace quillmark {

// The status bar of the main window: part 0 names the thesis type, part 1
// shows progress and the end of a run, part 2 the part under check, part 3
// is emptied at the end of a body-text run.
class StatusSink {
public:
    virtual ~StatusSink() = default;
    virtual void setPart(int part, const std::string& text) = 0;
};

}  // namespace quillmark
