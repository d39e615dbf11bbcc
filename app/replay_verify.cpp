#include "app/replay_verify.h"

#include <cstdint>
#include <cstdio>

#include "base/app_state.h"
#include "platform/headless/headless.h"
#include "race/race_clock.h"
#include "race/race_state.h"
#include "race/records.h"
#include "race/replay_course.h"
#include "shell/main_loop.h"

namespace {

struct Ending {
    bool ended = false;
};

// A replay's race ends where it would start over: at its finish or when its time is up.
bool AfterFrame(int32_t sceneThatRan, void* context) {
    Ending& ending = *static_cast<Ending*>(context);
    if (sceneThatRan == kSceneRace && Scene != kSceneRace) {
        ending.ended = true;
        return false;
    }
    return true;
}

}  // namespace

int JudgeReplay(const char* path, ReplayVerdict& verdict) {
    headless::SetDrawing(false);
    headless::SetText(false);
    Ending ending;
    const int status = RunGame(AfterFrame, &ending, path);
    if (status != 0 || !ending.ended) return status != 0 ? status : 1;

    verdict.course = LoadedCourseFileName();
    verdict.checksum = RacingDataChecksum();
    // Judged as the results screen judges it: a finish in the last frame is a time-up too.
    verdict.finished = RaceFrame <= kRaceFrameLimit;
    verdict.place = FinishedOpponents < 1 ? 1 : FinishedOpponents > 8 ? 8 : FinishedOpponents;
    for (int lap = 0; lap < 4; ++lap) verdict.laps[lap] = LapTimes[lap];
    verdict.total = RaceTotal();
    return 0;
}

int VerifyReplay(const char* path) {
    ReplayVerdict verdict;
    const int status = JudgeReplay(path, verdict);
    if (status != 0) return status;
    std::printf("course %s checksum %016llx\n", verdict.course.c_str(),
                static_cast<unsigned long long>(verdict.checksum));
    if (!verdict.finished) {
        std::printf("timeup\n");
    } else {
        std::printf("finished place %d laps %.2f %.2f %.2f %.2f total %.2f\n", verdict.place,
                    verdict.laps[0], verdict.laps[1], verdict.laps[2], verdict.laps[3],
                    verdict.total);
    }
    return 0;
}
