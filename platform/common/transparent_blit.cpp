#include "platform/common/transparent_blit.h"

#include <algorithm>

namespace platform {

void BlitTransparent(uint8_t* frame, int pitch, int frameWidth, int frameHeight, int x, int y,
                     const uint8_t* src, int srcPitch, int width, int height, uint8_t transparent) {
    if (src == nullptr || width <= 0 || height <= 0) return;
    // The game clips before it asks; this only keeps a wrong request inside the frame, in 64 bits
    // so that no corner can overflow.
    const int64_t left = std::max<int64_t>(0, -int64_t{x});
    const int64_t top = std::max<int64_t>(0, -int64_t{y});
    const int64_t right = std::min<int64_t>(width, int64_t{frameWidth} - x);
    const int64_t bottom = std::min<int64_t>(height, int64_t{frameHeight} - y);
    for (int64_t row = top; row < bottom; ++row) {
        const uint8_t* in = src + row * srcPitch;
        uint8_t* out = frame + (y + row) * pitch;
        for (int64_t col = left; col < right; ++col) {
            if (in[col] != transparent) out[x + col] = in[col];
        }
    }
}

}  // namespace platform
