#include "race/opponents.h"

#include <cstdint>
#include <cstdlib>

#include "course/stage.h"
#include "race/contacts.h"
#include "race/race_math.h"
#include "race/race_state.h"

namespace {

// The velocity follows the bow by this much a frame on each axis.
constexpr double kVelocityStep = 12.0;
constexpr double kPadFactor = 1.15;
// Every opponent turns by this much a frame, tenths of a degree.
constexpr int32_t kOpponentTurn = 40;

// Turns toward the next buoy. On the bearing itself the boat turns left, so it weaves a few
// degrees either side of it and never holds a course.
void TurnTowardCheckpoint(int32_t i) {
    const int32_t n = OpponentNextCheckpoint[i];
    const int32_t bearing =
        BearingOf(CheckpointY[n] - double(OpponentY[i]), CheckpointX[n] - double(OpponentX[i]));
    int32_t d = bearing - OpponentHeading[i];
    if (d > kFullTurn - 1) d -= kFullTurn;
    if (d < 0) d += kFullTurn;
    OpponentHeading[i] += d < kFullTurn / 2 ? kOpponentTurn : -kOpponentTurn;
    OpponentHeading[i] = WrapAngle(OpponentHeading[i]);
}

float StepToward(float velocity, int32_t target) {
    return static_cast<float>(target <= double(velocity) ? double(velocity) - kVelocityStep
                                                         : double(velocity) + kVelocityStep);
}

void FollowBow(int32_t i) {
    // Compared in 64 bits: a pace in the hundreds of millions puts the cruise speed within 10 of
    // the largest int.
    if (int64_t{OpponentSpeed[i]} >= int64_t{OpponentCruise[i]} + 10) OpponentSpeed[i] -= 10;
    const int32_t heading = OpponentHeading[i];
    const int32_t targetX = TruncateToInt(double(OpponentSpeed[i]) * double(CosTable[heading]));
    const int32_t targetY = TruncateToInt(double(OpponentSpeed[i]) * double(SinTable[heading]));
    OpponentVX[i] = StepToward(OpponentVX[i], targetX);
    OpponentVY[i] = StepToward(OpponentVY[i], targetY);
}

// Unlike the player's boat, the opponents keep the fraction of every sixth.
void Move(int32_t i) {
    OpponentX[i] = static_cast<float>(double(OpponentX[i]) + double(OpponentVX[i]) * kSixth);
    OpponentY[i] = static_cast<float>(double(OpponentY[i]) + double(OpponentVY[i]) * kSixth);
}

void SpeedPadAndRamp(int32_t i) {
    if (WithinSquare(OpponentX[i], OpponentY[i], BoostPadX, BoostPadY, kZoneReach)) {
        OpponentVX[i] = static_cast<float>(double(OpponentVX[i]) * kPadFactor);
        OpponentVY[i] = static_cast<float>(double(OpponentVY[i]) * kPadFactor);
    }
    if (OpponentAirborne[i] == 0 &&
        WithinSquare(OpponentX[i], OpponentY[i], JumpRampX, JumpRampY, kZoneReach)) {
        OpponentAirborne[i] = 1;
        OpponentSpeed[i] = kRampSpeed;
        const int32_t climb =
            (std::abs(TruncateToInt(OpponentVY[i])) + std::abs(TruncateToInt(OpponentVX[i]))) / 7 +
            20;
        OpponentVZ[i] = static_cast<float>(climb);
    }
}

void Fly(int32_t i) {
    if (OpponentAirborne[i] != 1) return;
    OpponentZ[i] = static_cast<float>(double(OpponentZ[i]) + double(OpponentVZ[i]));
    OpponentVZ[i] = static_cast<float>(double(OpponentVZ[i]) - 4.0);
    if (double(OpponentZ[i]) < kLandingZ) {
        OpponentZ[i] = kAfloatZ;
        OpponentAirborne[i] = 0;
    }
}

void Rock(int32_t i) {
    if (OpponentAirborne[i] != 0) return;
    OpponentBob[i] = static_cast<float>(double(OpponentBob[i]) + double(OpponentBobStep[i]));
    if (double(OpponentBob[i]) > 11.0) OpponentBobStep[i] = -3.0f;
    if (double(OpponentBob[i]) < -11.0) OpponentBobStep[i] = 3.0f;
}

}  // namespace

void UpdateOpponents() {
    for (int32_t i = 0; i < kOpponentCount; ++i) {
        TurnTowardCheckpoint(i);
        FollowBow(i);
        Move(i);
        SpeedPadAndRamp(i);
        CollideOpponentWithOthers(i);
        Fly(i);
        KeepInside(OpponentX[i], OpponentVX[i]);
        KeepInside(OpponentY[i], OpponentVY[i]);
        Rock(i);
    }
}
