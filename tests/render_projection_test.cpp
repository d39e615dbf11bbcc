// Perspective projection and the visibility rules of 3D lines and quads.
#include "render/projection.h"

#include <gtest/gtest.h>

#include "tests/render_canvas.h"

namespace {

using Projection = RenderCanvas;

struct Projected {
    int32_t x, y, depth;
};

Projected Project(double x, double y, double z) {
    ProjectPoint(x, y, z);
    return {ProjX, ProjY, ProjDepth};
}

void ExpectProjected(double x, double y, double z, Projected expected) {
    const Projected got = Project(x, y, z);
    EXPECT_EQ(got.x, expected.x) << x << "," << y << "," << z;
    EXPECT_EQ(got.y, expected.y) << x << "," << y << "," << z;
    EXPECT_EQ(got.depth, expected.depth) << x << "," << y << "," << z;
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
}

TEST_F(Projection, AngleOutsideTheTablesIsFoldedBack) {
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
    ASSERT_EQ(Project(51, 51.8, 33.87).x, -200);
    ASSERT_EQ(Project(51, 51.8, 33.87).y, -100);
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
    EXPECT_EQ(QuadX[0], 269);
    EXPECT_EQ(QuadY[0], 189);
    EXPECT_EQ(QuadX[1], 371);
    EXPECT_EQ(QuadY[2], 291);
    EXPECT_EQ(QuadDepth[2], 1000);
    EXPECT_EQ(QuadDepth[3], 50);

    // The same square all in front: its outline, with no guard-window test.
    DrawQuad3D(1000, 100, 100, 1000, -100, 100, 1000, -100, -100, 1000, 100, -100);
    EXPECT_EQ(At(269, 189), 7);
    EXPECT_EQ(At(320, 189), 7);
    EXPECT_EQ(At(371, 240), 7);
    EXPECT_EQ(At(320, 240), kBackground);
    // All four corners beyond the guard window: the outline still crosses the screen.
    Clear();
    DrawQuad3D(1000, 1300, 100, 1000, -1300, 100, 1000, -1300, -100, 1000, 1300, -100);
    EXPECT_LT(QuadX[0], -200);
    EXPECT_TRUE(Near(320, 189, 7));
    EXPECT_TRUE(Near(320, 291, 7));
}

}  // namespace
