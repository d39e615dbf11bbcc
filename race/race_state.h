// The state of a race: the player's boat, the seven opponents and the race's progress. Every
// value is reset by the race set-up; positions are floats, the player's velocities integers.
#pragma once

#include <cstdint>

constexpr int kOpponentCount = 7;
constexpr int kLapCount = 4;

// ---- The player's boat ----
extern float PlayerX;
extern float PlayerY;
extern float PlayerZ;
extern int32_t PlayerHeading;  // tenths of a degree, 0..3599
extern int32_t PlayerSpeed;
extern int32_t PlayerVX;
extern int32_t PlayerVY;
extern int32_t PlayerTargetVX;
extern int32_t PlayerTargetVY;
extern int32_t PlayerVZ;
extern int32_t PlayerAirborne;
extern int32_t PlayerRoll;  // signed tenths of a degree
extern int32_t PlayerPitch;
extern int32_t PitchSpring;
extern int32_t PitchRate;
extern int32_t PlayerRock;  // -12..12
extern int32_t PlayerRockStep;

// ---- The opponents, slots 0..6 ----
extern float OpponentX[kOpponentCount];
extern float OpponentY[kOpponentCount];
extern float OpponentZ[kOpponentCount];
extern float OpponentVX[kOpponentCount];
extern float OpponentVY[kOpponentCount];
extern float OpponentVZ[kOpponentCount];
extern int32_t OpponentHeading[kOpponentCount];
extern int32_t OpponentTurn[kOpponentCount];
extern int32_t OpponentCruise[kOpponentCount];
extern int32_t OpponentSpeed[kOpponentCount];
extern int32_t OpponentAirborne[kOpponentCount];
extern float OpponentBob[kOpponentCount];
extern float OpponentBobStep[kOpponentCount];
extern int32_t OpponentNextCheckpoint[kOpponentCount];
extern int32_t OpponentLap[kOpponentCount];

// ---- Race progress ----
extern int32_t NextCheckpoint;
extern int32_t Lap;
extern double LapTimes[kLapCount];
extern int32_t RaceFrame;
extern int32_t FinishedOpponents;
extern int32_t CheckpointBanner;
extern int32_t
    PlayerRaceScore;  // distance still to go (lower is ahead): 1000000 a lap, 100000 a checkpoint
extern int32_t RacePlace;  // 1..8, the place the race display showed this frame

// ---- Keys of the race scene (edge states, polled once per race frame) ----
extern int32_t RaceDownKey;   // view change
extern int32_t RaceLeftKey;   // steer left; in a replay, back to the title
extern int32_t RaceRightKey;  // steer right
extern int32_t RaceQuitKey;   // Q: back to the title
