// The loaded course as a replay names it: its file name, and a checksum of everything the race
// reads from it except the records, which every finished race may rewrite.
#pragma once

#include <cstdint>

#include "course/stage_file.h"

// FNV-1a (64 bits) over the opponents' pace, the six checkpoints, the six camera stands, the
// jump ramp and the speed pad, in that order, each number as its 8 little-endian bytes:
// integers widened to 64 bits, camera stands as the bits of their doubles.
uint64_t RacingDataChecksum();

// The same checksum of a stage file as read, before it is loaded.
uint64_t RacingDataChecksum(const StageFile& stage);

// The loaded stage file's name without its folder.
const char* LoadedCourseFileName();
