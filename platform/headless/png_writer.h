// Writes an 8-bit frame as an indexed PNG with its palette.
#pragma once

#include <cstdint>
#include <string>

#include "platform/platform.h"

namespace headless {

// False (with `error` filled) when the file cannot be written.
bool WriteIndexedPng(const std::string& path, const uint8_t* pixels, int pitch, int width,
                     int height, const platform::Rgb palette[256], std::string& error);

}  // namespace headless
