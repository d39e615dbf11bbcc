#include "render/projection.h"

#include "base/angles.h"
#include "render/camera_state.h"
#include "render/frame_buffer.h"

namespace {

constexpr double kPerspective = 512.0;
constexpr int32_t kCentreX = 320;
constexpr int32_t kCentreY = 240;

// Lines with neither end in this window are skipped: 200 pixels beyond the screen on each
// side, 100 rows above it and 370 below.
constexpr int32_t kGuardLeft = -200;
constexpr int32_t kGuardRightExclusive = 839;
constexpr int32_t kGuardTop = -100;
constexpr int32_t kGuardBottomExclusive = 849;

bool InGuardWindow(int32_t x, int32_t y) {
    return x >= kGuardLeft && x < kGuardRightExclusive && y >= kGuardTop &&
           y < kGuardBottomExclusive;
}

}  // namespace

void ProjectPoint(double x, double y, double z) {
    const double sinHeading = SinOf(CameraHeading), cosHeading = CosOf(CameraHeading);
    const double sinPitch = SinOf(CameraPitch), cosPitch = CosOf(CameraPitch);
    const double sinRoll = SinOf(CameraRoll), cosRoll = CosOf(CameraRoll);

    const double dx = x - double(CameraX);
    const double dy = y - double(CameraY);
    const double dz = z - double(CameraZ);

    const double forward = dx * cosHeading + dy * sinHeading;
    const double side = dy * cosHeading - dx * sinHeading;  // positive to the camera's left

    double depth = forward * cosPitch + dz * sinPitch;
    const double up = dz * cosPitch - forward * sinPitch;

    // A point exactly in the camera's lateral plane is taken as one unit ahead; tiny and
    // negative depths stay as they are (callers test ProjDepth before drawing).
    if (depth == 0.0) depth = 1.0;

    const double scale = kPerspective / depth;
    const double sx = side * scale;
    const double sy = up * scale;

    ProjX = kCentreX - TruncateToInt(cosRoll * sx + sinRoll * sy);
    ProjY = kCentreY - TruncateToInt(cosRoll * sy - sinRoll * sx);
    ProjDepth = TruncateToInt(depth);
}

bool SegmentVisible(int32_t x1, int32_t y1, int32_t depth1, int32_t x2, int32_t y2,
                    int32_t depth2) {
    if (depth1 <= kNearDepth || depth2 <= kNearDepth) return false;
    return InGuardWindow(x1, y1) || InGuardWindow(x2, y2);
}

void DrawLine3D(double x1, double y1, double z1, double x2, double y2, double z2) {
    ProjectPoint(x1, y1, z1);
    const int32_t screenX1 = ProjX, screenY1 = ProjY, depth1 = ProjDepth;
    ProjectPoint(x2, y2, z2);
    if (!SegmentVisible(screenX1, screenY1, depth1, ProjX, ProjY, ProjDepth)) return;
    DrawLine(screenX1, screenY1, ProjX, ProjY);
}

void DrawQuad3D(double x0, double y0, double z0, double x1, double y1, double z1, double x2,
                double y2, double z2, double x3, double y3, double z3) {
    const double corners[4][3] = {{x0, y0, z0}, {x1, y1, z1}, {x2, y2, z2}, {x3, y3, z3}};
    for (int k = 0; k < 4; ++k) {
        ProjectPoint(corners[k][0], corners[k][1], corners[k][2]);
        QuadX[k] = ProjX;
        QuadY[k] = ProjY;
        QuadDepth[k] = ProjDepth;
    }
    if (!QuadInFront()) return;
    for (int k = 0; k < 4; ++k) {
        const int next = (k + 1) & 3;
        DrawLine(QuadX[k], QuadY[k], QuadX[next], QuadY[next]);
    }
}

bool QuadInFront() {
    return QuadDepth[0] > kNearDepth && QuadDepth[1] > kNearDepth && QuadDepth[2] > kNearDepth &&
           QuadDepth[3] > kNearDepth;
}
