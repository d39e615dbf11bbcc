#include "records/verify_pool.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <nlohmann/json.hpp>

#include "records/frames.h"
#include "records/game_jobs.h"

namespace records {

int64_t Hundredths(double seconds) {
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", seconds);
    std::string digits;
    for (const char* c = text; *c != '\0'; ++c) {
        if (*c != '.') digits += *c;
    }
    return std::stoll(digits);
}

namespace {

// The answer's JSON and bytes; an answer that is neither is the worker's failure.
bool Parsed(const std::string& answer, nlohmann::json& json, std::string& bytes,
            JobOutcome& outcome, std::string& message) {
    std::string text;
    outcome = JobOutcome::Crashed;
    if (!UnpackPair(answer, text, bytes)) {
        message = "the worker's answer is not a frame of its own";
        return false;
    }
    json = nlohmann::json::parse(text, nullptr, false);
    if (!json.is_object()) {
        message = "the worker's answer is not JSON";
        return false;
    }
    if (json.contains("refused")) {
        outcome = JobOutcome::Refused;
        message = json.value("refused", "");
        return false;
    }
    if (json.contains("failed")) {
        message = json.value("failed", "");
        return false;
    }
    outcome = JobOutcome::Done;
    return true;
}

}  // namespace

WorkerPool::WorkerPool(std::string program, PoolOptions options)
    : program_(std::move(program)), options_(options) {
    // A worker gone while its request is written must fail the write, not end the server.
    signal(SIGPIPE, SIG_IGN);
    for (int i = 0; i < options_.workers; ++i) {
        Worker worker;
        if (Start(worker)) idle_.push_back(worker);
    }
}

WorkerPool::~WorkerPool() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (Worker& worker : idle_) Stop(worker);
}

bool WorkerPool::Start(Worker& worker) {
    int requests[2];
    int answers[2];
    if (pipe2(requests, O_CLOEXEC) != 0) return false;
    if (pipe2(answers, O_CLOEXEC) != 0) {
        close(requests[0]);
        close(requests[1]);
        return false;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, requests[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, answers[1], STDOUT_FILENO);
    // What the game says of a replay it refuses comes back in the answer; its stderr is noise.
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const std::string seconds = std::to_string(options_.cpuSeconds);
    char* argv[] = {const_cast<char*>(program_.c_str()), const_cast<char*>("worker"),
                    const_cast<char*>(seconds.c_str()), nullptr};
    pid_t pid = -1;
    const int spawned = posix_spawn(&pid, program_.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(requests[0]);
    close(answers[1]);
    if (spawned != 0) {
        close(requests[1]);
        close(answers[0]);
        return false;
    }
    worker = {pid, requests[1], answers[0]};
    ++started_;
    all_.push_back(pid);
    return true;
}

void WorkerPool::Stop(Worker& worker) {
    if (worker.pid > 0) {
        kill(worker.pid, SIGKILL);
        waitpid(worker.pid, nullptr, 0);
    }
    if (worker.requests >= 0) close(worker.requests);
    if (worker.answers >= 0) close(worker.answers);
    worker = Worker();
}

WorkerPool::Worker WorkerPool::Take(bool& busy) {
    std::unique_lock<std::mutex> lock(mutex_);
    busy = idle_.empty() && waiting_ >= options_.queue;
    // With no worker alive (none could be started) the request tries to start one itself.
    if (busy || all_.empty()) return Worker();
    ++waiting_;
    idleChanged_.wait(lock, [this] { return !idle_.empty(); });
    --waiting_;
    Worker worker = idle_.back();
    idle_.pop_back();
    return worker;
}

void WorkerPool::Give(Worker worker) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        idle_.push_back(worker);
    }
    idleChanged_.notify_one();
}

std::string WorkerPool::Job(const std::string& request, JobOutcome& outcome, std::string& message) {
    bool busy = false;
    Worker worker = Take(busy);
    if (busy) {
        outcome = JobOutcome::Busy;
        message = "the verification queue is full; try again shortly";
        return "";
    }
    const auto deadline = std::chrono::steady_clock::now() + options_.wallLimit;
    std::string answer;
    bool timedOut = false;
    const bool answered = worker.pid > 0 && WriteFrame(worker.requests, request) &&
                          ReadFrame(worker.answers, answer, deadline, timedOut);
    if (answered) {
        Give(worker);
        outcome = JobOutcome::Done;
        return answer;
    }
    // Dead, or still at it past its time: another takes its place.
    const pid_t gone = worker.pid;
    int status = 0;
    const bool exited = gone > 0 && waitpid(gone, &status, WNOHANG) == gone;
    const bool overran = timedOut || (exited && WIFSIGNALED(status) && WTERMSIG(status) == SIGXCPU);
    if (exited) worker.pid = -1;
    Stop(worker);
    Worker fresh;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        all_.erase(std::remove(all_.begin(), all_.end(), gone), all_.end());
        Start(fresh);
    }
    // A worker that cannot be started leaves a slot the pool does without.
    if (fresh.pid > 0) Give(fresh);
    outcome = overran ? JobOutcome::Overran : JobOutcome::Crashed;
    message = overran ? "the job took longer than a race can" : "the verifier failed";
    return "";
}

Verification WorkerPool::Verify(const std::string& course, const std::string& replay) {
    Verification v;
    const std::string answer = Job(VerifyRequest(course, replay), v.outcome, v.message);
    nlohmann::json json;
    std::string bytes;
    if (v.outcome != JobOutcome::Done || !Parsed(answer, json, bytes, v.outcome, v.message)) {
        return v;
    }
    v.checksum = json.value("checksum", uint64_t{0});
    v.finished = json.value("finished", false);
    v.place = json.value("place", int64_t{0});
    const nlohmann::json laps = json.value("laps", nlohmann::json::array());
    for (size_t lap = 0; lap < 4 && lap < laps.size(); ++lap) {
        v.laps[lap] = Hundredths(laps[lap].get<double>());
    }
    v.total = Hundredths(json.value("total", 0.0));
    return v;
}

CourseCheck WorkerPool::CheckCourse(const std::string& file, const std::string& name) {
    CourseCheck c;
    const std::string answer = Job(CourseRequest(file, name), c.outcome, c.message);
    nlohmann::json json;
    std::string bytes;
    if (c.outcome != JobOutcome::Done || !Parsed(answer, json, bytes, c.outcome, c.message)) {
        return c;
    }
    if (!UnpackPair(bytes, c.file, c.map)) {
        c.outcome = JobOutcome::Crashed;
        c.message = "the worker's answer lacks the course's files";
        return c;
    }
    c.checksum = json.value("checksum", "");
    c.name = json.value("name", "");
    c.info1 = json.value("info1", "");
    c.info2 = json.value("info2", "");
    c.enName = json.value("en_name", "");
    c.enInfo1 = json.value("en_info1", "");
    c.enInfo2 = json.value("en_info2", "");
    return c;
}

std::vector<pid_t> WorkerPool::WorkerIds() {
    std::lock_guard<std::mutex> lock(mutex_);
    return all_;
}

int WorkerPool::Started() {
    std::lock_guard<std::mutex> lock(mutex_);
    return started_;
}

}  // namespace records
