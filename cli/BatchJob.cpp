#include "cli/BatchJob.h"

#include <nlohmann/json.hpp>

namespace quillmark {

namespace {

constexpr char kProgressMark[] = "quillmark-progress ";

}  // namespace

std::string encodeJob(const BatchJob& job) {
    nlohmann::json j = {{"file", job.file}};
    if (!job.shownName.empty()) j["shownName"] = job.shownName;
    if (job.templates) j["templates"] = *job.templates;
    if (job.type) j["type"] = *job.type;
    if (job.parts) j["parts"] = *job.parts;
    if (job.fix) j["fix"] = *job.fix;
    if (!job.report.empty()) j["report"] = job.report;
    if (job.comments) j["comments"] = true;
    if (!job.model.empty()) j["model"] = job.model;
    if (job.progress) j["progress"] = true;
    return j.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) + std::string(1, '\0');
}

std::optional<BatchJob> decodeJob(const std::string& text) {
    const auto j = nlohmann::json::parse(text, nullptr, false);
    if (!j.is_object() || !j.contains("file") || !j["file"].is_string()) return std::nullopt;
    try {
        BatchJob job;
        job.file = j["file"].get<std::string>();
        job.shownName = j.value("shownName", std::string());
        if (j.contains("templates")) job.templates = j["templates"].get<std::vector<std::string>>();
        if (j.contains("type")) job.type = j["type"].get<std::string>();
        if (j.contains("parts")) job.parts = j["parts"].get<std::string>();
        if (j.contains("fix")) job.fix = j["fix"].get<bool>();
        job.report = j.value("report", std::string());
        job.comments = j.value("comments", false);
        job.model = j.value("model", std::string());
        job.progress = j.value("progress", false);
        return job;
    } catch (const nlohmann::json::exception&) {
        return std::nullopt;
    }
}

std::string progressLine(const std::string& text) { return kProgressMark + text + "\n"; }

std::optional<std::string> progressOf(const std::string& line) {
    const std::size_t at = line.find(kProgressMark);
    if (at == std::string::npos) return std::nullopt;
    return line.substr(at + sizeof kProgressMark - 1);
}

}  // namespace quillmark
