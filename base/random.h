// The game's own random numbers: a linear congruential generator giving 0..32767 per draw.
// Only the water animation and the wake use it, so boat motion never depends on it.
#pragma once

#include <cstdint>

void SeedRandom(uint32_t seed);

// state = state * 214013 + 2531011 (mod 2^32); the draw is bits 16..30 of the new state.
int32_t Random();
