#include "render/boat_model.h"

#include "base/angles.h"
#include "media/palette.h"
#include "race/race_state.h"
#include "render/frame_buffer.h"
#include "render/projection.h"

namespace {

// The shadow lies on the water whatever the boat's height.
constexpr double kShadowZ = 98.0;

struct Shift {
    double x;
    double y;
};

// One boat to draw: its position, the forward vector (p, q) of about 100 units, the rocking
// value, and the deck shifts along the forward vector for the figure's three heights.
struct BoatPose {
    double x, y, z0;
    int32_t p, q;
    double rock;
    Shift d10, d12, d4;
};

BoatPose PoseAt(double x, double y, double z, int32_t heading, double rock) {
    BoatPose pose;
    pose.x = x;
    pose.y = y;
    pose.z0 = z - 50.0;
    pose.p = TruncateToInt(CosOf(heading) * 100.0);
    pose.q = TruncateToInt(SinOf(heading) * 100.0);
    pose.rock = rock;
    return pose;
}

// The point alpha*F + beta*L + shift at height z0 + rise.
struct Point {
    double x, y, z;
};
Point At(const BoatPose& b, double alpha, double beta, Shift shift, double rise) {
    return {b.x + alpha * b.p - beta * b.q + shift.x, b.y + alpha * b.q + beta * b.p + shift.y,
            b.z0 + rise};
}

void Line(const Point& a, const Point& b) {
    DrawLine3D(a.x, a.y, a.z, b.x, b.y, b.z);
}

void Quad(const Point& a, const Point& b, const Point& c, const Point& d) {
    DrawQuad3D(a.x, a.y, a.z, b.x, b.y, b.z, c.x, c.y, c.z, d.x, d.y, d.z);
}

constexpr double kFiveSevenths = 5.0 / 7.0;
constexpr double kTwoThirds = 2.0 / 3.0;
constexpr double kFiveTwelfths = 5.0 / 12.0;

// The colours of a boat's parts; a ghost has no shadow.
struct BoatColours {
    int32_t shadow;  // negative: none
    int32_t hull;
    int32_t figure;
    int32_t trim;
};

// Everything but the pair of arm lines, which differ between the boats, and the two uprights
// that follow them.
void DrawHullAndFigure(const BoatPose& b, const BoatColours& colours) {
    const Shift none{0.0, 0.0};
    const double g = b.rock;

    // Shadow and hull share the 400 x 200 outline; the bow sits g below z0, the stern g above.
    if (colours.shadow >= 0) {
        DrawColour = colours.shadow;
        const Point c0 = At(b, 2, -1, none, 0), c1 = At(b, -2, -1, none, 0);
        const Point c2 = At(b, -2, 1, none, 0), c3 = At(b, 2, 1, none, 0);
        DrawQuad3D(c0.x, c0.y, kShadowZ, c1.x, c1.y, kShadowZ, c2.x, c2.y, kShadowZ, c3.x, c3.y,
                   kShadowZ);
    }
    DrawColour = colours.hull;
    Quad(At(b, 2, -1, none, -g), At(b, -2, -1, none, g), At(b, -2, 1, none, g),
         At(b, 2, 1, none, -g));

    DrawColour = colours.figure;
    const Point centre = At(b, 0, 0, none, 0);
    Line(centre, At(b, 1.5, kFiveSevenths, none, -g));
    Line(centre, At(b, 1.5, -kFiveSevenths, none, -g));
    Line(centre, At(b, 0, 0, b.d10, 100));
    Quad(At(b, 0, kTwoThirds, b.d10, 100), At(b, 0, kTwoThirds, b.d10, 210),
         At(b, 0, -kTwoThirds, b.d10, 210), At(b, 0, -kTwoThirds, b.d10, 100));
    const Point seat = At(b, 0, 0, b.d12, 80);
    Line(seat, At(b, 0, 1, b.d4, 60));
    Line(seat, At(b, 0, -1, b.d4, 60));

    DrawColour = colours.trim;
    Line(At(b, 0, -1, b.d4, 90), At(b, 0, -1.3, b.d4, -20));
    Line(At(b, 0, 1, b.d4, 90), At(b, 0, 1.3, b.d4, -20));
}

// The two short uprights either side of the panel's middle, a third of L out (whole units).
void DrawUprights(const BoatPose& b, int32_t colour) {
    DrawColour = colour;
    const Shift left{b.d10.x - (b.q / 3), b.d10.y + (b.p / 3)};
    const Shift right{b.d10.x + (b.q / 3), b.d10.y - (b.p / 3)};
    Line(At(b, 0, 0, left, 150), At(b, 0, 0, left, 180));
    Line(At(b, 0, 0, right, 150), At(b, 0, 0, right, 180));
}

// The player's model; its deck shifts are whole units.
void DrawPlayerModel(float x, float y, float z, int32_t heading, int32_t g,
                     const BoatColours& colours, int32_t arms, int32_t uprights) {
    BoatPose b = PoseAt(x, y, z, heading, g);
    b.d10 = {double((b.p * g) / 10), double((b.q * g) / 10)};
    b.d12 = {double((b.p * g) / 12), double((b.q * g) / 12)};
    b.d4 = {double((b.p * g) / 4), double((b.q * g) / 4)};

    DrawHullAndFigure(b, colours);

    // The arms slope down from the panel's middle.
    DrawColour = arms;
    Line(At(b, 0, 0, b.d10, 130), At(b, 0, kFiveTwelfths, b.d10, 120));
    Line(At(b, 0, 0, b.d10, 130), At(b, 0, -kFiveTwelfths, b.d10, 120));

    DrawUprights(b, uprights);
}

}  // namespace

void DrawPlayerBoat() {
    DrawPlayerModel(PlayerX, PlayerY, PlayerZ, PlayerHeading, PlayerRock,
                    {kBlackEntry, kMaroonEntry, kWhiteEntry, kMaroonEntry}, kRedEntry, kWhiteEntry);
}

void DrawGhostBoat(float x, float y, float z, int32_t heading, int32_t rock, int32_t colour) {
    DrawPlayerModel(x, y, z, heading, rock, {-1, colour, colour, colour}, colour, colour);
    DrawColour = kWhiteEntry;
}

void DrawOpponentBoat(const BoatModelPose& pose, int32_t index) {
    BoatModelRock = pose.rock;
    const double g = pose.rock;
    BoatPose b = PoseAt(pose.x, pose.y, pose.z, pose.heading, g);
    // An opponent's deck shifts keep their fractions (single-precision tenth and twelfth).
    const double tenth = double(0.1f), twelfth = double(1.0f / 12.0f);
    b.d10 = {b.p * g * tenth, b.q * g * tenth};
    b.d12 = {b.p * g * twelfth, b.q * g * twelfth};
    b.d4 = {b.p * g * 0.25, b.q * g * 0.25};

    DrawHullAndFigure(b, {kBlackEntry, kMaroonEntry, 254 - index, kMaroonEntry});

    // The arms slope up from the panel's middle.
    DrawColour = kRedEntry;
    Line(At(b, 0, 0, b.d10, 120), At(b, 0, kFiveTwelfths, b.d10, 130));
    Line(At(b, 0, 0, b.d10, 120), At(b, 0, -kFiveTwelfths, b.d10, 130));

    DrawUprights(b, kWhiteEntry);
}
