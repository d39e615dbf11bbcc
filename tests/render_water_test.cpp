// The water grid seen from straight above: which of its lines are drawn.
#include "render/water_grid.h"

#include <gtest/gtest.h>

#include "render/projection.h"
#include "tests/render_canvas.h"

namespace {

constexpr uint8_t kWater = 252;

// Looking straight down from 30000 above the water's middle, 1200 units are about 20 pixels:
// the whole grid is on screen, +x up the screen and +y to the left.
class WaterGrid : public RenderCanvas {
  protected:
    void SetUp() override {
        RenderCanvas::SetUp();
        for (float& height : WaveHeight) height = 100.0f;
        PlaceCamera(12000, 12000, 30100, 0, 2700, 0);
        DrawColour = kWater;
    }

    // Whether the grid line from point (i, j) to its neighbour (i + di, j + dj) is drawn,
    // looked for at the line's middle.
    bool LineDrawn(int i, int j, int di, int dj) {
        const double x = 1200.0 * (j + 0.5 * dj), y = 1200.0 * (i + 0.5 * di);
        ProjectPoint(x, y, 100.0);
        return Near(ProjX, ProjY, kWater);
    }

    int LinesDrawn() {
        int lines = 0;
        for (int i = 0; i <= 20; ++i)
            for (int j = 0; j <= 20; ++j) {
                if (i < 20) lines += LineDrawn(i, j, 1, 0);
                if (j < 20) lines += LineDrawn(i, j, 0, 1);
            }
        return lines;
    }
};

TEST_F(WaterGrid, EightHundredLinesOpenOnTheTwoFarSides) {
    DrawWaterGrid();
    for (int k = 0; k < kWaterGridPoints; ++k) ASSERT_EQ(GridVisible[k], 1) << k;
    EXPECT_EQ(LinesDrawn(), 800);

    // The near sides are closed; nothing runs along x = 24000 or y = 24000.
    EXPECT_TRUE(LineDrawn(0, 5, 0, 1));
    EXPECT_TRUE(LineDrawn(5, 0, 1, 0));
    EXPECT_FALSE(LineDrawn(19, 20, 1, 0));  // 419 to 440
    EXPECT_FALSE(LineDrawn(20, 19, 0, 1));  // 439 to 440
    EXPECT_TRUE(LineDrawn(19, 19, 1, 0));   // but both reach the far corner's neighbours
    EXPECT_TRUE(LineDrawn(19, 19, 0, 1));
}

TEST_F(WaterGrid, PointBehindTheCameraTakesItsLinesAlong) {
    const int i = 10, j = 7;
    WaveHeight[21 * i + j] = 40000.0f;  // above the camera, so behind it
    DrawWaterGrid();
    EXPECT_EQ(GridVisible[21 * i + j], 0);
    EXPECT_FALSE(LineDrawn(i, j, 1, 0));
    EXPECT_FALSE(LineDrawn(i, j, 0, 1));
    EXPECT_TRUE(LineDrawn(i + 1, j, 0, 1));
    EXPECT_TRUE(LineDrawn(i, j + 1, 1, 0));
    // The point's neighbours still reach one another; only its own four lines go.
    EXPECT_EQ(LinesDrawn(), 796);
}

TEST_F(WaterGrid, DepthBelowOneIsBehindButExactlyZeroIsNot) {
    // Looking along +x from just before the column x = 1200.
    PlaceCamera(1199.5, 12000, 5000, 0, 0, 0);
    DrawWaterGrid();
    EXPECT_EQ(GridVisible[21 * 3 + 1], 0);  // depth 0.5 truncates to 0
    EXPECT_EQ(GridVisible[21 * 3 + 2], 1);

    PlaceCamera(1200, 12000, 5000, 0, 0, 0);
    DrawWaterGrid();
    EXPECT_EQ(GridVisible[21 * 3 + 1], 1);  // exactly in the camera's plane: depth 1
    EXPECT_EQ(GridVisible[21 * 3 + 0], 0);
}

}  // namespace
