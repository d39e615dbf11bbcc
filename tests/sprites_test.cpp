// The sprite sheet on the headless frame: cells, clipping at the frame's edges, the slot table,
// a CHAR file beside the executable, and the course map's markers.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "base/program_dir.h"
#include "course/stage.h"
#include "media/display.h"
#include "media/palette.h"
#include "media/sound.h"
#include "overlay/map_markers.h"
#include "overlay/sprites.h"
#include "platform/headless/headless.h"
#include "race/race_state.h"
#include "testing/program_folder.h"

namespace {

namespace fs = std::filesystem;
using Rows = std::vector<std::string>;

// Not black, so a transparent pixel shows as kept.
constexpr uint8_t kBackground = 100;

const Rows kPlayer = {"WWWWWWWW", "WWWWWWWW", "WBWWWWBW", "WBWWWWBW",
                      "WWWWWWWW", "WWWRRWWW", "WRRWWRRW", "WWWWWWWW"};
const Rows kOpponent = {"YYYYYYYY", "YYYYYYYY", "YBYYYYBY", "YBYYYYBY",
                        "YYYYYYYY", "YRRYYRRY", "YYYRRYYY", "YYYYYYYY"};
const Rows kCheckpoint = {"...RR...", "...RR...", "..RRRR..", "..RRRR..",
                          ".RRRRRR.", "GRRRRRRG", "GGGRRGGG", ".GGGGGG."};

struct Colour {
    uint8_t r, g, b;
};

// A 24-bit bottom-up BMP of `pixels` (rows from the top).
std::string BmpBytes(int width, int height, const std::vector<Colour>& pixels) {
    const int rowBytes = (width * 3 + 3) & ~3;
    std::string out = "BM";
    auto u16 = [&](uint32_t v) { out += char(v & 0xFF), out += char(v >> 8); };
    auto u32 = [&](uint32_t v) { u16(v & 0xFFFF), u16(v >> 16); };
    u32(54 + rowBytes * height), u32(0), u32(54);
    u32(40), u32(width), u32(height), u16(1), u16(24), u32(0), u32(rowBytes * height);
    u32(2835), u32(2835), u32(0), u32(0);
    for (int y = height - 1; y >= 0; --y) {
        std::string row(rowBytes, '\0');
        for (int x = 0; x < width; ++x) {
            const Colour& c = pixels[y * width + x];
            row[x * 3] = char(c.b), row[x * 3 + 1] = char(c.g), row[x * 3 + 2] = char(c.r);
        }
        out += row;
    }
    return out;
}

// An empty program folder of its own (the built-in sheet unless a test writes a CHAR file), the
// media started as the game starts them, a frame of kBackground.
class Sprites : public program_test::ProgramFolder {
  protected:
    void SetUp() override {
        ProgramFolder::SetUp();
        InitMedia(platform::kFrameWidth, platform::kFrameHeight);
        EmptyBitmapSlots();
        Clear();
    }
    void TearDown() override {
        ShutDownAudio();
        EmptyBitmapSlots();
        ProgramFolder::TearDown();
    }

    // Fills the frame and remembers the whole buffer, the pitch's spare bytes too.
    void Clear() {
        platform::FillBackBuffer(kBackground);
        const uint8_t* bits = headless::BackBuffer();
        before_.assign(bits, bits + headless::BackBufferPitch() * platform::kFrameHeight);
    }
    int ChangedBytes() const {
        const uint8_t* bits = headless::BackBuffer();
        int changed = 0;
        for (size_t i = 0; i < before_.size(); ++i) changed += bits[i] != before_[i];
        return changed;
    }
    void WriteChar(const std::string& bytes) { Write("CHAR", bytes); }
    static uint8_t Pixel(int x, int y) {
        return headless::BackBuffer()[y * headless::BackBufferPitch() + x];
    }
    // The frame's w x h pixels from (x, y) as the sheet's letters ('.' the background).
    static Rows Region(int x, int y, int w = 8, int h = 8) {
        const std::pair<uint8_t, char> letters[] = {
            {255, 'W'}, {251, 'Y'}, {252, 'B'}, {249, 'R'}, {7, 'G'}, {1, 'D'}, {kBackground, '.'}};
        Rows rows(h, std::string(w, '?'));
        for (int row = 0; row < h; ++row)
            for (int col = 0; col < w; ++col)
                for (const auto& [index, letter] : letters)
                    if (Pixel(x + col, y + row) == index) rows[row][col] = letter;
        return rows;
    }

    std::vector<uint8_t> before_;
};

// Black keeps the background; column 24 (dark red) and row 8 belong to no cell.
TEST_F(Sprites, BuiltInSheetCellsKeepTheBackgroundUnderBlack) {
    ASSERT_EQ(LoadBitmapSlot("CHAR"), 2);
    BlitSprite(100, 100, 2, 0, 0, 8, 8);
    BlitSprite(120, 100, 2, 8, 0, 16, 8);
    BlitSprite(140, 100, 2, 16, 0, 24, 8);
    EXPECT_EQ((std::vector{Region(100, 100), Region(120, 100), Region(140, 100)}),
              (std::vector{kPlayer, kOpponent, kCheckpoint}));
    EXPECT_EQ(ChangedBytes(), 64 + 64 + 40);

    Clear();
    BlitSprite(300, 300, 2, 0, 0, 25, 9);
    EXPECT_EQ(Region(323, 300, 3, 9),
              (Rows{".D.", ".D.", ".D.", ".D.", ".D.", "GD.", "GD.", ".D.", "..."}));
}

// Only the part inside (0, 0)-(640, 480) is written: nothing wraps into the next row or the
// pitch's spare bytes, and a marker touching the frame only by its edge draws nothing.
TEST_F(Sprites, ClipsAtEveryEdgeOfTheFrame) {
    ASSERT_EQ(LoadBitmapSlot("CHAR"), 2);
    struct Case {
        int x, y, left, top, width, height;
    };
    for (const Case& c : {Case{636, 200, 636, 200, 4, 8}, Case{-3, 200, 0, 200, 5, 8},
                          Case{300, 476, 300, 476, 8, 4}, Case{300, -3, 300, 0, 8, 5},
                          Case{-6, -5, 0, 0, 2, 3}, Case{637, 477, 637, 477, 3, 3}}) {
        Clear();
        BlitSprite(c.x, c.y, 2, 0, 0, 8, 8);
        Rows visible;
        for (int row = c.top - c.y; row < c.top - c.y + c.height; ++row)
            visible.push_back(kPlayer[row].substr(c.left - c.x, c.width));
        EXPECT_EQ(Region(c.left, c.top, c.width, c.height), visible) << c.x << "," << c.y;
        EXPECT_EQ(ChangedBytes(), c.width * c.height) << c.x << "," << c.y;
    }
    Clear();
    const int outside[][2] = {{640, 200},
                              {700, 200},
                              {300, 480},
                              {-8, 200},
                              {300, -8},
                              {-2147483647, 0},
                              {2147483647, 2147483647}};
    for (const auto& [x, y] : outside) BlitSprite(x, y, 2, 0, 0, 8, 8);
    EXPECT_EQ(ChangedBytes(), 0);
}

// Slots are given out from 2; a failed load keeps its slot's name but no picture, and it and
// slots 0, 1 and outside the table draw nothing; an over-long name takes no slot; rectangles
// not inside the picture draw nothing; a full table says "---".
TEST_F(Sprites, TheSlotTableAndItsLimits) {
    const std::string longest(30, 'A'), tooLong(31, 'A');
    testing::internal::CaptureStderr();
    EXPECT_EQ(LoadBitmapSlot("CHAR"), 2);
    EXPECT_EQ(LoadBitmapSlot(longest.c_str()), 0);
    EXPECT_EQ(std::string(BitmapSlots[3].name), longest);
    EXPECT_EQ(LoadBitmapSlot(tooLong.c_str()), 0);
    EXPECT_EQ(LoadBitmapSlot("CHAR"), 4);
    EXPECT_EQ(headless::ErrorBoxes(), (Rows{"Error: ---", "Error: ---"}));

    for (int slot : {0, 1, 3, -1, kBitmapSlots}) BlitSprite(100, 100, slot, 0, 0, 8, 8);
    BlitSprite(100, 100, 2, 20, 0, 28, 8);  // past the right of the 25-wide sheet
    BlitSprite(100, 100, 2, -2, 0, 6, 8);
    BlitSprite(100, 100, 2, 0, 4, 8, 12);  // below its 9 rows
    EXPECT_EQ(ChangedBytes(), 0);

    for (int32_t expected = 5; expected < kBitmapSlots; ++expected)
        ASSERT_EQ(LoadBitmapSlot("CHAR"), expected);
    EXPECT_EQ(LoadBitmapSlot("CHAR"), 0);
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(headless::ErrorBoxes().size(), 3u);
}

// A CHAR file beside the executable is the sheet instead: every colour becomes the nearest
// palette entry, whatever lands on black's index is transparent, and a picture smaller than the
// sheet simply lacks the cells it does not hold.
TEST_F(Sprites, CharFileBesideTheExecutableReplacesTheSheet) {
    std::vector<Colour> pixels;
    for (int i = 0; i < 64 * 64; ++i)
        pixels.push_back({uint8_t(i % 16 * 17), uint8_t(i / 16 % 16 * 17), uint8_t(i / 256 * 17)});
    WriteChar(BmpBytes(64, 64, pixels));
    ASSERT_EQ(LoadBitmapSlot("CHAR"), 2);
    BlitSprite(0, 0, 2, 0, 0, 64, 64);
    for (int i = 0; i < 64 * 64; ++i) {
        const Colour& c = pixels[i];
        const uint8_t index = NearestPaletteIndex(c.r | (c.g << 8) | (c.b << 16));
        ASSERT_EQ(Pixel(i % 64, i / 64), index == 0 ? kBackground : index) << i;
    }

    EmptyBitmapSlots();
    Clear();
    std::vector<Colour> faces(16 * 8, Colour{0, 255, 0});
    faces[0] = {0, 0, 0};
    WriteChar(BmpBytes(16, 8, faces));
    CharSlot = LoadBitmapSlot("CHAR");
    BlitSprite(10, 10, CharSlot, 0, 0, 8, 8);
    BlitSprite(30, 10, CharSlot, 16, 0, 24, 8);
    EXPECT_EQ(Pixel(11, 10), 250);  // the fixed green
    EXPECT_EQ(ChangedBytes(), 63);
    EXPECT_TRUE(headless::ErrorBoxes().empty());
}

// A CHAR file that cannot be read as a BMP leaves the built-in sheet, said in one line.
TEST_F(Sprites, UnreadableCharFileKeepsTheBuiltInSheet) {
    const std::string good = BmpBytes(25, 9, std::vector<Colour>(25 * 9, Colour{0, 255, 0}));
    for (const std::string& bytes :
         {std::string(), std::string("not a picture"), good.substr(0, 30)}) {
        EmptyBitmapSlots();
        WriteChar(bytes);
        testing::internal::CaptureStderr();
        CharSlot = LoadBitmapSlot("CHAR");
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(CharSlot, 2);
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
        EXPECT_TRUE(said.find("CHAR: not a readable BMP") != std::string::npos &&
                    said.find("built-in") != std::string::npos)
            << said;
        BlitSprite(100, 100, CharSlot, 8, 0, 16, 8);
        EXPECT_EQ(Region(100, 100), kOpponent);
    }
    EXPECT_TRUE(headless::ErrorBoxes().empty());
}

// A header claiming a picture larger than any sheet is refused by its claim, before room for its
// pixels is asked for (billions of rows would be allocated whole), in the new and the old header
// and for top-down rows; the built-in sheet stays.
TEST_F(Sprites, CharFileClaimingHugeSidesIsRefusedBeforeItsPixels) {
    const std::string good = BmpBytes(25, 9, std::vector<Colour>(25 * 9, Colour{0, 255, 0}));
    auto claiming = [&](int32_t width, int32_t height) {
        std::string bytes = good;
        for (int i = 0; i < 4; ++i) {
            bytes[18 + i] = char(uint32_t(width) >> (8 * i));
            bytes[22 + i] = char(uint32_t(height) >> (8 * i));
        }
        return bytes;
    };
    // The old 12-byte header holds 16-bit sides and 24-bit pixels right after it.
    std::string core = "BM" + std::string(12, '\0');
    core += std::string("\x0c\0\0\0\xff\xff\xff\xff\x01\0\x18\0", 12);
    core[10] = 26;
    core += std::string(64, '\0');

    const std::pair<std::string, std::string> cases[] = {
        {claiming(9, -2000000000), "the picture is 9 x 2000000000 pixels"},
        {claiming(2000000000, 9), "the picture is 2000000000 x 9 pixels"},
        {claiming(4097, 1), "the picture is 4097 x 1 pixels"},
        {claiming(1, INT32_MIN), "the picture is 1 x 2147483648 pixels"},
        {core, "the picture is 65535 x 65535 pixels"},
    };
    for (const auto& [bytes, said] : cases) {
        EmptyBitmapSlots();
        WriteChar(bytes);
        testing::internal::CaptureStderr();
        CharSlot = LoadBitmapSlot("CHAR");
        const std::string out = testing::internal::GetCapturedStderr();
        EXPECT_NE(out.find(said), std::string::npos) << out;
        EXPECT_EQ(CharSlot, 2);
        BlitSprite(100, 100, CharSlot, 8, 0, 16, 8);
        EXPECT_EQ(Region(100, 100), kOpponent);
    }
}

class MapMarkers : public Sprites {
  protected:
    void SetUp() override {
        Sprites::SetUp();
        CharSlot = LoadBitmapSlot("CHAR");
        // Everything far off the map unless a test puts it there.
        for (int i = 0; i < 8; ++i) CheckpointX[i] = CheckpointY[i] = -200000;
        for (int j = 0; j < kOpponentCount; ++j) OpponentX[j] = OpponentY[j] = -200000.0f;
        PlayerX = PlayerY = -200000.0f;
    }
};

// Each marker's corner sits on its map point, worked out in double and truncated toward zero:
// 608.99999989 truncates to 608 where float sums would round up to 609, and row -0.49999...
// to row 0 where rounding down would cut off the top row. Later markers cover earlier ones,
// the player last; without the sheet nothing is drawn.
TEST_F(MapMarkers, CornersSitOnTheMapPointsAndThePlayerOnTop) {
    CheckpointX[0] = 24000, CheckpointY[0] = 0;  // the map's top edge
    CheckpointX[1] = 399, CheckpointY[1] = 399;
    CheckpointX[2] = 4000, CheckpointY[2] = 8399;
    CheckpointX[3] = 8000, CheckpointY[3] = 21000;
    OpponentX[0] = 8000.0f, OpponentY[0] = 4100.0f;  // 589.5 -> 589
    OpponentX[6] = 1400.1f, OpponentY[6] = 2000.1f;
    PlayerX = 16000.0f, PlayerY = 200.0001f;
    DrawMapMarkers();
    const std::pair<int, int> checkpoints[] = {{610, 0}, {609, 119}, {569, 100}, {505, 80}};
    for (const auto& [x, y] : checkpoints) EXPECT_EQ(Region(x, y), kCheckpoint) << x << "," << y;
    EXPECT_EQ(Region(589, 80), kOpponent);
    EXPECT_EQ(Region(599, 112), kOpponent);
    EXPECT_EQ(Region(608, 40), kPlayer);
    EXPECT_EQ(ChangedBytes(), 4 * 40 + 3 * 64);  // nothing beyond the cells

    Clear();
    for (int i = 0; i < 4; ++i) CheckpointX[i] = CheckpointY[i] = -200000;
    OpponentX[0] = OpponentX[6] = -200000.0f;
    CheckpointX[5] = CheckpointY[5] = 2000;  // (600, 110)
    OpponentX[3] = OpponentY[3] = 2000.0f;
    OpponentX[4] = 24100.0f, OpponentY[4] = 0.0f;
    PlayerX = 24100.0f, PlayerY = 0.0f;
    DrawMapMarkers();
    EXPECT_EQ(Region(600, 110), kOpponent);
    EXPECT_EQ(Region(610, 0), kPlayer);

    Clear();
    CharSlot = 0;
    DrawMapMarkers();
    EXPECT_EQ(ChangedBytes(), 0);
}

}  // namespace
