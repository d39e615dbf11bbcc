#include "platform/common/scaled_frame.h"

#include <algorithm>
#include <cstring>

namespace platform {
namespace {

// The usual window: two window pixels a game pixel, both rows written as 64-bit pairs.
void WriteRunTwice(const uint8_t* src, int count, const uint32_t colours[256], uint32_t* top,
                   uint32_t* bottom) {
    for (int x = 0; x < count; ++x) {
        const uint64_t colour = colours[src[x]];
        const uint64_t pair = colour | (colour << 32);
        std::memcpy(top + 2 * x, &pair, sizeof pair);
        std::memcpy(bottom + 2 * x, &pair, sizeof pair);
    }
}

void WriteRun(const uint8_t* src, int count, const uint32_t colours[256], int scale,
              uint32_t* first, size_t outPitch) {
    for (int x = 0, at = 0; x < count; ++x) {
        const uint32_t colour = colours[src[x]];
        for (int i = 0; i < scale; ++i) first[at++] = colour;
    }
    for (int i = 1; i < scale; ++i) {
        std::copy_n(first, count * scale, first + static_cast<size_t>(i) * outPitch);
    }
}

}  // namespace

void WriteScaledFrame(const uint8_t* frame, const uint8_t* previous, int width, int height,
                      int framePitch, const uint32_t colours[256], int scale, uint32_t* out,
                      size_t outPitch) {
    for (int y = 0; y < height; ++y) {
        const uint8_t* src = frame + static_cast<ptrdiff_t>(y) * framePitch;
        const uint8_t* was =
            previous != nullptr ? previous + static_cast<ptrdiff_t>(y) * framePitch : nullptr;
        uint32_t* first = out + static_cast<size_t>(y) * scale * outPitch;
        for (int x = 0; x < width; x += kScaledRunPixels) {
            const int count = std::min(kScaledRunPixels, width - x);
            if (was != nullptr && std::memcmp(src + x, was + x, count) == 0) continue;
            if (scale == 2) {
                WriteRunTwice(src + x, count, colours, first + 2 * x, first + outPitch + 2 * x);
            } else {
                WriteRun(src + x, count, colours, scale, first + x * scale, outPitch);
            }
        }
    }
}

}  // namespace platform
