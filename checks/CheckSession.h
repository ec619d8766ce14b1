#pragma once

#include "shell/CheckContext.h"
#include "shell/CheckMode.h"
#include "checks/TemplateElements.h"

#include <string>

namespace quillmark {

struct FrameSteps;
class Checker;

// Page and line as the engine reports them: page of the active end
// (Information 3) and line of the first character (Information 10).
struct Location {
    int page = 0;
    int line = 0;
    bool operator==(const Location&) const = default;
};

// The state of one check run: the document, its application and Selection,
// the template, the mode and the page count, plus the two ways a checker
// talks to the outside: findings and progress.
class CheckSession {
public:
    CheckSession(const CheckContext& context, CheckMode mode);

    CheckSession(const CheckSession&) = delete;
    CheckSession& operator=(const CheckSession&) = delete;

    // Frame steps: Document.Activate, Application.Visible = false, fetch the
    // Selection, optionally collapse it to the start of the document and
    // post the check state, then total pages = Selection.Information(4).
    // `progressName` is carried by every later progress report.
    void start(const FrameSteps& steps, const char* progressName);

    word::Document& document() { return document_; }
    word::Application& application() { return *application_; }
    word::Selection& selection() { return selection_; }
    const FormatTemplate& formatTemplate() const { return *template_; }
    CheckMode mode() const { return mode_; }
    bool autoFix() const { return mode_ == CheckMode::AutoFix; }
    int totalPages() const { return totalPages_; }
    const std::string& fileName() const { return context_.fileName; }

    // A range of the document under check.
    word::Range range(long start, long end) const { return document_.Range(start, end); }

    // Hands one finding over: fileName from the context, the other five
    // fields as given.
    void post(const char* level, int page, int line, const std::string& description, int position);
    void post(const char* level, const Location& where, const std::string& description, int position);

    // A progress report: check name, total pages, line, page.
    void progress(int page, int line);
    void progress(const Location& where) { progress(where.page, where.line); }
    // A progress report at the Selection.
    void progressAtSelection() { progress(locateSelection()); }
    // Later progress reports carry this check name instead.
    void setProgressName(const char* name) { progressName_ = name ? name : ""; }

    // Where the Selection stood before the frame collapsed it.
    long startOfRunStart() const { return startOfRunStart_; }
    long startOfRunEnd() const { return startOfRunEnd_; }

    // Tells the element sink, when there is one, where an element of the
    // template was located (TemplateElements.h).
    void setElementSink(ElementSink* sink) { elements_ = sink; }
    void found(TemplateElement element, const word::Range& range) {
        if (elements_) elements_->found(element, range);
    }

    // Locate: page = Information(3), line = Information(10).
    static Location locate(const word::Range& range);
    Location locateSelection() const { return locate(selection_); }

private:
    const CheckContext& context_;
    CheckMode mode_;
    word::Document document_;
    word::Application* application_;
    const FormatTemplate* template_;
    word::Selection selection_;
    int totalPages_ = 0;
    std::string progressName_;
    long startOfRunStart_ = 0;
    long startOfRunEnd_ = 0;
    ElementSink* elements_ = nullptr;
};

}  // namespace quillmark
