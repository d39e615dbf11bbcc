// The fixed scenery round the water, looked at from the water.
#include "render/scenery.h"

#include <gtest/gtest.h>

#include "render/projection.h"
#include "tests/render_canvas.h"

namespace {

constexpr uint8_t kLettering = 249;
constexpr uint8_t kStand = 247;

class SceneryView : public RenderCanvas {
  protected:
    bool SeenAt(double x, double y, double z, uint8_t colour) {
        ProjectPoint(x, y, z);
        return Near(ProjX, ProjY, colour);
    }
};

TEST_F(SceneryView, BillboardReadsSevenCharactersInsideTheBoard) {
    PlaceCamera(5500, 5000, 1500, 2700, 0, 0);  // out on the water, facing the board
    DrawScenery();
    EXPECT_EQ(DrawColour, 248);

    // Every stroke lies inside the lettering box on the board.
    ProjectPoint(9200, -1000, 1900);
    const int left = ProjX, top = ProjY;
    ProjectPoint(1700, -1000, 1200);
    const int right = ProjX, bottom = ProjY;
    int columnsWithInk = 0, characters = 0, gap = 1000;
    for (int x = 0; x < 640; ++x) {
        bool ink = false;
        for (int y = 0; y < 480; ++y) {
            if (At(x, y) != kLettering) continue;
            ink = true;
            EXPECT_TRUE(x >= left - 1 && x <= right + 1 && y >= top - 1 && y <= bottom + 1)
                << x << "," << y;
        }
        if (ink) {
            ++columnsWithInk;
            if (gap >= 10) ++characters;  // a gap between characters is about 25 pixels here
            gap = 0;
        } else {
            ++gap;
        }
    }
    EXPECT_EQ(characters, 7);
    EXPECT_GT(columnsWithInk, 250);

    // The first character's small inner stroke (ta) is at the reader's left, the high-x end.
    EXPECT_TRUE(SeenAt(9200 - 800 * 0.5, -1000, 1200 + 700 * 0.46, kLettering));
    // The board's frame and posts in white.
    EXPECT_TRUE(SeenAt(5500, -1000, 2000, 255));
    EXPECT_TRUE(SeenAt(3000, -1000, 500, 255));
}

TEST_F(SceneryView, BothStandsRunSixSectionsToY21000) {
    PlaceCamera(12000, 12000, 1500, 0, 0, 0);  // facing the east stand
    DrawScenery();
    EXPECT_TRUE(SeenAt(25000, 19500, 0, kStand));     // sixth section, water's side
    EXPECT_TRUE(SeenAt(28000, 21000, 1500, kStand));  // the end at 21000
    EXPECT_TRUE(SeenAt(28000, 4500, 3000, kStand));   // first section, back top
    EXPECT_FALSE(SeenAt(28000, 22500, 3000, kStand));

    Clear();
    PlaceCamera(20000, 12000, 1500, 1800, 0, 0);  // facing the west stand
    DrawScenery();
    EXPECT_TRUE(SeenAt(-3000, 19500, 0, kStand));
    EXPECT_TRUE(SeenAt(-5000, 21000, 1500, kStand));
    EXPECT_TRUE(SeenAt(-5000, 4500, 3000, kStand));
    EXPECT_TRUE(SeenAt(-2000, 21000, 2500, 255));  // flagpole
    EXPECT_TRUE(SeenAt(-2000, 20000, 4250, 250));  // its pennant toward -y
    EXPECT_TRUE(SeenAt(-2000, 2000, 4250, 248));
    EXPECT_FALSE(SeenAt(-5000, 22500, 3000, kStand));
}

}  // namespace
