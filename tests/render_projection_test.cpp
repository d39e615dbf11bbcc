// Perspective projection and the visibility rules of 3D lines and quads.
#include "render/projection.h"

#include <gtest/gtest.h>

#include <tuple>
#include <utility>
#include <vector>

#include "testing/render_canvas.h"

namespace {

using Projection = RenderCanvas;

struct Projected {
    int32_t x, y, depth;
};

Projected Project(double x, double y, double z) {
    ProjectPoint(x, y, z);
    return {ProjX, ProjY, ProjDepth};
}

void ExpectProjected(double x, double y, double z, Projected e) {
    const Projected got = Project(x, y, z);
    EXPECT_EQ(std::tuple(got.x, got.y, got.depth), std::tuple(e.x, e.y, e.depth))
        << x << "," << y << "," << z;
}

TEST_F(Projection, SamplePointsTruncateTowardZeroBeforeTheSubtraction) {
    ExpectProjected(1000, 0, 0, {320, 240, 1000});
    ExpectProjected(1000, 100, 0, {269, 240, 1000});   // 51.2 to the left
    ExpectProjected(1000, -100, 0, {371, 240, 1000});  // -51.2 truncates to -51, not -52
    ExpectProjected(1000, 0, 100, {320, 189, 1000});
    ExpectProjected(1000, 0, -100, {320, 291, 1000});

    // Only an exact zero depth becomes one; behind the camera the depth is negative.
    ExpectProjected(0, 100, 0, {320 - 51200, 240, 1});
    EXPECT_EQ(Project(0.5, 0, 0).depth, 0);
    EXPECT_EQ(Project(-1000, 0, 0).depth, -1000);
}

TEST_F(Projection, CameraPoseTurnsTheView) {
    // Roll 900: a point to the camera's left drops below the centre.
    PlaceCamera(0, 0, 0, 0, 0, 900);
    ExpectProjected(1000, 100, 0, {320, 291, 1000});

    // Facing +y from (0, -1000, 0): +x lies to the camera's right.
    PlaceCamera(0, -1000, 0, 900, 0, 0);
    ExpectProjected(0, 0, 0, {320, 240, 1000});
    ExpectProjected(100, 0, 0, {371, 240, 1000});

    // Pitch 2700 looks straight down: height becomes depth and +x runs up the screen.
    PlaceCamera(0, 0, 1000, 0, 2700, 0);
    EXPECT_EQ(Project(0, 0, 0).depth, 1000);
    EXPECT_EQ(Project(100, 0, 0).y, 189);
    // Angles outside the tables are folded back.
    PlaceCamera(0, 0, 0, 3600 + 900, 0, -3600);
    ExpectProjected(0, 1000, 0, {320, 240, 1000});
}

TEST_F(Projection, LineNeedsBothEndsBeyondTheNearLimit) {
    DrawColour = 7;
    DrawLine3D(50.9, 0, 0, 1000, 0, 0);  // depth truncates to 50
    EXPECT_EQ(Drawn(), 0);
    DrawLine3D(1000, 0, 0, -1000, 10, 0);  // behind the camera
    EXPECT_EQ(Drawn(), 0);

    // Both at depth 51, one end at the guard window's top-left corner (-200, -100).
    const Projected corner = Project(51, 51.8, 33.87);
    ASSERT_EQ(std::pair(corner.x, corner.y), std::pair(-200, -100));
    DrawLine3D(51, 51.8, 33.87, 51, 0, 0);
    EXPECT_GT(Count(7), 0);
    EXPECT_EQ(At(320, 240), 7);
}

TEST_F(Projection, LineWithBothEndsOutsideTheGuardWindowIsSkipped) {
    DrawColour = 7;
    // A horizontal line across the whole screen, ends at x of about -345 and 985.
    ASSERT_LT(Project(1000, 1300, 0).x, -200);
    ASSERT_GT(Project(1000, -1300, 0).x, 838);
    DrawLine3D(1000, 1300, 0, 1000, -1300, 0);
    EXPECT_EQ(Drawn(), 0);

    // Far below the screen still counts as inside down to row 848.
    ASSERT_EQ(Project(1000, 0, -1186).y, 847);
    DrawLine3D(1000, 1300, -1186, 1000, -1300, -1186);
    EXPECT_EQ(Drawn(), 0);
    DrawLine3D(1000, 0, -1186, 1000, 0, 0);
    EXPECT_GT(Count(7), 0);
}

TEST_F(Projection, QuadKeepsItsCornersWhenTooNearToDraw) {
    DrawColour = 7;
    DrawQuad3D(1000, 100, 100, 1000, -100, 100, 1000, -100, -100, 50.5, 100, -100);
    EXPECT_EQ(Drawn(), 0);
    EXPECT_EQ(std::tuple(QuadX[0], QuadY[0], QuadX[1], QuadY[2], QuadDepth[2], QuadDepth[3]),
              std::tuple(269, 189, 371, 291, 1000, 50));

    // The same square all in front: its outline, with no guard-window test.
    DrawQuad3D(1000, 100, 100, 1000, -100, 100, 1000, -100, -100, 1000, 100, -100);
    EXPECT_EQ((std::vector<int>{At(269, 189), At(320, 189), At(371, 240), At(320, 240)}),
              (std::vector<int>{7, 7, 7, kBackground}));
    // All four corners beyond the guard window: the outline still crosses the screen.
    Clear();
    DrawQuad3D(1000, 1300, 100, 1000, -1300, 100, 1000, -1300, -100, 1000, 1300, -100);
    EXPECT_LT(QuadX[0], -200);
    EXPECT_TRUE(Near(320, 189, 7));
    EXPECT_TRUE(Near(320, 291, 7));
}

}  // namespace
