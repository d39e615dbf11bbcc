// The player's best race on each course, kept as that course's ghost: a replay file named by the
// course's checksum in the ghost folder, "GHOSTS/9e3779b97f4a7c15.twr". A course whose file was
// edited has another checksum and so a ghost of its own.
#pragma once

#include <cstdint>
#include <string>

#include "race/replay_file.h"

// Where the ghost of the course with `checksum` is kept; empty when there is no ghost folder.
std::string KeptGhostPath(uint64_t checksum);

// Reads the kept ghost of the course with `checksum`. False when there is none; one that cannot
// be read as a replay of that course is said in one line on stderr.
bool ReadKeptGhost(uint64_t checksum, ReplayFile& replay);

// After a live race has finished: keeps `text`, the replay `finished` of that race, as its
// course's ghost when none is kept yet or its `total` beats the kept one's (a tie leaves it). The
// file is replaced whole or not at all; a failure is one line on stderr and nothing else.
void KeepGhostIfBest(const ReplayFile& finished, const std::string& text, double total);

// Hears the path of every ghost kept (the page then stores its folder in the browser). Null
// stops it.
using KeptGhostListener = void (*)(const char* path, void* context);
void ListenToKeptGhosts(KeptGhostListener listener, void* context);
