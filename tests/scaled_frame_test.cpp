// The frame as the window gets it: every game pixel a block of its palette colour, and a frame
// written over the one before it ends up exactly as if written whole.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/common/scaled_frame.h"

namespace {

constexpr uint32_t kUntouched = 0xDEADBEEFu;

struct Picture {
    int width;
    int height;
    int pitch;
    std::vector<uint8_t> indices;
};

// A wireframe-like picture: mostly one colour, with scattered strokes from a small generator.
Picture Strokes(int width, int height, uint32_t seed) {
    Picture p{width, height, width + 3, {}};
    p.indices.assign(static_cast<size_t>(p.pitch) * height, 4);
    for (int i = 0; i < width * height / 10; ++i) {
        seed = seed * 1103515245u + 12345u;
        const int x = static_cast<int>((seed >> 8) % static_cast<uint32_t>(width));
        const int y = static_cast<int>((seed >> 20) % static_cast<uint32_t>(height));
        p.indices[static_cast<size_t>(y) * p.pitch + x] = static_cast<uint8_t>(seed >> 3);
    }
    return p;
}

std::vector<uint32_t> Palette() {
    std::vector<uint32_t> colours(256);
    for (uint32_t i = 0; i < 256; ++i) colours[i] = 0xFF000000u | (i * 0x010305u);
    return colours;
}

// The plain conversion: one lookup a window pixel.
std::vector<uint32_t> Plainly(const Picture& p, const std::vector<uint32_t>& colours, int scale,
                              size_t outPitch) {
    std::vector<uint32_t> out(outPitch * p.height * scale + 1, kUntouched);
    for (int y = 0; y < p.height * scale; ++y)
        for (int x = 0; x < p.width * scale; ++x)
            out[y * outPitch + x] = colours[p.indices[(y / scale) * p.pitch + x / scale]];
    return out;
}

TEST(ScaledFrame, WholeFrameMatchesThePlainConversionAtEveryScale) {
    const std::vector<uint32_t> colours = Palette();
    for (int scale : {1, 2, 3}) {
        // A width that is not a whole number of runs, and a window wider than the frame.
        const Picture p = Strokes(37, 11, 5u + scale);
        const size_t outPitch = static_cast<size_t>(p.width * scale + 5);
        std::vector<uint32_t> out(outPitch * p.height * scale + 1, kUntouched);
        platform::WriteScaledFrame(p.indices.data(), nullptr, p.width, p.height, p.pitch,
                                   colours.data(), scale, out.data(), outPitch);
        EXPECT_EQ(out, Plainly(p, colours, scale, outPitch)) << "scale " << scale;
    }
}

TEST(ScaledFrame, FrameWrittenOverThePreviousOneEndsAsIfWrittenWhole) {
    const std::vector<uint32_t> colours = Palette();
    for (int scale : {1, 2, 3}) {
        const Picture before = Strokes(100, 20, 1);
        Picture after = before;
        // One changed pixel at the last column of a group and one at the frame's last column.
        after.indices[3 * after.pitch + platform::kScaledGroupPixels - 1] ^= 0x55;
        after.indices[7 * after.pitch + 99] ^= 0x0F;
        const Picture redrawn = Strokes(100, 20, 3);
        const size_t outPitch = static_cast<size_t>(100 * scale + 2);
        for (const Picture* next : {static_cast<const Picture*>(&after), &redrawn}) {
            std::vector<uint32_t> out = Plainly(before, colours, scale, outPitch);
            platform::WriteScaledFrame(next->indices.data(), before.indices.data(), 100, 20,
                                       before.pitch, colours.data(), scale, out.data(), outPitch);
            EXPECT_EQ(out, Plainly(*next, colours, scale, outPitch)) << "scale " << scale;
        }
    }
}

}  // namespace
