#include "author/stage_map.h"

#include <cmath>
#include <cstdlib>
#include <vector>

#include "course/fenced_water.h"
#include "media/palette.h"

namespace stage_tool {

namespace {

constexpr int kMargin = 20;
constexpr double kUnitsPerPixel = 40.0;  // the 24000-unit water fills 600 pixels
constexpr double kWorldSize = 24000.0;

// The game's starting grid: the player, then the seven opponents.
constexpr double kPlayerStartX = 600.1;
constexpr double kPlayerStartY = 2000.1;

struct Canvas {
    uint8_t* pixels;

    void Plot(int x, int y, uint8_t colour) {
        if (x < 0 || y < 0 || x >= kMapSize || y >= kMapSize) return;
        pixels[y * kMapSize + x] = colour;
    }

    void Line(int x1, int y1, int x2, int y2, uint8_t colour) {
        const int dx = std::abs(x2 - x1);
        const int dy = -std::abs(y2 - y1);
        const int sx = x1 < x2 ? 1 : -1;
        const int sy = y1 < y2 ? 1 : -1;
        int err = dx + dy;
        for (;;) {
            Plot(x1, y1, colour);
            if (x1 == x2 && y1 == y2) break;
            const int e2 = 2 * err;
            if (e2 >= dy) {
                err += dy;
                x1 += sx;
            }
            if (e2 <= dx) {
                err += dx;
                y1 += sy;
            }
        }
    }

    void Rect(int x1, int y1, int x2, int y2, uint8_t colour) {
        Line(x1, y1, x2, y1, colour);
        Line(x2, y1, x2, y2, colour);
        Line(x2, y2, x1, y2, colour);
        Line(x1, y2, x1, y1, colour);
    }

    void Fill(int x1, int y1, int x2, int y2, uint8_t colour) {
        for (int y = std::min(y1, y2); y <= std::max(y1, y2); ++y) {
            for (int x = std::min(x1, x2); x <= std::max(x1, x2); ++x) Plot(x, y, colour);
        }
    }

    // A digit 3 x 5 cells of `scale` pixels, its top-left corner at (x, y).
    void Digit(int x, int y, int digit, int scale, uint8_t colour) {
        static const char* const kGlyphs[10] = {
            "111101101101111", "010110010010111", "111001111100111", "111001111001111",
            "101101111001001", "111100111001111", "111100111101111", "111001010010010",
            "111101111101111", "111101111001111"};
        const char* glyph = kGlyphs[digit % 10];
        for (int row = 0; row < 5; ++row) {
            for (int col = 0; col < 3; ++col) {
                if (glyph[row * 3 + col] != '1') continue;
                Fill(x + col * scale, y + row * scale, x + col * scale + scale - 1,
                     y + row * scale + scale - 1, colour);
            }
        }
    }
};

uint8_t Colour(uint32_t rgb) {
    const uint32_t bgr = ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
    return NearestPaletteIndex(bgr);
}

// A world rectangle centred on (x, y) with half-width `half`, in screen pixels.
void WorldSquare(Canvas& canvas, double x, double y, double half, uint8_t colour, bool filled) {
    const int left = MapX(y + half), right = MapX(y - half);
    const int top = MapY(x + half), bottom = MapY(x - half);
    if (filled) {
        canvas.Fill(left, top, right, bottom, colour);
    } else {
        canvas.Rect(left, top, right, bottom, colour);
    }
}

void WorldLine(Canvas& canvas, double x1, double y1, double x2, double y2, uint8_t colour) {
    canvas.Line(MapX(y1), MapY(x1), MapX(y2), MapY(x2), colour);
}

// An arrow head at (x, y) pointing along the heading (dx, dy), in world units.
void ArrowHead(Canvas& canvas, double x, double y, double dx, double dy, double size,
               uint8_t colour) {
    const double length = std::sqrt(dx * dx + dy * dy);
    if (length == 0.0) return;
    const double ux = dx / length, uy = dy / length;
    const double backX = x - ux * size, backY = y - uy * size;
    WorldLine(canvas, x, y, backX - uy * size * 0.6, backY + ux * size * 0.6, colour);
    WorldLine(canvas, x, y, backX + uy * size * 0.6, backY - ux * size * 0.6, colour);
}

}  // namespace

int MapX(double worldY) {
    return kMargin + static_cast<int>(std::lround((kWorldSize - worldY) / kUnitsPerPixel));
}

int MapY(double worldX) {
    return kMargin + static_cast<int>(std::lround((kWorldSize - worldX) / kUnitsPerPixel));
}

void RenderStageMap(const StageFile& stage, uint8_t* pixels) {
    Canvas canvas{pixels};
    const uint8_t black = Colour(0x000000);
    const uint8_t water = Colour(0x103060);
    const uint8_t grid = Colour(0x204880);
    const uint8_t fence = Colour(0xFFFFFF);
    const uint8_t course = Colour(0xFFFF00);
    const uint8_t zone = Colour(0xFF4040);
    const uint8_t label = Colour(0xFFFFFF);
    const uint8_t ramp = Colour(0xFF8000);
    const uint8_t pad = Colour(0x00FF00);
    const uint8_t stand = Colour(0xFF00FF);
    const uint8_t rival = Colour(0xA0A0A0);

    canvas.Fill(0, 0, kMapSize - 1, kMapSize - 1, black);
    WorldSquare(canvas, kWorldSize / 2, kWorldSize / 2, kWorldSize / 2, water, true);
    for (double k = 2400.0; k < kWorldSize; k += 2400.0) {
        WorldLine(canvas, k, 0.0, k, kWorldSize, grid);
        WorldLine(canvas, 0.0, k, kWorldSize, k, grid);
    }
    canvas.Rect(MapX(kFenceHigh), MapY(kFenceHigh), MapX(kFenceLow), MapY(kFenceLow), fence);

    // The course line, with an arrow half-way along each leg.
    for (int i = 0; i < kStageCheckpoints; ++i) {
        const int j = (i + 1) % kStageCheckpoints;
        const double x1 = stage.checkpointX[i], y1 = stage.checkpointY[i];
        const double x2 = stage.checkpointX[j], y2 = stage.checkpointY[j];
        WorldLine(canvas, x1, y1, x2, y2, course);
        ArrowHead(canvas, (x1 + x2) / 2, (y1 + y2) / 2, x2 - x1, y2 - y1, 500.0, course);
    }

    // The zone a boat must reach to pass each checkpoint, numbered in course order.
    for (int i = 0; i < kStageCheckpoints; ++i) {
        WorldSquare(canvas, stage.checkpointX[i], stage.checkpointY[i], 700.0, zone, false);
        WorldSquare(canvas, stage.checkpointX[i], stage.checkpointY[i], 80.0, zone, true);
        canvas.Digit(MapX(stage.checkpointY[i]) + 20, MapY(stage.checkpointX[i]) - 5, i + 1, 2,
                     label);
    }

    // The ramp and the pad: their base, and the zone in which they act.
    WorldSquare(canvas, stage.rampX, stage.rampY, 250.0, ramp, true);
    WorldSquare(canvas, stage.rampX, stage.rampY, 500.0, ramp, false);
    WorldSquare(canvas, stage.padX, stage.padY, 250.0, pad, true);
    WorldSquare(canvas, stage.padX, stage.padY, 500.0, pad, false);

    // Each camera stand with its line of sight toward its own checkpoint.
    for (int i = 0; i < kStageCheckpoints; ++i) {
        const double sx = stage.standX[i], sy = stage.standY[i];
        const double dx = stage.checkpointX[i] - sx, dy = stage.checkpointY[i] - sy;
        const double distance = std::sqrt(dx * dx + dy * dy);
        const double reach = std::min(distance, 1600.0);
        if (distance > 0.0) {
            const double ex = sx + dx / distance * reach, ey = sy + dy / distance * reach;
            WorldLine(canvas, sx, sy, ex, ey, stand);
            ArrowHead(canvas, ex, ey, dx, dy, 300.0, stand);
        }
        WorldSquare(canvas, sx, sy, 120.0, stand, true);
        canvas.Digit(MapX(sy) - 16, MapY(sx) - 22, i + 1, 2, stand);
    }

    // The start grid, everyone facing +x.
    for (int i = 0; i < 7; ++i) {
        const double x = 1400.1 + 800.0 * i, y = i % 2 == 0 ? 1400.1 : 2000.1;
        WorldSquare(canvas, x, y, 100.0, rival, true);
    }
    WorldSquare(canvas, kPlayerStartX, kPlayerStartY, 120.0, label, true);
    ArrowHead(canvas, kPlayerStartX + 700.0, kPlayerStartY, 1.0, 0.0, 400.0, label);
    WorldLine(canvas, kPlayerStartX, kPlayerStartY, kPlayerStartX + 700.0, kPlayerStartY, label);
}

}  // namespace stage_tool
