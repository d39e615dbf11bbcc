// Texts drawn again from their remembered shapes: the same pixels as a fresh rendering, in any
// colour and clipped the same way, and the least recently drawn forgotten first.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/common/text_mask_cache.h"
#include "platform/common/ttf_text.h"

namespace {

using platform::TextMask;
using platform::TextMaskCache;

constexpr int kWidth = 160;
constexpr int kHeight = 60;
constexpr int kPitch = 176;  // wider than the frame, so a write past its right edge is seen

TextMask MaskOfWidth(int width) {
    TextMask mask;
    mask.width = width;
    mask.height = 1;
    mask.pixels.assign(static_cast<size_t>(width), 1);
    return mask;
}

std::vector<uint8_t> Drawn(const char* text, int x, int y, int cellHeight, uint8_t index) {
    std::vector<uint8_t> frame(static_cast<size_t>(kPitch) * kHeight, 0);
    platform::DrawTtfText(frame.data(), kPitch, kWidth, kHeight, x, y, text, std::strlen(text),
                          cellHeight, index);
    return frame;
}

TEST(TextMaskCache, KeepsByTextAndHeightAndForgetsTheLeastRecentlyUsed) {
    TextMaskCache cache(2);
    cache.Keep("LAP1", 20, MaskOfWidth(1));
    cache.Keep("LAP1", 30, MaskOfWidth(2));
    ASSERT_NE(cache.Find("LAP1", 20), nullptr);
    EXPECT_EQ(cache.Find("LAP1", 20)->width, 1);
    EXPECT_EQ(cache.Find("LAP1", 30)->width, 2);
    EXPECT_EQ(cache.Find("LAP2", 20), nullptr);

    // LAP1 at 30 was used last, so LAP1 at 20 makes room for a third.
    cache.Keep("5/8", 60, MaskOfWidth(3));
    EXPECT_EQ(cache.size(), 2u);
    EXPECT_EQ(cache.Find("LAP1", 20), nullptr);
    EXPECT_NE(cache.Find("LAP1", 30), nullptr);
    EXPECT_NE(cache.Find("5/8", 60), nullptr);

    cache.Clear();
    EXPECT_EQ(cache.Find("5/8", 60), nullptr);
}

TEST(TextMaskCache, TextDrawnAgainHasTheSamePixelsInAnyColourAndClip) {
    platform::ShutDownTtfText();
    if (platform::TtfCellHeight(20) < 0) GTEST_SKIP() << "no font installed";
    const char* text = "LAP1  15.50[s]";
    const std::vector<uint8_t> fresh = Drawn(text, 4, 6, 20, 7);
    ASSERT_NE(fresh, std::vector<uint8_t>(fresh.size(), 0)) << "nothing was drawn";
    EXPECT_EQ(Drawn(text, 4, 6, 20, 7), fresh);

    // Another colour writes the same pixels.
    const std::vector<uint8_t> red = Drawn(text, 4, 6, 20, 9);
    for (size_t i = 0; i < fresh.size(); ++i) ASSERT_EQ(red[i] != 0, fresh[i] != 0) << i;

    // Moved past the left, top and right edges, the remembered shape is cut as a fresh one is.
    platform::ShutDownTtfText();
    const std::vector<uint8_t> cutFresh = Drawn(text, -7, -5, 20, 7);
    const std::vector<uint8_t> farFresh = Drawn(text, kWidth - 30, 50, 20, 7);
    EXPECT_EQ(Drawn(text, -7, -5, 20, 7), cutFresh);
    const std::vector<uint8_t> far = Drawn(text, kWidth - 30, 50, 20, 7);
    EXPECT_EQ(far, farFresh);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = kWidth; x < kPitch; ++x) ASSERT_EQ(far[y * kPitch + x], 0) << x << "," << y;
    }

    // The same text at another height is another shape.
    EXPECT_NE(Drawn(text, 4, 6, 30, 7), fresh);
}

}  // namespace
