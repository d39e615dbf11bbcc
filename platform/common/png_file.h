// An 8-bit frame as an indexed PNG file with its palette: the runner's shots, the game's
// screenshots, the stage tool's maps.
#pragma once

#include <cstdint>
#include <string>

#include "platform/platform.h"

namespace platform {

// The PNG file's bytes in `png`. False (with `error` filled) when the pixels cannot be packed.
bool EncodeIndexedPng(const uint8_t* pixels, int pitch, int width, int height,
                      const Rgb palette[256], std::string& png, std::string& error);

// False (with `error` filled) when the file cannot be written.
bool WriteIndexedPng(const std::string& path, const uint8_t* pixels, int pitch, int width,
                     int height, const Rgb palette[256], std::string& error);

}  // namespace platform
