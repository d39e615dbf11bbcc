// The bitmap slots and the sprite copy: the built-in sheet, clipping at the frame's edges, the
// slot table's limits, and a CHAR file beside the executable.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "media/palette.h"
#include "overlay/sprites.h"
#include "tests/sprite_test_support.h"

namespace {

using sprite_test::BmpBytes;
using sprite_test::Colour;
using Rows = std::vector<std::string>;

class Sprites : public sprite_test::SpriteFrame {};

// The three 8 x 8 cells with a one-pixel margin: black shows the background, and the sheet's
// dark red column 24 and its empty row 8 are not part of any cell.
TEST_F(Sprites, BuiltInSheetCellsKeepTheBackgroundUnderBlack) {
    ASSERT_EQ(LoadBitmapSlot("CHAR"), 2);
    BlitSprite(101, 101, 2, 0, 0, 8, 8);
    BlitSprite(121, 101, 2, 8, 0, 16, 8);
    BlitSprite(141, 101, 2, 16, 0, 24, 8);
    EXPECT_EQ(Region(100, 100, 10, 10),
              (Rows{"..........", ".WWWWWWWW.", ".WWWWWWWW.", ".WBWWWWBW.", ".WBWWWWBW.",
                    ".WWWWWWWW.", ".WWWRRWWW.", ".WRRWWRRW.", ".WWWWWWWW.", ".........."}));
    EXPECT_EQ(Region(120, 100, 10, 10),
              (Rows{"..........", ".YYYYYYYY.", ".YYYYYYYY.", ".YBYYYYBY.", ".YBYYYYBY.",
                    ".YYYYYYYY.", ".YRRYYRRY.", ".YYYRRYYY.", ".YYYYYYYY.", ".........."}));
    EXPECT_EQ(Region(140, 100, 10, 10),
              (Rows{"..........", "....RR....", "....RR....", "...RRRR...", "...RRRR...",
                    "..RRRRRR..", ".GRRRRRRG.", ".GGGRRGGG.", "..GGGGGG..", ".........."}));
    EXPECT_EQ(ChangedBytes(), 64 + 64 + 40);

    // The whole sheet: the dark red column is there, the last row all transparent.
    Clear();
    BlitSprite(300, 300, 2, 0, 0, 25, 9);
    EXPECT_EQ(Region(323, 299, 3, 11),
              (Rows{"...", ".D.", ".D.", ".D.", ".D.", ".D.", "GD.", "GD.", ".D.", "...", "..."}));
}

struct ClipCase {
    int x, y;
    int left, top, width, height;  // where the visible part lands
    Rows visible;
};

// Each marker is clipped by the frame (0, 0)-(640, 480), right and bottom exclusive: only the
// part inside is written, nothing wraps into the next row or the pitch's spare bytes.
TEST_F(Sprites, ClipsAtEveryEdgeOfTheFrame) {
    ASSERT_EQ(LoadBitmapSlot("CHAR"), 2);
    const ClipCase cases[] = {
        {636,
         200,
         636,
         200,
         4,
         8,
         {"WWWW", "WWWW", "WBWW", "WBWW", "WWWW", "WWWR", "WRRW", "WWWW"}},
        {-3,
         200,
         0,
         200,
         5,
         8,
         {"WWWWW", "WWWWW", "WWWBW", "WWWBW", "WWWWW", "RRWWW", "WWRRW", "WWWWW"}},
        {300, 476, 300, 476, 8, 4, {"WWWWWWWW", "WWWWWWWW", "WBWWWWBW", "WBWWWWBW"}},
        {300, -3, 300, 0, 8, 5, {"WBWWWWBW", "WWWWWWWW", "WWWRRWWW", "WRRWWRRW", "WWWWWWWW"}},
        {-6, -5, 0, 0, 2, 3, {"WW", "RW", "WW"}},
        {637, 477, 637, 477, 3, 3, {"WWW", "WWW", "WBW"}},
    };
    for (const ClipCase& c : cases) {
        Clear();
        BlitSprite(c.x, c.y, 2, 0, 0, 8, 8);
        EXPECT_EQ(Region(c.left, c.top, c.width, c.height), c.visible) << c.x << "," << c.y;
        EXPECT_EQ(ChangedBytes(), c.width * c.height) << c.x << "," << c.y;
    }
    // Wholly outside, or touching the frame only by its edge: nothing at all.
    Clear();
    for (const auto& [x, y] : std::vector<std::pair<int, int>>{{640, 200},
                                                               {700, 200},
                                                               {300, 480},
                                                               {300, 900},
                                                               {-8, 200},
                                                               {-50, 200},
                                                               {300, -8},
                                                               {-2147483647, 0},
                                                               {2147483647, 2147483647}}) {
        BlitSprite(x, y, 2, 0, 0, 8, 8);
    }
    EXPECT_EQ(ChangedBytes(), 0);
}

// Slot 0, slots outside the table, a slot whose picture was never found, and rectangles that
// are not inside the picture draw nothing.
TEST_F(Sprites, DrawsNothingWithoutAPictureOrOutsideIt) {
    ASSERT_EQ(LoadBitmapSlot("CHAR"), 2);
    testing::internal::CaptureStderr();
    EXPECT_EQ(LoadBitmapSlot("NOSUCH"), 0);
    testing::internal::GetCapturedStderr();
    for (int slot : {0, 1, 3, -1, kBitmapSlots}) BlitSprite(100, 100, slot, 0, 0, 8, 8);
    BlitSprite(100, 100, 2, 20, 0, 28, 8);  // past the right of the 25-wide sheet
    BlitSprite(100, 100, 2, -2, 0, 6, 8);   // left of it
    BlitSprite(100, 100, 2, 0, 4, 8, 12);   // below its 9 rows
    BlitSprite(100, 100, 2, 8, 0, 0, 8);    // turned round
    EXPECT_EQ(ChangedBytes(), 0);
}

// Slots are given out from 2; a failed load keeps its slot's name but no picture; an over-long
// name takes no slot; a full table says "---".
TEST_F(Sprites, TheSlotTableHasItsLimits) {
    const std::string longest(30, 'A'), tooLong(31, 'A');
    testing::internal::CaptureStderr();
    EXPECT_EQ(LoadBitmapSlot("CHAR"), 2);
    EXPECT_EQ(LoadBitmapSlot(longest.c_str()), 0);
    EXPECT_EQ(std::string(BitmapSlots[3].name), longest);
    EXPECT_TRUE(BitmapSlots[3].pixels.empty());
    EXPECT_EQ(LoadBitmapSlot(tooLong.c_str()), 0);
    EXPECT_EQ(LoadBitmapSlot("CHAR"), 4);
    EXPECT_EQ(headless::ErrorBoxes(), (std::vector<std::string>{"Error: ---", "Error: ---"}));

    for (int32_t expected = 5; expected < kBitmapSlots; ++expected)
        ASSERT_EQ(LoadBitmapSlot("CHAR"), expected);
    EXPECT_EQ(LoadBitmapSlot("CHAR"), 0);
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(headless::ErrorBoxes().size(), 3u);
    EXPECT_EQ(BitmapSlots[0].name[0], '\0');
    EXPECT_EQ(BitmapSlots[1].name[0], '\0');
}

// A CHAR file beside the executable is the sheet instead: every colour becomes the nearest
// palette entry, black stays transparent, and a picture smaller than the sheet simply lacks the
// cells it does not hold.
TEST_F(Sprites, CharFileBesideTheExecutableReplacesTheSheet) {
    constexpr int kWidth = 64, kHeight = 64;
    std::vector<Colour> pixels;
    for (int i = 0; i < kWidth * kHeight; ++i) {
        pixels.push_back({uint8_t(i % 16 * 17), uint8_t(i / 16 % 16 * 17), uint8_t(i / 256 * 17)});
    }
    WriteFile("CHAR", BmpBytes(kWidth, kHeight, pixels));
    ASSERT_EQ(LoadBitmapSlot("CHAR"), 2);
    BlitSprite(0, 0, 2, 0, 0, kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const Colour& c = pixels[y * kWidth + x];
            const uint32_t bgr = c.r | (c.g << 8) | (c.b << 16);
            // Whatever lands on black's index is transparent, near-blacks too.
            const uint8_t index = NearestPaletteIndex(bgr);
            const uint8_t want = index == 0 ? sprite_test::kBackground : index;
            ASSERT_EQ(Pixel(x, y), want) << x << "," << y;
        }
    }

    // Two cells wide: the faces come from the file, the checkpoint cell is not there to copy.
    EmptyBitmapSlots();
    Clear();
    std::vector<Colour> small(16 * 8, Colour{0, 255, 0});
    small[0] = {0, 0, 0};
    WriteFile("CHAR", BmpBytes(16, 8, small));
    CharSlot = LoadBitmapSlot("CHAR");
    BlitSprite(10, 10, CharSlot, 0, 0, 8, 8);
    BlitSprite(30, 10, CharSlot, 16, 0, 24, 8);
    EXPECT_EQ(Pixel(10, 10), sprite_test::kBackground);
    EXPECT_EQ(Pixel(11, 10), 250);  // the fixed green
    EXPECT_EQ(ChangedBytes(), 63);
    EXPECT_TRUE(headless::ErrorBoxes().empty());
}

// A CHAR file that cannot be read as a BMP leaves the built-in sheet, said in one line.
TEST_F(Sprites, UnreadableCharFileKeepsTheBuiltInSheet) {
    const std::string good = BmpBytes(25, 9, std::vector<Colour>(25 * 9, Colour{0, 255, 0}));
    const std::string broken[] = {"", "not a picture at all", good.substr(0, 30)};
    for (const std::string& bytes : broken) {
        EmptyBitmapSlots();
        Clear();
        WriteFile("CHAR", bytes);
        testing::internal::CaptureStderr();
        CharSlot = LoadBitmapSlot("CHAR");
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(CharSlot, 2);
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
        EXPECT_NE(said.find("CHAR: not a readable BMP"), std::string::npos) << said;
        EXPECT_NE(said.find("built-in"), std::string::npos) << said;
        BlitSprite(100, 100, CharSlot, 8, 0, 16, 8);
        EXPECT_EQ(Region(100, 100, 8, 1), Rows{"YYYYYYYY"});
    }
    EXPECT_TRUE(headless::ErrorBoxes().empty());
}

}  // namespace
