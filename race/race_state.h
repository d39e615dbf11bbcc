// The state of a race: the player's boat and the seven opponents.
#pragma once

#include <cstdint>

constexpr int kOpponentCount = 7;

extern float PlayerX;
extern float PlayerY;
extern float PlayerZ;
extern int32_t PlayerHeading;

extern int32_t OpponentHeading[kOpponentCount];
