// The course map's markers: where each lands, what covers what, and nothing without the sheet.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "course/stage.h"
#include "overlay/map_markers.h"
#include "overlay/sprites.h"
#include "race/race_state.h"
#include "tests/sprite_test_support.h"

namespace {

using Rows = std::vector<std::string>;

const Rows kPlayer = {"WWWWWWWW", "WWWWWWWW", "WBWWWWBW", "WBWWWWBW",
                      "WWWWWWWW", "WWWRRWWW", "WRRWWRRW", "WWWWWWWW"};
const Rows kOpponent = {"YYYYYYYY", "YYYYYYYY", "YBYYYYBY", "YBYYYYBY",
                        "YYYYYYYY", "YRRYYRRY", "YYYRRYYY", "YYYYYYYY"};
const Rows kCheckpoint = {"...RR...", "...RR...", "..RRRR..", "..RRRR..",
                          ".RRRRRR.", "GRRRRRRG", "GGGRRGGG", ".GGGGGG."};

class MapMarkers : public sprite_test::SpriteFrame {
  protected:
    void SetUp() override {
        SpriteFrame::SetUp();
        CharSlot = LoadBitmapSlot("CHAR");
        // Everything off the map unless a test puts it there.
        for (int i = 0; i < 8; ++i) CheckpointX[i] = CheckpointY[i] = -200000;
        for (int j = 0; j < kOpponentCount; ++j) OpponentX[j] = OpponentY[j] = -200000.0f;
        PlayerX = PlayerY = -200000.0f;
    }
    Rows Marker(int x, int y) const { return Region(x, y, 8, 8); }
};

TEST_F(MapMarkers, CornersSitOnTheMapPoints) {
    CheckpointX[0] = 24000, CheckpointY[0] = 0;  // the map's top edge
    CheckpointX[1] = 399, CheckpointY[1] = 399;  // whole-number division toward zero
    CheckpointX[2] = 4000, CheckpointY[2] = 8399;
    CheckpointX[3] = 8000, CheckpointY[3] = 21000;
    OpponentX[0] = 8000.0f, OpponentY[0] = 4100.0f;  // 589.5 -> 589
    OpponentX[6] = 1400.1f, OpponentY[6] = 2000.1f;
    // Worked in double, 608.99999989 truncates to 608; float sums would round up to 609.
    PlayerX = 16000.0f, PlayerY = 200.0001f;
    DrawMapMarkers();

    EXPECT_EQ(Marker(610, 0), kCheckpoint);
    EXPECT_EQ(Marker(609, 119), kCheckpoint);
    EXPECT_EQ(Marker(569, 100), kCheckpoint);
    EXPECT_EQ(Marker(505, 80), kCheckpoint);
    EXPECT_EQ(Marker(589, 80), kOpponent);
    EXPECT_EQ(Marker(599, 112), kOpponent);
    EXPECT_EQ(Marker(608, 40), kPlayer);
    // Six markers' worth of pixels and nothing more: no dark red column, no ninth row.
    EXPECT_EQ(ChangedBytes(), 4 * 40 + 3 * 64);
}

// Later markers cover earlier ones: an opponent over a buoy, the player over both.
TEST_F(MapMarkers, ThePlayerIsDrawnOnTop) {
    CheckpointX[5] = 2000, CheckpointY[5] = 2000;  // (600, 110)
    OpponentX[3] = 2000.0f, OpponentY[3] = 2000.0f;
    OpponentX[4] = 4000.0f, OpponentY[4] = 4000.0f;  // (590, 100)
    PlayerX = 4000.0f, PlayerY = 4000.0f;
    DrawMapMarkers();
    EXPECT_EQ(Marker(600, 110), kOpponent);
    EXPECT_EQ(Marker(590, 100), kPlayer);
}

// A float position just past the map's top edge truncates toward zero, to row 0, where rounding
// down would have cut off the marker's top row.
TEST_F(MapMarkers, FloatPositionsTruncateTowardZero) {
    PlayerX = 24100.0f, PlayerY = 0.0f;  // row -0.49999...
    DrawMapMarkers();
    EXPECT_EQ(Marker(610, 0), kPlayer);
}

TEST_F(MapMarkers, NothingWithoutTheSpriteSheet) {
    CheckpointX[0] = CheckpointY[0] = 2000;
    PlayerX = PlayerY = 2000.0f;
    CharSlot = 0;
    DrawMapMarkers();
    EXPECT_EQ(ChangedBytes(), 0);
}

}  // namespace
