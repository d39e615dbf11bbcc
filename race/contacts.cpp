#include "race/contacts.h"

#include <cstdlib>

#include "media/sound.h"
#include "race/race_math.h"
#include "race/race_state.h"

namespace {

constexpr int32_t kContactReach = 240;
constexpr int32_t kContactHeight = 200;
// Boats closer than this on both axes sit on top of each other; the other one is moved aside
// first so the push below has a direction.
constexpr int32_t kStackedReach = 50;
constexpr double kStackedShift = 100.0;
// The player is pushed further clear of an opponent than two opponents are of each other.
constexpr int32_t kPlayerClearance = 280;
constexpr int32_t kOpponentClearance = 240;

int32_t Gap(float a, float b) {
    return TruncateToInt(double(a) - double(b));
}

bool Within(int32_t dx, int32_t dy, int32_t dz, int32_t reach) {
    return std::abs(dx) < reach && std::abs(dy) < reach && std::abs(dz) < kContactHeight;
}

// Moves `mover` away from `other` by a sixth of their offset.
float PushedAway(float mover, float other) {
    return static_cast<float>(double(mover) + (double(mover) - double(other)) * kSixth);
}

void CollidePlayerWith(int32_t i) {
    if (!Within(Gap(PlayerX, OpponentX[i]), Gap(PlayerY, OpponentY[i]), Gap(PlayerZ, OpponentZ[i]),
                kContactReach)) {
        return;
    }
    PlayEffect(CrashSound);

    const int32_t playerVY = PlayerVY;
    PlayerVY = TruncateToInt(OpponentVY[i]);
    OpponentVY[i] = static_cast<float>(playerVY);
    const int32_t playerVX = PlayerVX;
    PlayerVX = TruncateToInt(OpponentVX[i]);
    OpponentVX[i] = static_cast<float>(playerVX);

    if (std::abs(Gap(PlayerX, OpponentX[i])) < kStackedReach &&
        std::abs(Gap(PlayerY, OpponentY[i])) < kStackedReach) {
        OpponentX[i] = static_cast<float>(double(OpponentX[i]) + kStackedShift);
    }
    while (Within(Gap(PlayerX, OpponentX[i]), Gap(PlayerY, OpponentY[i]),
                  Gap(PlayerZ, OpponentZ[i]), kPlayerClearance)) {
        OpponentX[i] = PushedAway(OpponentX[i], PlayerX);
        OpponentY[i] = PushedAway(OpponentY[i], PlayerY);
        // The player is pushed away from where the opponent now is.
        PlayerX = PushedAway(PlayerX, OpponentX[i]);
        PlayerY = PushedAway(PlayerY, OpponentY[i]);
    }
}

void CollideOpponents(int32_t i, int32_t j) {
    const int32_t dx = Gap(OpponentX[j], OpponentX[i]);
    const int32_t dy = Gap(OpponentY[j], OpponentY[i]);
    const int32_t dz = Gap(OpponentZ[j], OpponentZ[i]);
    if (!Within(dx, dy, dz, kContactReach)) return;

    // Slot i takes the other's velocity without its fraction; the other takes slot i's as it was.
    const float vy = OpponentVY[i];
    OpponentVY[i] = static_cast<float>(TruncateToInt(OpponentVY[j]));
    OpponentVY[j] = vy;
    const float vx = OpponentVX[i];
    OpponentVX[i] = static_cast<float>(TruncateToInt(OpponentVX[j]));
    OpponentVX[j] = vx;

    if (std::abs(dx) < kStackedReach && std::abs(dy) < kStackedReach) {
        OpponentX[i] = static_cast<float>(double(OpponentX[i]) + kStackedShift);
    }
    // The height difference does not change while the boats are pushed apart.
    while (Within(Gap(OpponentX[j], OpponentX[i]), Gap(OpponentY[j], OpponentY[i]), dz,
                  kOpponentClearance)) {
        OpponentX[i] = PushedAway(OpponentX[i], OpponentX[j]);
        OpponentY[i] = PushedAway(OpponentY[i], OpponentY[j]);
        OpponentX[j] = PushedAway(OpponentX[j], OpponentX[i]);
        OpponentY[j] = PushedAway(OpponentY[j], OpponentY[i]);
    }
}

}  // namespace

void CollidePlayerWithOpponents() {
    for (int32_t i = 0; i < kOpponentCount; ++i) CollidePlayerWith(i);
}

void CollideOpponentWithOthers(int32_t i) {
    for (int32_t j = 0; j < kOpponentCount; ++j) {
        if (j != i) CollideOpponents(i, j);
    }
}
