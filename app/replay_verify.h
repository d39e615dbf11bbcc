// The runner's --verify: what a replay achieves, without watching it.
#pragma once

#include <cstdint>
#include <string>

// What a replay's race came to, as the results screen judges it.
struct ReplayVerdict {
    std::string course;     // the course's file name
    uint64_t checksum = 0;  // of its racing data
    bool finished = false;  // false: the time ran out
    int32_t place = 0;      // the place the player finished in, 1..8
    double laps[4] = {};    // seconds
    double total = 0.0;     // seconds, as the records enter it
};

// Plays the replay file at `path` through without drawing, on the course it names (or the one
// course named with --course). Returns the exit status: 0 with the verdict filled, or the
// refusal of a replay that cannot be played (the game has said why).
int JudgeReplay(const char* path, ReplayVerdict& verdict);

// JudgeReplay, printing "course NAME checksum HEX" and then either "finished place P laps L1 L2
// L3 L4 total T" or "timeup".
int VerifyReplay(const char* path);
