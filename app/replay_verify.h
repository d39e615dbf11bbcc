// The runner's --verify: what a replay achieves, without watching it.
#pragma once

// Plays the replay file at `path` through without drawing, on the course it names (or the one
// course named with --course), and prints "course NAME checksum HEX" and then either "finished
// place P laps L1 L2 L3 L4 total T" or "timeup". Returns the exit status: 0, or the refusal of a
// replay that cannot be played.
int VerifyReplay(const char* path);
