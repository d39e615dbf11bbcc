// Bitmap files read with SDL's own loader and turned into palette indices, so both backends see
// the same picture.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace platform {

// Reads a BMP file and maps every pixel to its nearest entry of `palette`, row by row from the
// top, `width` bytes a row. False (with `error` saying why) when the file cannot be read as one.
bool ReadBmpAsIndices(const char* path, const Rgb palette[256], std::vector<uint8_t>& indices,
                      int& width, int& height, std::string& error);

}  // namespace platform
