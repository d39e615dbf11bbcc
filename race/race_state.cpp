#include "race/race_state.h"

float PlayerX = 0.0f;
float PlayerY = 0.0f;
float PlayerZ = 0.0f;
int32_t PlayerHeading = 0;
int32_t PlayerSpeed = 0;
int32_t PlayerVX = 0;
int32_t PlayerVY = 0;
int32_t PlayerVZ = 0;
int32_t PlayerAirborne = 0;
int32_t PlayerRoll = 0;
int32_t PlayerPitch = 0;
int32_t PitchSpring = 0;
int32_t PitchRate = 0;
int32_t PlayerRock = 0;
int32_t PlayerRockStep = 0;

float OpponentX[kOpponentCount] = {};
float OpponentY[kOpponentCount] = {};
float OpponentZ[kOpponentCount] = {};
float OpponentVX[kOpponentCount] = {};
float OpponentVY[kOpponentCount] = {};
float OpponentVZ[kOpponentCount] = {};
int32_t OpponentHeading[kOpponentCount] = {};
int32_t OpponentCruise[kOpponentCount] = {};
int32_t OpponentSpeed[kOpponentCount] = {};
int32_t OpponentAirborne[kOpponentCount] = {};
float OpponentBob[kOpponentCount] = {};
float OpponentBobStep[kOpponentCount] = {};
int32_t OpponentNextCheckpoint[kOpponentCount] = {};
int32_t OpponentLap[kOpponentCount] = {};

int32_t NextCheckpoint = 0;
int32_t Lap = 0;
double LapTimes[kLapCount] = {};
int32_t RaceFrame = 0;
int32_t FinishedOpponents = 0;
int32_t CheckpointsPassed = 0;
int32_t CheckpointBanner = 0;
int32_t PlayerRaceScore = 0;
int32_t RacePlace = 0;
double RecordedTotal = -1.0;

int32_t RaceDownKey = 0;
int32_t RaceLeftKey = 0;
int32_t RaceRightKey = 0;
int32_t RaceQuitKey = 0;
