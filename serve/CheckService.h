#pragma once

#include "cli/WorkerProcess.h"

#include <nlohmann/json.hpp>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace quillmark::serve {

// What an upload asks for, as the worker gets it.
struct CheckRequest {
    std::string shownName;  // the uploaded file's name: shown, never a path
    std::filesystem::path document;
    std::vector<std::string> templates;  // loaded over the defaults in order
    std::string type;                    // "", "bachelor", "master"
    std::string parts;                   // "": every part
    bool fix = false;
    bool report = true;  // write the checked document and the text report
    bool comments = false;  // the findings as review comments in the checked document
    std::filesystem::path model;  // a model document to derive the template from; empty: none
};

enum class CheckStatus { Queued, Running, Done, Failed };
const char* statusName(CheckStatus status);

// One check as the API shows it.
struct CheckView {
    std::string id;
    CheckRequest request;
    CheckStatus status = CheckStatus::Queued;
    std::size_t queuePlace = 0;  // 1: next; only while queued
    std::string progress;
    std::string message;  // why it failed, in Chinese
    nlohmann::json findings = nlohmann::json::array();
    std::optional<std::filesystem::path> report;  // the checked document, once written
};

struct ServiceSettings {
    int jobs = 2;
    std::size_t queueBound = 32;
    std::chrono::milliseconds keep = std::chrono::minutes(60);
    std::vector<std::string> workerOptions;  // shared by every job (timeouts)
    std::filesystem::path storage;           // one folder per check inside
};

struct ServiceFigures {
    std::size_t queued = 0;
    std::size_t running = 0;
    std::size_t kept = 0;
    std::uint64_t done = 0;
    std::uint64_t failed = 0;
    std::vector<double> durationBuckets;    // upper bounds, seconds
    std::vector<std::uint64_t> durationCounts;  // cumulative, one per bucket, then +Inf
    double durationSum = 0;
};

// The checks of a service: a bounded queue, N batch workers (each keeping
// one engine) and the results until they expire. One thread hands the
// queue to the workers and reads their answers; the HTTP threads only
// submit, look and delete.
class CheckService {
public:
    explicit CheckService(ServiceSettings settings);
    ~CheckService();  // ends the workers and deletes every check's files
    CheckService(const CheckService&) = delete;
    CheckService& operator=(const CheckService&) = delete;

    // A new check's folder (created, readable by us only) and id; nothing
    // when the queue is full.
    struct Slot {
        std::string id;
        std::filesystem::path folder;
    };
    std::optional<Slot> reserve();
    // Queues the check whose upload is in its slot's folder; false when the
    // queue filled meanwhile (the folder is deleted then).
    bool submit(const Slot& slot, CheckRequest request);
    // Gives a reserved slot back (a refused upload): its folder is deleted.
    void release(const Slot& slot);

    std::optional<CheckView> find(const std::string& id) const;
    // Ends the check (its worker too, when it runs) and deletes its files.
    bool remove(const std::string& id);

    ServiceFigures figures() const;
    int jobs() const { return settings_.jobs; }

    // For SIGTERM/SIGINT: hands the signal to the workers and waits for them
    // to end their engines.
    void interrupt(int signal);

private:
    struct Check;
    void dispatch();
    void startQueued(std::unique_lock<std::mutex>& lock);
    void readWorkers();
    void takeAnswer(std::size_t slot);
    void takeProgress(std::size_t slot);
    std::string retire(std::size_t slot);  // ends a worker; what it said
    void finish(Check& check, bool failed, const std::string& message);
    void endCancelled();
    void expire();
    void wake();
    void deleteFolder(const std::filesystem::path& folder) const;

    const ServiceSettings settings_;
    const std::vector<std::string> command_;
    mutable std::mutex mutex_;
    std::map<std::string, std::unique_ptr<Check>> checks_;
    std::deque<std::string> queue_;
    std::size_t reserved_ = 0;
    std::vector<Worker> workers_;
    std::vector<std::string> current_;  // the check of each worker, "" when free
    std::vector<std::string> lines_;    // each worker's unfinished line on standard error
    std::shared_ptr<RunningWorkers> running_ = std::make_shared<RunningWorkers>();
    std::uint64_t done_ = 0, failed_ = 0;
    std::vector<std::uint64_t> durationCounts_;
    double durationSum_ = 0;
    int wakeFds_[2] = {-1, -1};
    bool stopping_ = false;
    std::thread dispatcher_;
};

}  // namespace quillmark::serve
