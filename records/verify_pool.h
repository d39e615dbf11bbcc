// The verification workers: as many processes as asked, each playing one replay at a time. A
// worker that dies or runs over is replaced; the server goes on.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "records/verifier.h"

namespace records {

struct PoolOptions {
    int workers = 2;
    int queue = 64;      // requests that may wait for a worker; beyond that, Busy
    int cpuSeconds = 5;  // a replay's processor time at most
    std::chrono::milliseconds wallLimit{15000};  // and its time on the clock
};

class WorkerPool : public Verifier {
  public:
    // `program` is this server's executable, started as "PROGRAM worker SECONDS".
    WorkerPool(std::string program, PoolOptions options);
    ~WorkerPool() override;
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    Verification Verify(const std::string& course, const std::string& replay) override;
    CourseCheck CheckCourse(const std::string& file, const std::string& name) override;

    // The workers' process ids, for tests that end one.
    std::vector<pid_t> WorkerIds();
    // Workers started since the pool began, the first ones included.
    int Started();

  private:
    struct Worker {
        pid_t pid = -1;
        int requests = -1;  // the worker's stdin
        int answers = -1;   // its stdout
    };

    // Hands a request frame to a free worker: its answer frame, or empty with `outcome` and
    // `message` saying what went wrong.
    std::string Job(const std::string& request, JobOutcome& outcome, std::string& message);
    bool Start(Worker& worker);
    static void Stop(Worker& worker);
    Worker Take(bool& busy);
    void Give(Worker worker);

    std::string program_;
    PoolOptions options_;
    std::mutex mutex_;
    std::condition_variable idleChanged_;
    std::vector<Worker> idle_;
    std::vector<pid_t> all_;
    int waiting_ = 0;
    int started_ = 0;
};

}  // namespace records
