#include "cli/CheckCommand.h"

#include "cli/BatchCheck.h"
#include "cli/BatchJob.h"
#include "cli/BatchResults.h"

#include "checks/Checker.h"
#include "derive/ModelDerivation.h"
#include "checks/CheckerBodies.h"
#include "cli/PartNames.h"
#include "cli/TemplateCommand.h"
#include "shell/CheckKinds.h"
#include "shell/DocumentSet.h"
#include "shell/HandOverQueue.h"
#include "shell/PostingReporter.h"
#include "shell/ReportTarget.h"
#include "shell/ReportWriter.h"
#include "shell/RunController.h"
#include "shell/RunLock.h"
#include "shell/WorkingFolder.h"
#include "template/Codepage936.h"
#include "word/CallBound.h"
#include "word/msword.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <chrono>
#include <atomic>
#include <iostream>
#include <memory>
#include <mutex>
#include <optional>
#include <sstream>
#include <fcntl.h>
#include <unistd.h>

namespace quillmark {

namespace {

constexpr int kNoFindings = 0;
constexpr int kFindings = 1;
constexpr int kError = 2;

// Messages a front end would show in a box go to standard error; the one
// question ("check this part again?") never arises on the command line.
class ConsoleMessages : public UserMessages {
public:
    explicit ConsoleMessages(std::ostream& err) : err_(err) {}
    void showMessage(const std::string& text) override {
        std::lock_guard lock(mutex_);
        err_ << "quillmark: " << text << '\n';
        ++count_;
    }
    void showError(const std::string& caption, const std::string& text) override { showMessage(caption + ": " + text); }
    // The engine's own description is the message; the boxes' framing is
    // for the window.
    void showEngineError(long code, const std::string& description) override {
        if (description.empty()) MessageSink::showEngineError(code, description); else showMessage(description);
    }
    bool askYesNo(const std::string&) override { return true; }
    int count() const { return count_; }

private:
    std::ostream& err_;
    std::mutex mutex_;
    std::atomic<int> count_{0};
};

// The status bar, for --verbose; each line names the file it is about, so
// that the lines of several files at once can be told apart.
class ConsoleStatus : public StatusSink {
public:
    ConsoleStatus(std::ostream& err, bool verbose) : err_(err), verbose_(verbose) {}
    void setFile(const std::string& file) {
        std::lock_guard lock(mutex_);
        file_ = file;
    }
    void setPart(int part, const std::string& text) override {
        if (!verbose_ || text.find_first_not_of(' ') == std::string::npos) return;
        std::lock_guard lock(mutex_);
        err_ << file_ << ": [" << part << "] " << text << '\n';
    }

private:
    std::ostream& err_;
    bool verbose_;
    std::mutex mutex_;
    std::string file_;
};

struct Finding {
    std::string file;
    CheckKind kind;
    StoredFinding stored;
};

// A message may hold a line break ("\r\n\t"); on the console each finding
// keeps to one line, the break shown as one space.
std::string oneLine(const std::string& text) {
    std::string line;
    bool inBreak = false;
    for (char c : text) {
        const bool breaking = c == '\r' || c == '\n' || c == '\t';
        if (breaking && !inBreak) line += ' ';
        if (!breaking) line += c;
        inBreak = breaking;
    }
    return line;
}

std::string consoleLine(std::size_t number, const StoredFinding& finding) {
    StoredFinding shown = finding;
    shown.description = oneLine(finding.description);
    std::string line = gbkToUtf8(reportLine(number, shown));
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    return line;
}

bool validateOptions(const CheckOptions& options, std::vector<CheckKind>& kinds, std::ostream& err) {
    if (options.files.empty() && !options.batchWorker) {
        err << "quillmark: no file to check\n";
        return false;
    }
    if (options.comments && options.report.empty()) {
        err << "quillmark: --comments needs --report\n";
        return false;
    }
    if (!options.report.empty() && options.files.size() != 1) {
        err << "quillmark: --report takes exactly one file to check\n";
        return false;
    }
    if (!options.report.empty() && options.files.size() == 1) {
        if (auto problem = reportTargetProblem(options.report, {options.files.front()})) {
            err << "quillmark: " << *problem << '\n';
            return false;
        }
    }
    if (options.jobs < 1) {
        err << "quillmark: --jobs must be at least 1\n";
        return false;
    }
    if (options.openTimeoutSeconds < 1) {
        err << "quillmark: --open-timeout must be at least 1 second\n";
        return false;
    }
    if (options.callTimeoutSeconds && *options.callTimeoutSeconds < 1) {
        err << "quillmark: --call-timeout must be at least 1 second\n";
        return false;
    }
    if (!options.type.empty() && options.type != "bachelor" && options.type != "master") {
        err << "quillmark: --type must be bachelor or master\n";
        return false;
    }
    std::vector<std::string> unknown;
    if (!options.parts) {
        for (CheckKind kind : kCheckAllOrder) {
            if (makeChecker(kind)) kinds.push_back(kind);
        }
        return true;
    }
    kinds = parseParts(*options.parts, unknown);
    for (const auto& name : unknown) err << "quillmark: unknown part \"" << name << "\"\n";
    for (CheckKind kind : kinds) {
        if (!makeChecker(kind)) {
            err << "quillmark: the part \"" << partName(kind) << "\" cannot be checked yet\n";
            unknown.emplace_back(partName(kind));
        }
    }
    if (kinds.empty() && unknown.empty()) err << "quillmark: --parts names no part\n";
    return unknown.empty() && !kinds.empty();
}

class CommandLineCheck {
public:
    CommandLineCheck(const CheckOptions& options, std::ostream& err)
        : messages_(err),
          status_(err, options.verbose),
          reporter_(queue_),
          documents_(runLock_, messages_, workingFolder(), DocumentSet::Options{.workerMessages = &messages_}),
          runs_(runLock_, status_, messages_) {
        installCheckerBodies(runs_);
        runs_.setMode(options.fix ? CheckMode::AutoFix : CheckMode::Check);
    }

    ~CommandLineCheck() {
        documents_.endWordAtOnce();
        documents_.deleteWorkingCopies();
    }

    // Checks one file; false when it could not be opened or a check failed.
    // With `tellSteps`, each step is told on standard error as it starts.
    bool check(const std::string& file, const FormatTemplate& formatTemplate, const std::vector<CheckKind>& kinds,
               bool tellSteps = false) {
        const int messagesBefore = messages_.count();
        status_.setFile(file);
        if (tellSteps) tellStep("正在打开文档");
        auto record = documents_.open(file);
        if (!record) return false;
        documents_.waitForOpenings();
        if (record->wordDocument().IsNull()) return false;
        record->sourcePath = file;
        CheckContext context;
        context.documentIndex = static_cast<int>(documents_.size()) - 1;
        context.documentId = record->id;
        context.wordDocument = record->wordDocument();
        context.wordApplication = documents_.application().get();
        context.formatTemplate = &formatTemplate;
        context.fileName = record->displayName;
        context.reporter = &reporter_;
        // One check at a time, so that each finding is known by its check.
        // A failed check (the engine gone, a broken document) ends the
        // document's run: one message for one failure.
        std::size_t step = 0;
        for (CheckKind kind : kinds) {
            if (tellSteps) {
                tellStep(std::string(checkLabel(kind)) + "（" + std::to_string(++step) + "/" +
                         std::to_string(kinds.size()) + "）");
            }
            runs_.allowRuns();
            if (runs_.start({kind}, context, record) != RunController::StartResult::Started) return false;
            runs_.wait();
            collect(file, kind);
            if (messages_.count() != messagesBefore) break;
        }
        last_ = record;
        return messages_.count() == messagesBefore;
    }

    bool writeReportOf(const std::string& target, const ReportOptions& reportOptions) {
        if (!last_) return false;
        const ReportResult result = writeReport(*last_, target, runLock_, reportOptions);
        if (!result.ok()) messages_.showMessage(result.message);
        return result.ok();
    }

    const std::vector<Finding>& findings() const { return findings_; }

    void setMode(bool fix) { runs_.setMode(fix ? CheckMode::AutoFix : CheckMode::Check); }

    // Closes the checked documents and deletes their working copies, so
    // that a long batch keeps one document at a time in the engine and on
    // disk.
    void closeDocuments() {
        while (!documents_.empty()) documents_.removeOne(0);
        last_.reset();
    }

    // Deletes the working copies made so far; a batch is done with them.
    void deleteWorkingCopies() { documents_.deleteWorkingCopies(); }

private:
    static void tellStep(const std::string& text) { writeAll(STDERR_FILENO, progressLine(text)); }

    void collect(const std::string& file, CheckKind kind) {
        for (HandOver& item : queue_.takeAll()) {
            auto* posted = std::get_if<FindingPosted>(&item);
            if (!posted) continue;
            const CheckError& e = posted->error;
            StoredFinding stored{e.page, e.line, e.level, e.description, e.position};
            if (auto record = documents_.findById(posted->documentId)) record->findings.push_back(stored);
            findings_.push_back({file, kind, stored});
        }
    }

    RunLock runLock_;
    ConsoleMessages messages_;
    ConsoleStatus status_;
    HandOverQueue queue_;
    PostingReporter reporter_;
    DocumentSet documents_;
    RunController runs_;
    std::shared_ptr<ThesisDocument> last_;
    std::vector<Finding> findings_;
};

void printText(const CheckOptions& options, const std::vector<Finding>& findings, std::ostream& out) {
    for (const std::string& file : options.files) {
        out << file << '\n';
        std::size_t number = 0;
        for (const Finding& f : findings) {
            if (f.file == file) out << consoleLine(++number, f.stored) << '\n';
        }
    }
}

void printJson(const std::vector<Finding>& findings, std::ostream& out) {
    nlohmann::json all = nlohmann::json::array();
    for (const Finding& f : findings) {
        all.push_back({{"file", f.file},
                       {"check", partName(f.kind)},
                       {"level", f.stored.level},
                       {"page", f.stored.page},
                       {"line", f.stored.line},
                       {"position", f.stored.position},
                       {"description", f.stored.description}});
    }
    out << all.dump(1, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
}

// The template of --template and --type; nothing when a template file
// cannot be loaded (told on `err`).
std::optional<FormatTemplate> commandTemplate(const CheckOptions& options, std::ostream& err) {
    FormatTemplate formatTemplate;
    if (!loadTemplateFiles(formatTemplate, options.templates, err)) return std::nullopt;
    if (options.type == "bachelor") formatTemplate.thesisType = kBachelorThesis;
    if (options.type == "master") formatTemplate.thesisType = kMasterThesis;
    return formatTemplate;
}

std::string replaceAll(std::string text, const std::string& what, const std::string& by) {
    for (std::size_t at = text.find(what); !what.empty() && at != std::string::npos; at = text.find(what, at + by.size())) {
        text.replace(at, what.size(), by);
    }
    return text;
}

// What one job of a batch worker checks with: the worker's options, with
// what the job sets instead.
struct JobSettings {
    CheckOptions options;
    std::vector<CheckKind> kinds;
    FormatTemplate formatTemplate;
};

std::optional<JobSettings> jobSettings(const CheckOptions& worker, const BatchJob& job, std::ostream& err) {
    JobSettings settings{worker, {}, {}};
    CheckOptions& o = settings.options;
    o.files = {job.file};
    if (job.templates) o.templates = *job.templates;
    if (job.type) o.type = *job.type;
    if (job.parts) o.parts = *job.parts;
    if (job.fix) o.fix = *job.fix;
    o.batchWorker = false;
    if (!validateOptions(o, settings.kinds, err)) return std::nullopt;
    // The worker's own templates warned once, in the batch; a job's own
    // templates warn with the job.
    // A job's template that cannot load fails the job with its one line.
    std::ostringstream ignored;
    const std::optional<FormatTemplate> loaded = commandTemplate(o, job.templates ? err : ignored);
    if (!loaded) return std::nullopt;
    settings.formatTemplate = *loaded;
    return settings;
}

// A job's template derived from its model document, over the template the
// job names; false (with the one message) when there is none.
bool deriveJobTemplate(const BatchJob& job, JobSettings& settings, std::ostream& err) {
    if (job.progress) writeAll(STDERR_FILENO, progressLine("正在从模板文档生成模板"));
    DerivationRequest request;
    request.thesisType = settings.formatTemplate.thesisType;
    request.base = settings.formatTemplate;
    RunLock derivation;
    const ModelDerivation outcome = deriveTemplateFromModel(job.model, request, derivation);
    if (!outcome.derived) {
        err << "quillmark: " << replaceAll(outcome.error, job.model, "模板文档") << '\n';
        return false;
    }
    settings.formatTemplate = outcome.derived->formatTemplate;
    settings.formatTemplate.thesisType = request.thesisType;
    return true;
}

// A process of a batch: every job it is given is checked with the same
// engine (a fresh one only after the engine died or a document ended it),
// and answered as a check of that file alone would print it.
int serveBatchFiles(const CheckOptions& options) {
    const int results = ::fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 0);
    // Whatever else reaches standard output goes with the file's messages.
    ::dup2(STDERR_FILENO, STDOUT_FILENO);
    std::ostringstream err;
    CommandLineCheck run(options, err);
    std::string request;
    std::size_t seen = 0;
    while (std::getline(std::cin, request, '\0')) {
        const std::optional<BatchJob> job = decodeJob(request);
        if (!job) break;
        std::optional<JobSettings> settings = jobSettings(options, *job, err);
        if (settings && !job->model.empty() && !deriveJobTemplate(*job, *settings, err)) settings.reset();
        bool checked = false;
        if (settings) {
            run.setMode(settings->options.fix);
            checked = run.check(job->file, settings->formatTemplate, settings->kinds, job->progress);
            if (checked && !job->report.empty()) checked = run.writeReportOf(job->report, {.comments = job->comments});
        }
        // After a failure the engine may be gone with the document: closing
        // it would only add a second message to the one the file has.
        if (checked) run.closeDocuments();
        run.deleteWorkingCopies();
        std::vector<Finding> found(run.findings().begin() + static_cast<std::ptrdiff_t>(seen), run.findings().end());
        seen = run.findings().size();
        std::string said = err.str();
        if (!job->shownName.empty()) {
            for (Finding& f : found) f.file = job->shownName;
            said = replaceAll(said, job->file, job->shownName);
        }
        std::ostringstream out;
        CheckOptions printed = settings ? settings->options : options;
        printed.files = {job->shownName.empty() ? job->file : job->shownName};
        if (options.json) printJson(found, out); else printText(printed, found, out);
        FileResult result{!checked ? kError : found.empty() ? kNoFindings : kFindings, out.str(), said};
        err.str({});
        if (!writeAll(results, encodeResult(result))) break;
    }
    ::close(results);
    return 0;
}

}  // namespace

int runCheck(const CheckOptions& options, std::ostream& out, std::ostream& err) {
    std::vector<CheckKind> kinds;
    if (!validateOptions(options, kinds, err)) return kError;
    word::setOpenTimeout(std::chrono::seconds(options.openTimeoutSeconds));
    if (options.callTimeoutSeconds) word::setCallTimeout(std::chrono::seconds(*options.callTimeoutSeconds));
    if (options.batchWorker) return serveBatchFiles(options);
    // Before any thesis is opened: a template that cannot load ends the check.
    const std::optional<FormatTemplate> loaded = commandTemplate(options, err);
    if (!loaded) return kError;
    if (options.jobs > 1 && options.files.size() > 1) return runBatch(options, out, err);
    const FormatTemplate& formatTemplate = *loaded;

    bool failed = false;
    std::vector<Finding> findings;
    {
        CommandLineCheck run(options, err);
        for (const std::string& file : options.files) {
            if (!run.check(file, formatTemplate, kinds)) failed = true;
        }
        if (!options.report.empty() && !failed && !run.writeReportOf(options.report, {.comments = options.comments})) failed = true;
        findings = run.findings();
    }
    if (options.json) printJson(findings, out); else printText(options, findings, out);
    if (failed) return kError;
    return findings.empty() ? kNoFindings : kFindings;
}

void addCheckCommand(CLI::App& app) {
    auto options = std::make_shared<CheckOptions>();
    CLI::App* check = app.add_subcommand("check", "Check theses against the format template");
    check->add_option("FILE", options->files, "Theses to check (.doc or .docx)");
    check->add_option("--template", options->templates, "Template file to load over the defaults (repeatable)");
    check->add_option("--type", options->type, "Kind of thesis: bachelor or master (overrides the template)");
    check->add_option("--parts", options->parts,
                      "Parts to check, comma-separated: cover,cn-abstract,en-abstract,notes,body,references");
    check->add_flag("--fix", options->fix, "Correct the formatting instead of only reporting it");
    check->add_option("--report", options->report, "Write the checked document here and the text report beside it");
    check->add_flag("--comments", options->comments, "Put every finding into the report document as a review comment");
    check->add_flag("--json", options->json, "Print the findings as JSON");
    check->add_flag("--verbose", options->verbose, "Print the run's status texts on standard error");
    check->add_option("--open-timeout", options->openTimeoutSeconds,
                      "Seconds a document may take to open before it is refused (default 120)");
    check->add_option("--call-timeout", options->callTimeoutSeconds,
                      "Seconds the engine may take to answer one call during a check before the document's "
                      "check ends (default 120)");
    check->add_option("--jobs", options->jobs, "Check this many files at once, each worker with an engine of its own (default 1)");
    check->add_flag("--batch-worker", options->batchWorker)->group("");
    check->callback([options] {
        const int exitCode = runCheck(*options, std::cout, std::cerr);
        if (exitCode != 0) throw CLI::RuntimeError(exitCode);
    });
}

}  // namespace quillmark
