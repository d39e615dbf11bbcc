#include "race/ghost.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "race/ghost_keep.h"
#include "race/ghost_race.h"
#include "race/race_clock.h"
#include "race/records.h"
#include "race/replay_course.h"
#include "race/replay_load.h"

namespace {

constexpr char kGhostHeading[] = "The replay cannot race as a ghost.";

void StartRacing(const ReplayFile& replay, bool keptBest) {
    RunGhostRace(replay, RacingGhost);
    GhostRacing = 1;
    GhostIsKeptBest = keptBest ? 1 : 0;
}

}  // namespace

void SetKeptGhostsRace(bool race) {
    KeptGhostsRace = race ? 1 : 0;
}

bool ReadGhostFile(const char* path) {
    GivenGhostReady = 0;
    if (!ReadReplayFor(path, kGhostHeading, GivenGhost, false)) return false;
    GivenGhostReady = 1;
    return true;
}

void PrepareGhost() {
    ForgetGhostRace();
    if (ReplayMode != 0) return;
    const uint64_t checksum = RacingDataChecksum();
    if (GivenGhostReady != 0 && GivenGhost.checksum == checksum) {
        StartRacing(GivenGhost, false);
        return;
    }
    if (KeptGhostsRace == 0) return;
    static ReplayFile kept;
    if (ReadKeptGhost(checksum, kept)) StartRacing(kept, true);
}

void ForgetGhostRace() {
    GhostRacing = 0;
    GhostIsKeptBest = 0;
    SplitFrames = 0;
    SplitOnShow = 0;
    SplitPasses = 0;
}

void UpdateSplit() {
    if (GhostRacing == 0 || ReplayMode != 0) return;
    if (CheckpointBanner <= 0) SplitOnShow = 0;
    if (CheckpointsPassed <= SplitPasses) return;
    SplitPasses = CheckpointsPassed;
    const int32_t ghostFrame = RacingGhost.passFrames[SplitPasses - 1];
    SplitOnShow = ghostFrame > 0 ? 1 : 0;
    SplitFrames = ghostFrame > 0 ? RaceFrame - ghostFrame : 0;
}

bool GhostAfterFrame(int32_t frame, GhostPose& pose) {
    if (GhostRacing == 0 || ReplayMode != 0) return false;
    if (frame < 1 || frame > RacingGhost.lastFrame) return false;
    pose = RacingGhost.poses[frame];
    return true;
}

void FormatSplit(char* text, size_t size, int32_t frames) {
    // Race time counts kRaceFrameTime a frame, so a split has three decimals and never a 5 in
    // the third: rounding to two never meets a tie.
    const double seconds = std::abs(frames) * kRaceFrameTime;
    std::snprintf(text, size, "%c%.2f", frames < 0 ? '-' : '+', seconds);
}

bool TotalDifference(int32_t& hundredths) {
    if (GhostRacing == 0 || ReplayMode != 0 || RacingGhost.total < 0.0) return false;
    if (RecordedTotal < 0.0 || RaceFrame > kRaceFrameLimit) return false;
    hundredths = static_cast<int32_t>(std::lround((RecordedTotal - RacingGhost.total) * 100.0));
    return true;
}

void FormatTotalDifference(char* text, size_t size, int32_t hundredths) {
    std::snprintf(text, size, "%c%d.%02d", hundredths < 0 ? '-' : '+', std::abs(hundredths) / 100,
                  std::abs(hundredths) % 100);
}
