#include "race/replay.h"

#include "base/keys.h"
#include "race/race_state.h"
#include "race/replay_state.h"

namespace {

// Race frames run from 1 to the time limit, well inside the record.
bool InRecord(int32_t frame) {
    return frame >= 0 && frame < kReplayFrames;
}

}  // namespace

void RecordSteering() {
    if (ReplayMode != 0 || !InRecord(RaceFrame)) return;
    if (RaceLeftKey == kKeyHeld) ReplayInputs[RaceFrame] = kSteerLeft;
    if (RaceRightKey == kKeyHeld) ReplayInputs[RaceFrame] = kSteerRight;
}

int32_t SteeringInput() {
    return InRecord(RaceFrame) ? ReplayInputs[RaceFrame] : kSteerNone;
}

void StartReplay() {
    ReplayMode = 1;
}

void ForgetReplay() {
    ReplayMode = 0;
    for (int32_t& input : ReplayInputs) input = kSteerNone;
}
