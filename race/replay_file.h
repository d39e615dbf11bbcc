// The replay file: a finished race as small text, enough to drive it again on the same course.
// The reader never writes past a buffer and either fills every field or says on which line it
// stopped; the game, the runner and the fuzzer share it.
//
//   tidewake-replay 1
//   course 01.dat
//   checksum 9e3779b97f4a7c15
//   pace 10
//   frames 2381
//   N40 L3 N12 R2 ...
//   end
//
// The steering record covers race frames 1..frames as runs: N (no key), L (left) or R (right)
// followed by how many frames in a row it held, any number of runs a line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "race/replay_state.h"

inline constexpr char kReplayFormatWord[] = "tidewake-replay";
constexpr int32_t kReplayVersion = 1;

// The largest replay file the reader accepts: the longest race, one run a frame, needs ~40 KB.
constexpr size_t kReplayFileLimit = 1 << 18;

constexpr int kReplayCourseSize = 256;  // course file name bytes plus the terminating zero

struct ReplayFile {
    char course[kReplayCourseSize] = {};   // the course's file name, without a folder
    uint64_t checksum = 0;                 // of the course's racing data (RacingDataChecksum)
    int32_t pace = 10;                     // the opponents' pace the race had, in tenths
    int32_t frames = 0;                    // race frames the race ran, 1..kRaceFrameLimit
    int32_t steering[kReplayFrames] = {};  // by race frame; 0 outside 1..frames

    int checksumLine = 0;  // where the checksum was read, for messages
};

struct ReplayFileError {
    int line = 0;            // 1-based line the problem was found on
    char message[160] = {};  // what is wrong, in plain words
};

// Reads a whole replay from `size` bytes of text. False when the format word or version is
// not ours, a field is missing, malformed or out of range, or the steering record does not
// cover exactly `frames` frames with known values before its "end".
bool ParseReplayFile(const char* data, size_t size, ReplayFile& replay, ReplayFileError& error);

// The replay as text, which ParseReplayFile reads back to the same replay.
std::string FormatReplayFile(const ReplayFile& replay);
