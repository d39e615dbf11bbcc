// Racing against a ghost: which replay's boat races the live race, where it stands, and the
// split times against it at every checkpoint.
#pragma once

#include <cstddef>
#include <cstdint>

#include "race/ghost_state.h"

// Whether a course races its kept best ghost when no given replay was driven on it: the game's
// default; the runner's only with --ghost; never with --no-ghost.
void SetKeptGhostsRace(bool race);

// Reads the replay file at `path` as the ghost to race whenever its own course is raced, loading
// that course to check it has not changed since. False after telling the player why, as an
// unplayable replay is told ("FILE:LINE: ..."); the ghost given before, if any, is then dropped.
bool ReadGhostFile(const char* path);

// Chooses and runs the live race's ghost on the loaded course: the given replay when it was
// driven on this very course, else the course's kept best where those race, else none. Called
// once the race's course and pace are settled, before its countdown.
void PrepareGhost();

// No ghost races and no split shows: every race set-up starts so.
void ForgetGhostRace();

// After the checkpoint tests of a live race frame: a new pass shows its split while the CHECK
// POINT banner does, where the ghost passed the same checkpoint of the same lap.
void UpdateSplit();

// Where the ghost stands after race frame `frame` of the live race. False where no ghost races:
// before race frame 1, after the ghost's last race frame, in a replay or without a ghost.
bool GhostAfterFrame(int32_t frame, GhostPose& pose);

// A split of `frames` race frames as seconds with two decimals and its sign always written:
// "-0.84" ahead, "+1.20" behind.
void FormatSplit(char* text, size_t size, int32_t frames);

// The player's finished total less the ghost's, in hundredths, as the results show totals. False
// unless both finished this live race.
bool TotalDifference(int32_t& hundredths);

// A difference of totals in hundredths, written as FormatSplit writes a split.
void FormatTotalDifference(char* text, size_t size, int32_t hundredths);
