// Copying a rectangle of palette indices into an 8-bit frame, skipping one transparent index.
#pragma once

#include <cstdint>

namespace platform {

// Copies `width` x `height` source bytes to (x, y) of the frameWidth x frameHeight frame. Pixels
// equal to `transparent` and pixels outside the frame are left alone.
void BlitTransparent(uint8_t* frame, int pitch, int frameWidth, int frameHeight, int x, int y,
                     const uint8_t* src, int srcPitch, int width, int height, uint8_t transparent);

}  // namespace platform
