#pragma once

#include "template/FormatTemplate.h"
#include "template/TemplateLoader.h"

#include <filesystem>
#include <optional>

namespace quillmark {

class RunController;

// Changes of the current template made by the user ("载入模板", the settings
// dialog). Checkers read the current template in place, so a change made
// while a check run is in progress waits until the run has ended; the front
// end calls applyPending() when it learns that the run is over. Lives on the
// user-interface thread.
class TemplateChanges {
public:
    TemplateChanges(const RunController& runs, FormatTemplate& current) : runs_(runs), current_(current) {}

    // Loads a template file over the latest template; pending() tells
    // whether the change waits for the run. A file that is refused changes
    // nothing, a waiting change included.
    TemplateLoad loadFile(const std::filesystem::path& file);
    // Replaces the latest template; same result as loadFile().
    bool replace(const FormatTemplate& changed);

    // Carries a waiting change into the current template once no run is in
    // progress. True when the current template changed.
    bool applyPending();

    bool pending() const { return waiting_.has_value(); }
    // The template the next run will read: the waiting change, else the current one.
    const FormatTemplate& latest() const { return waiting_ ? *waiting_ : current_; }

private:
    const RunController& runs_;
    FormatTemplate& current_;
    std::optional<FormatTemplate> waiting_;
};

}  // namespace quillmark
