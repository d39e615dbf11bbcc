// The water grid seen from straight above: which of its lines are drawn.
#include "render/water_grid.h"

#include <gtest/gtest.h>

#include <utility>

#include "render/projection.h"
#include "testing/render_canvas.h"

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

    // Every grid line is drawn but those along the far edges and those of point (mi, mj).
    void ExpectLinesDrawn(int mi = -1, int mj = -1) {
        for (int i = 0; i <= 20; ++i)
            for (int j = 0; j <= 20; ++j)
                for (const auto& [di, dj] : {std::pair{1, 0}, {0, 1}}) {
                    if (i + di > 20 || j + dj > 20) continue;
                    // Nothing runs along x = 24000 (j = 20) or y = 24000 (i = 20).
                    const bool open = di ? j < 20 : i < 20;
                    const bool gone = (i == mi && j == mj) || (i + di == mi && j + dj == mj);
                    EXPECT_EQ(LineDrawn(i, j, di, dj), open && !gone) << i << "," << j;
                }
    }
};

// The 800 lines open on the two far sides; a point behind the camera takes only its own four
// lines along, its neighbours still reaching one another.
TEST_F(WaterGrid, OpenOnTheTwoFarSidesAndAPointBehindTakesItsLinesAlong) {
    DrawWaterGrid();
    for (int k = 0; k < kWaterGridPoints; ++k) ASSERT_EQ(GridVisible[k], 1) << k;
    ExpectLinesDrawn();

    Clear();
    WaveHeight[21 * 10 + 7] = 40000.0f;  // above the camera, so behind it
    DrawWaterGrid();
    EXPECT_EQ(GridVisible[21 * 10 + 7], 0);
    ExpectLinesDrawn(10, 7);
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
