// A test driver for whole races: steers the player's boat toward its next buoy through the
// real arrow keys, allowing for the turn the bank will still make once the key is let go.
#pragma once

#include <cmath>
#include <cstdint>

#include "base/angles.h"
#include "course/stage.h"
#include "platform/headless/headless.h"
#include "race/race_state.h"

namespace race_test {

// Presses left, right or neither for the coming frame, to make for the point (x, y).
inline void SteerToward(double x, double y) {
    const int32_t bearing = BearingOf(y - double(PlayerY), x - double(PlayerX));
    int32_t wanted = bearing - PlayerHeading;
    if (wanted > 1800) wanted -= 3600;
    if (wanted < -1800) wanted += 3600;
    // Left turns the bow toward larger headings; the bank alone turns it by about roll²/80.
    const int32_t stillToCome = -PlayerRoll * std::abs(PlayerRoll) / 80;
    const int32_t error = wanted - stillToCome;
    headless::SetKey(platform::Key::Left, error > 40);
    headless::SetKey(platform::Key::Right, error < -40);
}

// Presses left, right or neither for the coming frame, to make for the next buoy.
inline void SteerTowardNextBuoy() {
    SteerToward(CheckpointX[NextCheckpoint], CheckpointY[NextCheckpoint]);
}

}  // namespace race_test
