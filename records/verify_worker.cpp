#include "records/verify_worker.h"

#include <sys/prctl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/headless/executable_folder.h"
#include "platform/headless/headless.h"
#include "records/frames.h"
#include "records/game_jobs.h"

namespace records {
namespace {

// From now on the worker may spend `seconds` more of processor time; past that SIGXCPU ends it.
void AllowSeconds(int seconds) {
    rusage used = {};
    getrusage(RUSAGE_SELF, &used);
    const rlim_t spent = static_cast<rlim_t>(used.ru_utime.tv_sec + used.ru_stime.tv_sec) + 1;
    const rlimit limit = {spent + static_cast<rlim_t>(seconds), RLIM_INFINITY};
    setrlimit(RLIMIT_CPU, &limit);
}

}  // namespace

int RunVerifyWorker(const char* argv0, int cpuSeconds) {
    // The worker goes with the server that started it, and yields the processor to it: a table
    // read waits for no replay being played.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    errno = 0;
    if (nice(10) == -1 && errno != 0)
        std::perror("tidewake-records worker: cannot lower its priority");
    const char* temporary = std::getenv("TMPDIR");
    std::string pattern =
        std::string(temporary && temporary[0] ? temporary : "/tmp") + "/tidewake-verify-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
        std::perror("tidewake-records worker: cannot make its folder");
        return 1;
    }
    const std::string folder = pattern;
    headless::SetExecutableDir(headless::ExecutableFolder(argv0));
    int status = 0;
    for (;;) {
        std::string request;
        bool timedOut = false;
        const auto never = std::chrono::steady_clock::time_point::max();
        if (!ReadFrame(STDIN_FILENO, request, never, timedOut)) break;
        AllowSeconds(cpuSeconds);
        const std::string answer = DoJob(request, folder);
        if (!WriteFrame(STDOUT_FILENO, answer)) {
            status = 1;
            break;
        }
    }
    std::remove((folder + "/course.dat").c_str());
    std::remove((folder + "/run.twr").c_str());
    rmdir(folder.c_str());
    return status;
}

}  // namespace records
