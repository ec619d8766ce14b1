#pragma once

#include <atomic>
#include <mutex>
#include <optional>
#include <string>
#include <vector>
#include <sys/types.h>

namespace quillmark {

// One batch worker process (`quillmark check --batch-worker`): it checks the
// jobs it is given one after another with an engine of its own, and answers
// each with a result (cli/BatchResults.h).
struct Worker {
    pid_t pid = -1;
    int inFd = -1;   // jobs to it
    int outFd = -1;  // results from it
    int errFd = -1;  // anything else it says, kept with its current job
    std::string results;
    std::optional<std::size_t> job;  // the job it works on now
    std::string strayErr;
};

// The command line of a worker: this program, "check --batch-worker", then
// `options` (what every job of the worker shares).
std::vector<std::string> workerCommand(const std::vector<std::string>& options);

// Starts one worker with its standard input, output and error on pipes of ours.
bool startWorker(const std::vector<std::string>& command, Worker& worker);

// Reads what is there; closes the pipe at its end.
void drain(int& fd, std::string& into);

void closeFd(int& fd);

// Waits for the worker's end, then closes its pipes after taking what it
// said last; the worker is empty afterwards except for `strayErr`.
void reapWorker(Worker& worker);

// The workers that run, for the interruption hook.
class RunningWorkers {
public:
    // Starts a worker, unless the workers are being interrupted: a worker
    // started after the others were told would never hear of it.
    bool start(const std::vector<std::string>& command, Worker& worker);
    bool interrupted() const { return interrupted_; }
    void remove(pid_t pid);
    // Hands the signal on and waits, within a bound, for each worker to
    // clean up after itself (its engine, its working copies).
    void interrupt(int signal);

private:
    std::mutex mutex_;
    std::vector<pid_t> pids_;
    std::atomic<bool> interrupted_{false};
};

}  // namespace quillmark
