#include "platform/common/scaled_frame.h"

#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace platform {
namespace {

// One game pixel as its block; the usual window's 2x2 block as two 64-bit pairs.
inline void WriteBlock(uint32_t colour, int scale, uint32_t* at, size_t outPitch) {
    if (scale == 2) {
        const uint64_t pair = uint64_t{colour} | (uint64_t{colour} << 32);
        std::memcpy(at, &pair, sizeof pair);
        std::memcpy(at + outPitch, &pair, sizeof pair);
        return;
    }
    for (int row = 0; row < scale; ++row) {
        for (int i = 0; i < scale; ++i) at[static_cast<size_t>(row) * outPitch + i] = colour;
    }
}

void WriteRow(const uint8_t* src, int width, const uint32_t colours[256], int scale,
              uint32_t* first, size_t outPitch) {
    for (int x = 0; x < width; ++x) WriteBlock(colours[src[x]], scale, first + x * scale, outPitch);
}

#if defined(__SSE2__)
// A changed group of eight game pixels in the usual 2x window: two whole 64-byte lines of the
// window, streamed past the cache. Writing a few pixels of a line would first read the line in,
// and a race changes enough groups each frame for those reads to cost more than all the rest.
bool CanStreamGroups(int scale, const uint32_t* first, size_t outPitch) {
    constexpr uintptr_t kAlign = 16;
    return scale == 2 && reinterpret_cast<uintptr_t>(first) % kAlign == 0 && outPitch % 4 == 0;
}

void StreamGroup(const uint8_t* src, const uint32_t colours[256], uint32_t* at, size_t outPitch) {
    for (int i = 0; i < kScaledGroupPixels; i += 2) {
        const int a = static_cast<int>(colours[src[i]]);
        const int b = static_cast<int>(colours[src[i + 1]]);
        const __m128i four = _mm_set_epi32(b, b, a, a);
        _mm_stream_si128(reinterpret_cast<__m128i*>(at + 2 * i), four);
        _mm_stream_si128(reinterpret_cast<__m128i*>(at + outPitch + 2 * i), four);
    }
}
#endif

// Only the pixels that differ from `was`, passing over unchanged groups in one comparison.
void WriteChangedInRow(const uint8_t* src, const uint8_t* was, int width,
                       const uint32_t colours[256], int scale, uint32_t* first, size_t outPitch) {
#if defined(__SSE2__)
    const bool stream = CanStreamGroups(scale, first, outPitch);
#endif
    int x = 0;
    for (; x + kScaledGroupPixels <= width; x += kScaledGroupPixels) {
        uint64_t now = 0, before = 0;
        std::memcpy(&now, src + x, sizeof now);
        std::memcpy(&before, was + x, sizeof before);
        if (now == before) continue;
#if defined(__SSE2__)
        if (stream) {
            StreamGroup(src + x, colours, first + x * scale, outPitch);
            continue;
        }
#endif
        for (int i = x; i < x + kScaledGroupPixels; ++i) {
            if (src[i] != was[i]) WriteBlock(colours[src[i]], scale, first + i * scale, outPitch);
        }
    }
    for (; x < width; ++x) {
        if (src[x] != was[x]) WriteBlock(colours[src[x]], scale, first + x * scale, outPitch);
    }
}

}  // namespace

void WriteScaledFrame(const uint8_t* frame, const uint8_t* previous, int width, int height,
                      int framePitch, const uint32_t colours[256], int scale, uint32_t* out,
                      size_t outPitch) {
    static_assert(kScaledGroupPixels == sizeof(uint64_t));
    for (int y = 0; y < height; ++y) {
        const uint8_t* src = frame + static_cast<ptrdiff_t>(y) * framePitch;
        uint32_t* first = out + static_cast<size_t>(y) * scale * outPitch;
        if (previous == nullptr) {
            WriteRow(src, width, colours, scale, first, outPitch);
        } else {
            WriteChangedInRow(src, previous + static_cast<ptrdiff_t>(y) * framePitch, width,
                              colours, scale, first, outPitch);
        }
    }
#if defined(__SSE2__)
    _mm_sfence();  // the streamed lines reach memory before the window is told to show them
#endif
}

}  // namespace platform
