// Keeping every finished live race: its replay goes into the player's data folder at once,
// "replays/COURSE-YYYYMMDD-HHMMSS.twr", without the player doing anything.
#pragma once

#include <string>

#include "race/replay_file.h"

// The race as it stands as a replay: the loaded course, its checksum and pace, the race frames
// run so far and their steering.
void DescribeRace(ReplayFile& replay);

// Saves the live race that has just finished, with the folder created when missing. No data
// folder means nothing is saved; a replay that cannot be saved is said in one line on stderr and
// the game goes on.
void SaveRaceReplay();

// Hears every replay SaveRaceReplay makes, as text, with or without a data folder (the runner
// writes the first one where it was asked to; the page offers it for download), and the name it
// has in the data folder, "COURSE-YYYYMMDD-HHMMSS.twr". Null stops it.
using FinishedRaceListener = void (*)(const std::string& text, const std::string& fileName,
                                      void* context);
void ListenToFinishedRaces(FinishedRaceListener listener, void* context);
