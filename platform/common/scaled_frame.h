// The 8-bit frame written into a 32-bit window, each game pixel a scale x scale block. The race
// redraws only part of its frame from one frame to the next (lines over a still sea), so the
// frame the window already shows can be given, and only the game pixels that changed are written.
#pragma once

#include <cstddef>
#include <cstdint>

namespace platform {

// Game pixels compared at once: a wireframe row is mostly the same from one frame to the next,
// and eight unchanged pixels are passed over in one comparison.
constexpr int kScaledGroupPixels = 8;

// Writes the width x height frame (rows `framePitch` bytes apart) through `colours` into `out`
// (rows `outPitch` pixels apart). `previous`, when given, is the frame `out` shows now, with the
// same pitch: pixels that are the same in both are left as they are.
void WriteScaledFrame(const uint8_t* frame, const uint8_t* previous, int width, int height,
                      int framePitch, const uint32_t colours[256], int scale, uint32_t* out,
                      size_t outPitch);

}  // namespace platform
