#pragma once

#include <optional>
#include <string>
#include <vector>

namespace quillmark {

// One file for a batch worker, with what this file's check does differently
// from the worker's own options (a service's uploads each bring theirs).
// Unset members take the worker's options.
struct BatchJob {
    std::string file;
    std::string shownName;                             // how messages name the file; the path when empty
    std::optional<std::vector<std::string>> templates;  // template files, loaded over the defaults in order
    std::optional<std::string> type;                    // "bachelor", "master"
    std::optional<std::string> parts;
    std::optional<bool> fix;
    std::string report;     // where to write the checked document (and its text report beside it)
    bool comments = false;  // the findings as review comments in the report document
    std::string model;      // a model document to derive the template from, over the templates
    bool progress = false;  // tell each step on standard error as it starts (progressLine)
};

// A job as it travels to a worker: one JSON object, ended by a NUL.
std::string encodeJob(const BatchJob& job);
// Reads what encodeJob wrote (without the NUL); nothing when it is not a job.
std::optional<BatchJob> decodeJob(const std::string& text);

// The line a worker writes on standard error when a step of a job starts,
// and the step's text when `line` is one.
std::string progressLine(const std::string& text);
std::optional<std::string> progressOf(const std::string& line);

}  // namespace quillmark
