// Text in the frame: where it lands, how tall its cell is, which palette colour it takes.
#include <gtest/gtest.h>

#include "media/display.h"
#include "media/palette.h"
#include "media/text.h"
#include "platform/common/ttf_text.h"
#include "platform/headless/headless.h"
#include "render/frame_buffer.h"

namespace {

struct Box {
    int left = 10000, top = 10000, right = -1, bottom = -1, count = 0;
};

// Bounding box of every pixel of the back buffer (all 672 bytes of each row) equal to `index`.
Box InkedBox(uint8_t index, int columns = 640) {
    Box box;
    const uint8_t* bits = headless::BackBuffer();
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < columns; ++x)
            if (bits[y * headless::BackBufferPitch() + x] == index) {
                box.left = std::min(box.left, x);
                box.right = std::max(box.right, x);
                box.top = std::min(box.top, y);
                box.bottom = std::max(box.bottom, y);
                ++box.count;
            }
    return box;
}

class TextTest : public ::testing::Test {
  protected:
    void SetUp() override {
        headless::Reset();
        InitMedia(640, 480);
        FillFrame(0);
    }
};

TEST_F(TextTest, CellHeightIsTheRequestedHeight) {
    if (platform::TtfCellHeight(20) < 0) GTEST_SKIP() << "no font installed";
    for (int height : {12, 14, 20, 25, 28, 30, 35, 40, 60, 90, 95}) {
        EXPECT_EQ(platform::TtfCellHeight(height), height) << platform::TtfFacePath();
    }
}

TEST_F(TextTest, GlyphsLandInsideTheirCellFromTheTopLeftCorner) {
    BeginText(40);
    DrawText(100, 50, "HH", 0x00FFFFFF);
    EndText();
    const Box box = InkedBox(255);
    ASSERT_GT(box.count, 0);
    EXPECT_GE(box.left, 100);
    EXPECT_LE(box.left, 110);
    EXPECT_GE(box.top, 50);
    EXPECT_LE(box.bottom, 50 + 40 - 1);
    // Only glyph pixels are written: the rest of the frame keeps its colour.
    EXPECT_EQ(InkedBox(0).count, 640 * 480 - box.count);
}

TEST_F(TextTest, TwoByteCharactersPrintOnce) {
    // "タタ": two full-width katakana, four bytes.
    BeginText(20);
    DrawText(0, 0, "\x83\x5e\x83\x5e", 0x00FFFFFF);
    EndText();
    const Box box = InkedBox(255);
    ASSERT_GT(box.count, 0);
    EXPECT_LE(box.right, 40);  // two cells of about 20 pixels, not four
    EXPECT_GE(box.right, 20);
}

TEST_F(TextTest, TextIsClippedAtTheFrameEdges) {
    BeginText(60);
    DrawText(600, 450, "WWWW", 0x0000FF00);
    DrawText(-30, -30, "WWWW", 0x0000FF00);
    EndText();
    // Nothing in the bytes past column 639 of any row.
    const uint8_t* bits = headless::BackBuffer();
    for (int y = 0; y < 480; ++y)
        for (int x = 640; x < headless::BackBufferPitch(); ++x)
            ASSERT_EQ(bits[y * headless::BackBufferPitch() + x], 0) << x << "," << y;
    EXPECT_GT(InkedBox(250).count, 0);
}

TEST_F(TextTest, NoTextOutsideABlock) {
    DrawText(100, 100, "Lost", 0x00FFFFFF);
    EXPECT_EQ(InkedBox(255).count, 0);
}

TEST(Palette, FixedColoursKeepTheirIndicesAndGreysFindAGrey) {
    EXPECT_EQ(NearestPaletteIndex(0x000000FF), 249);  // red
    EXPECT_EQ(NearestPaletteIndex(0x0000FF00), 250);  // green
    EXPECT_EQ(NearestPaletteIndex(0x00FFFFFF), 255);  // white
    EXPECT_EQ(NearestPaletteIndex(0x00FFFF05), 254);  // cyan (5, 255, 255)
    EXPECT_EQ(NearestPaletteIndex(0x00000000), 0);
    EXPECT_EQ(NearestPaletteIndex(0x00808080), 248);
    for (int v = 0; v <= 255; v += 5) {
        const platform::Rgb c = GamePalette[NearestPaletteIndex(v * 0x010101)];
        // The fade of the opening stays smooth and grey.
        EXPECT_LE(std::abs(c.r - v), 7) << v;
        EXPECT_LE(std::abs(c.g - v), 7) << v;
        EXPECT_LE(std::abs(c.b - v), 7) << v;
    }
    const platform::Rgb lightGreen = GamePalette[NearestPaletteIndex(0x0037E17D)];
    EXPECT_LT(lightGreen.r, lightGreen.g);
    EXPECT_GT(lightGreen.r, lightGreen.b);
}

}  // namespace
