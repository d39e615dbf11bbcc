// Pictures held in the game itself, used when no file of the same name is beside the executable.
#pragma once

#include <cstdint>
#include <vector>

// The palette indices of the built-in picture of that name, top row first. False when the game
// has no picture of that name.
bool LoadBuiltInBitmap(const char* name, std::vector<uint8_t>& pixels, int32_t& width,
                       int32_t& height);
