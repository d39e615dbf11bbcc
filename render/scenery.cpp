#include "render/scenery.h"

#include <cstdint>

#include "media/palette.h"
#include "render/buoy_tree.h"
#include "render/frame_buffer.h"
#include "render/projection.h"

namespace {

struct Segment {
    int32_t colour;
    double x1, y1, z1, x2, y2, z2;
};

void DrawSegments(const Segment* segments, int count) {
    for (int i = 0; i < count; ++i) {
        const Segment& s = segments[i];
        DrawColour = s.colour;
        DrawLine3D(s.x1, s.y1, s.z1, s.x2, s.y2, s.z2);
    }
}

// The billboard stands on the near side, on the plane y = -1000, facing the water.
constexpr double kBoardY = -1000.0;

constexpr Segment kBillboard[] = {
    {0, 1000, kBoardY, 0, 5000, kBoardY, 0},            // ground line
    {0, 5000, kBoardY, 0, 10000, kBoardY, 0},           //
    {255, 1000, kBoardY, 1100, 5000, kBoardY, 1100},    // lower edge
    {255, 5000, kBoardY, 1100, 10000, kBoardY, 1100},   //
    {255, 10000, kBoardY, 2000, 5000, kBoardY, 2000},   // upper edge
    {255, 5000, kBoardY, 2000, 1000, kBoardY, 2000},    //
    {255, 10000, kBoardY, 1100, 10000, kBoardY, 2000},  // sides
    {255, 1000, kBoardY, 2000, 1000, kBoardY, 1100},    //
    {255, 3000, kBoardY, 1100, 3000, kBoardY, 0},       // posts
    {255, 8000, kBoardY, 1100, 8000, kBoardY, 0},       //
};

// The lettering: the game's title in seven katakana drawn with straight strokes. Each stroke
// is given in the character's own box as the boat sees it, u from the reader's left (0) to
// right (1), v from the foot (0) to the top (1). Looking from the water toward -y, +x runs to
// the reader's left, so the first character stands at the high-x end of the board.
struct Stroke {
    double u1, v1, u2, v2;
};

// ta: the hooked frame of ku with a short stroke inside.
constexpr Stroke kTa[] = {
    {0.45, 1.00, 0.05, 0.42}, {0.32, 0.80, 0.92, 0.80}, {0.92, 0.80, 0.76, 0.40},
    {0.76, 0.40, 0.28, 0.00}, {0.30, 0.58, 0.70, 0.34},
};
// i: a falling stroke from the top right and the upright beneath it.
constexpr Stroke kI[] = {
    {0.90, 1.00, 0.08, 0.45},
    {0.52, 0.72, 0.52, 0.00},
};
// do: to with the two ticks of the voiced mark.
constexpr Stroke kDo[] = {
    {0.30, 1.00, 0.30, 0.00},
    {0.30, 0.62, 0.70, 0.42},
    {0.68, 1.00, 0.80, 0.82},
    {0.88, 1.00, 1.00, 0.82},
};
// u: the short cap, the roof and its long hooked side.
constexpr Stroke kU[] = {
    {0.50, 1.00, 0.50, 0.80}, {0.10, 0.80, 0.10, 0.56}, {0.10, 0.80, 0.90, 0.80},
    {0.90, 0.80, 0.82, 0.40}, {0.82, 0.40, 0.32, 0.00},
};
// small e: a low, narrow e standing on the foot line.
constexpr Stroke kSmallE[] = {
    {0.28, 0.55, 0.72, 0.55},
    {0.50, 0.55, 0.50, 0.06},
    {0.18, 0.06, 0.82, 0.06},
};
// ku: the hooked frame alone.
constexpr Stroke kKu[] = {
    {0.45, 1.00, 0.05, 0.42},
    {0.32, 0.80, 0.92, 0.80},
    {0.92, 0.80, 0.76, 0.40},
    {0.76, 0.40, 0.28, 0.00},
};

struct Glyph {
    const Stroke* strokes;
    int count;
};

template <int N>
constexpr Glyph GlyphOf(const Stroke (&strokes)[N]) {
    return {strokes, N};
}

// Reading order, first character at the high-x end.
constexpr Glyph kTitleGlyphs[] = {GlyphOf(kTa),     GlyphOf(kI), GlyphOf(kDo), GlyphOf(kU),
                                  GlyphOf(kSmallE), GlyphOf(kI), GlyphOf(kKu)};

// Characters 800 wide with 300 between them fill x 1800..9200; 700 tall from z 1200.
constexpr double kLetterRight = 9200.0;
constexpr double kLetterWidth = 800.0;
constexpr double kLetterGap = 300.0;
constexpr double kLetterFoot = 1200.0;
constexpr double kLetterHeight = 700.0;

void DrawLettering() {
    DrawColour = kRedEntry;
    double left = kLetterRight;  // the reader's left edge of the current character
    for (const Glyph& glyph : kTitleGlyphs) {
        for (int i = 0; i < glyph.count; ++i) {
            const Stroke& s = glyph.strokes[i];
            DrawLine3D(left - kLetterWidth * s.u1, kBoardY, kLetterFoot + kLetterHeight * s.v1,
                       left - kLetterWidth * s.u2, kBoardY, kLetterFoot + kLetterHeight * s.v2);
        }
        left -= kLetterWidth + kLetterGap;
    }
}

// A stand: a wedge rising from the water's side (height 0) to its back (height 3000), drawn
// as an end profile at y = 3000, six sections of 3000 along y and the end at y = 21000.
void DrawStand(double waterSide, double back) {
    constexpr double kHeight = 3000.0;
    DrawColour = kGreyEntry;
    DrawLine3D(back, 3000, kHeight, waterSide, 3000, 0);
    DrawLine3D(back, 3000, 0, waterSide, 3000, 0);
    DrawLine3D(back, 3000, kHeight, back, 3000, 0);
    for (int section = 0; section < 6; ++section) {
        const double y1 = 3000.0 * (section + 1), y2 = y1 + 3000.0;
        DrawLine3D(waterSide, y1, 0, waterSide, y2, 0);
        DrawLine3D(back, y1, 0, back, y2, 0);
        DrawLine3D(back, y1, kHeight, back, y2, kHeight);
        DrawLine3D(back, y2, kHeight, waterSide, y2, 0);
    }
    DrawLine3D(waterSide, 21000, 0, back, 21000, 0);
    DrawLine3D(back, 21000, kHeight, back, 21000, 0);
}

// Two poles 5000 tall at y 3000 and 21000, each flying a triangular pennant toward -y.
void DrawFlagpoles(double x, int32_t farPennant, int32_t nearPennant) {
    const Segment poles[] = {
        {255, x, 3000, 0, x, 3000, 5000},
        {255, x, 21000, 0, x, 21000, 5000},
        {farPennant, x, 21000, 5000, x, 19000, 4500},
        {farPennant, x, 21000, 4000, x, 19000, 4500},
        {nearPennant, x, 3000, 5000, x, 1000, 4500},
        {nearPennant, x, 3000, 4000, x, 1000, 4500},
    };
    DrawSegments(poles, 6);
}

}  // namespace

void DrawScenery() {
    DrawSegments(kBillboard, sizeof kBillboard / sizeof kBillboard[0]);
    DrawLettering();

    DrawTree(4000, 25000, 0, 4000);
    DrawTree(16000, 25000, 0, 4000);

    DrawStand(25000, 28000);
    DrawFlagpoles(24000, 249, 245);

    DrawStand(-3000, -5000);
    DrawFlagpoles(-2000, 250, 248);
}
