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

struct Verdict {
    bool ended = false;
};

// A replay's race ends where it would start over: at its finish or when its time is up.
bool AfterFrame(int32_t sceneThatRan, void* context) {
    Verdict& verdict = *static_cast<Verdict*>(context);
    if (sceneThatRan == kSceneRace && Scene != kSceneRace) {
        verdict.ended = true;
        return false;
    }
    return true;
}

}  // namespace

int VerifyReplay(const char* path) {
    headless::SetDrawing(false);
    headless::SetText(false);
    Verdict verdict;
    const int status = RunGame(AfterFrame, &verdict, path);
    if (status != 0 || !verdict.ended) return status != 0 ? status : 1;

    std::printf("course %s checksum %016llx\n", LoadedCourseFileName(),
                static_cast<unsigned long long>(RacingDataChecksum()));
    // Judged as the results screen judges it: a finish in the last frame is a time-up too.
    if (RaceFrame > kRaceFrameLimit) {
        std::printf("timeup\n");
    } else {
        std::printf("finished place %d laps %.2f %.2f %.2f %.2f total %.2f\n", FinishedOpponents,
                    LapTimes[0], LapTimes[1], LapTimes[2], LapTimes[3], RaceTotal());
    }
    return 0;
}
