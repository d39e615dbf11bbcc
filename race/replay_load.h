// Starting the game straight into a replay file: the course it was driven on is loaded by
// name, its steering record put in place, and the game set up to run it as every replay runs.
#pragma once

#include "race/replay_file.h"

// Reads the replay file at `path` and, when it can be played, leaves the game in replay mode
// at the race set-up with the trigonometry tables built (the title's reset never ran). False
// after telling the player why (naming the file and, where it applies, the line) with the game
// state left for the caller to end: a file that is missing, unreadable, too large or malformed,
// of another format or version, on a course that is not there or has changed since the race.
bool StartReplayFile(const char* path);

// Reads the replay file at `path` into `replay` and checks that the course it was driven on is
// there and has not changed since; with `load` that course becomes the loaded stage, else the
// loaded stage stays as it was. False after telling the player why under `heading`, in the
// words StartReplayFile uses.
bool ReadReplayFor(const char* path, const char* heading, ReplayFile& replay, bool load);

// Whether `replay` was driven on a course with the racing data `checksum`. False after telling
// the player under `heading` that the course has changed since, naming `path` and the line.
bool ReplayFitsCourse(const char* heading, const char* path, const ReplayFile& replay,
                      uint64_t checksum);
