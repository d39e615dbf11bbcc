#include "render/buoy_tree.h"

#include "base/angles.h"
#include "media/palette.h"
#include "render/frame_buffer.h"
#include "render/projection.h"

namespace {

// Corners 0..3 of a square: (+h, -h), (-h, -h), (-h, +h), (+h, +h) about (x, y).
void DrawSquare(double x, double y, double z, double half) {
    DrawQuad3D(x + half, y - half, z, x - half, y - half, z, x - half, y + half, z, x + half,
               y + half, z);
}

struct SavedQuad {
    int32_t x[4];
    int32_t y[4];
};

SavedQuad SaveQuad() {
    SavedQuad saved;
    for (int k = 0; k < 4; ++k) {
        saved.x[k] = QuadX[k];
        saved.y[k] = QuadY[k];
    }
    return saved;
}

// The uprights between a saved square and the one now in the quad table; only the upper
// square's depths are tested.
void JoinToQuad(const SavedQuad& lower) {
    if (!QuadInFront()) return;
    for (int k = 0; k < 4; ++k) DrawLine(lower.x[k], lower.y[k], QuadX[k], QuadY[k]);
}

// The four edges from the square in the quad table up to the apex.
void DrawPyramidTo(double x, double y, double apexZ) {
    ProjectPoint(x, y, apexZ);
    if (!QuadInFront() || ProjDepth <= kNearDepth) return;
    for (int k = 0; k < 4; ++k) DrawLine(QuadX[k], QuadY[k], ProjX, ProjY);
}

}  // namespace

void DrawBuoy(double x, double y, double z, double size, int32_t colour) {
    const int32_t half = TruncateToInt(size * 0.3333333333333333);
    const int32_t blockHeight = half / 10;
    const int32_t pyramidHalf = half / 2;

    DrawColour = kWhiteEntry;
    DrawSquare(x, y, z, half);
    const SavedQuad foot = SaveQuad();
    DrawSquare(x, y, z + blockHeight, half);
    JoinToQuad(foot);

    DrawColour = colour;
    DrawSquare(x, y, z + blockHeight, pyramidHalf);
    DrawPyramidTo(x, y, z + size);
}

void DrawTree(double x, double y, double z, int32_t size) {
    const int32_t trunkHalf = size / 30;
    const double crownZ = z + 9.0 * trunkHalf;
    const int32_t crownHalf = 5 * trunkHalf;

    DrawColour = kRedEntry;
    DrawSquare(x, y, z, trunkHalf);
    const SavedQuad foot = SaveQuad();
    DrawSquare(x, y, crownZ, trunkHalf);
    JoinToQuad(foot);

    DrawColour = kGreenEntry;
    DrawSquare(x, y, crownZ, crownHalf);
    DrawPyramidTo(x, y, z + size);

    // The footprint is four separate ground lines, each with the full visibility test.
    DrawColour = kBlackEntry;
    const double h = crownHalf;
    const double corners[4][2] = {{x + h, y - h}, {x - h, y - h}, {x - h, y + h}, {x + h, y + h}};
    for (int k = 0; k < 4; ++k) {
        const int next = (k + 1) & 3;
        DrawLine3D(corners[k][0], corners[k][1], z, corners[next][0], corners[next][1], z);
    }
}
