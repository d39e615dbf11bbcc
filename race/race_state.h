// The state of a race: the player's boat, the seven opponents and the race's progress. Every
// value is reset by the race set-up. Positions are world units; the boats' velocities along x and
// y are sixths of a world unit per frame (cruising at 600 covers 100 units a frame).
#pragma once

#include <cstdint>

constexpr int kOpponentCount = 7;
constexpr int kLapCount = 4;

// ---- The player's boat ----
// The player's position along x.
extern float PlayerX;
// The player's position along y.
extern float PlayerY;
// The player's height: 170.1 afloat, more in the air.
extern float PlayerZ;
// The player's bow direction, tenths of a degree, 0..3599.
extern int32_t PlayerHeading;
// The speed the bow drives the boat at, sixths of a unit per frame; 600 cruising.
extern int32_t PlayerSpeed;
// The player's velocity along x, sixths of a unit per frame (the boat moves whole sixths).
extern int32_t PlayerVX;
// The player's velocity along y, sixths of a unit per frame.
extern int32_t PlayerVY;
// The player's climb in the air, world units per frame; 4 less every frame.
extern int32_t PlayerVZ;
// 1 from the take-off at the ramp until the boat lands, else 0.
extern int32_t PlayerAirborne;
// The player's bank, signed tenths of a degree; it turns the bow by a quarter of itself a frame.
extern int32_t PlayerRoll;
// The bow's nod, tenths of a degree, 0..3599 (3599 is a tenth nose-down).
extern int32_t PlayerPitch;
// The nodding spring's stretch afloat, twice the pitch it gives, tenths of a degree.
extern int32_t PitchSpring;
// The nodding spring's speed: PitchSpring moves by half of it a frame.
extern int32_t PitchRate;
// The hull's rocking, -12..12: world units the stern sits above the bow's dip.
extern int32_t PlayerRock;
// Change of PlayerRock a frame afloat, -3 or 3 once it first turns.
extern int32_t PlayerRockStep;

// ---- The opponents, slots 0..6 ----
// Each opponent's position along x.
extern float OpponentX[kOpponentCount];
// Each opponent's position along y.
extern float OpponentY[kOpponentCount];
// Each opponent's height: 170.1 afloat, more in the air.
extern float OpponentZ[kOpponentCount];
// Each opponent's velocity along x, sixths of a unit per frame, fractions kept.
extern float OpponentVX[kOpponentCount];
// Each opponent's velocity along y, sixths of a unit per frame, fractions kept.
extern float OpponentVY[kOpponentCount];
// Each opponent's climb in the air, world units per frame.
extern float OpponentVZ[kOpponentCount];
// Each opponent's bow direction, tenths of a degree, 0..3599.
extern int32_t OpponentHeading[kOpponentCount];
// The speed each opponent falls back to after the ramp, sixths of a unit per frame, paced.
extern int32_t OpponentCruise[kOpponentCount];
// The speed each opponent's bow drives it at, sixths of a unit per frame.
extern int32_t OpponentSpeed[kOpponentCount];
// 1 while the opponent flies from the ramp, else 0.
extern int32_t OpponentAirborne[kOpponentCount];
// Each opponent's rocking, world units the stern sits above the bow's dip.
extern float OpponentBob[kOpponentCount];
// Change of OpponentBob a frame afloat.
extern float OpponentBobStep[kOpponentCount];
// The checkpoint each opponent makes for, 0..5.
extern int32_t OpponentNextCheckpoint[kOpponentCount];
// Laps each opponent has completed, 0..4.
extern int32_t OpponentLap[kOpponentCount];

// ---- Race progress ----
// The checkpoint the player makes for, 0..5.
extern int32_t NextCheckpoint;
// Laps the player has completed, 0..3 (the finish leaves it at 3).
extern int32_t Lap;
// Race time of each of the player's laps, seconds (kRaceFrameTime a frame).
extern double LapTimes[kLapCount];
// Race frames counted since the set-up, which starts it at 1.
extern int32_t RaceFrame;
// One more than the opponents that have finished: the place the player finishes in.
extern int32_t FinishedOpponents;
// Checkpoints the player has passed in the race, 0..24: six a lap, the 24th the finish.
extern int32_t CheckpointsPassed;
// Frames the CHECK POINT banner still shows in a live race.
extern int32_t CheckpointBanner;
// The player's distance still to go (lower is ahead): 1000000 a lap, 100000 a checkpoint, plus
// world units to the next buoy along both axes.
extern int32_t PlayerRaceScore;
// 1..8, the place the race display showed this frame.
extern int32_t RacePlace;
// The total entered into the records at the finish, seconds; negative until a race is finished
// after the set-up.
extern double RecordedTotal;

// ---- Keys of the race scene (edge states, polled once per race frame) ----
// Edge state of Down: the view change.
extern int32_t RaceDownKey;
// Edge state of Left: steer left; in a replay, back to the title.
extern int32_t RaceLeftKey;
// Edge state of Right: steer right.
extern int32_t RaceRightKey;
// Edge state of Q: back to the title.
extern int32_t RaceQuitKey;
