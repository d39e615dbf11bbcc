#include "render/frame_buffer.h"

#include <cmath>
#include <utility>

#include "platform/platform.h"

namespace {

// Lines are clipped to the whole frame: left, top, right, bottom; every edge inclusive.
constexpr int32_t ClipRect[4] = {0, 0, 639, 479};

void PutPixel(int x, int y, uint8_t colour) {
    FrameBits[static_cast<intptr_t>(y) * FramePitch + x] = colour;
}

// Integer walk from one end to the other, always downward. The minor axis steps a quarter pixel
// earlier than the textbook midpoint line (the error starts at 4*minor - major).
void WalkLine(int x1, int y1, int x2, int y2) {
    if (y1 > y2) {
        std::swap(x1, x2);
        std::swap(y1, y2);
    }
    int ddx = x2 - x1;
    const int ddy = y2 - y1;
    int stepX = 1;
    if (ddx <= 0) {
        ddx = -ddx;
        stepX = -1;
    }
    const uint8_t colour = static_cast<uint8_t>(DrawColour);
    int x = x1, y = y1;
    PutPixel(x, y, colour);
    if (ddy < ddx) {
        int error = 4 * ddy - ddx;
        for (int i = 0; i < ddx; ++i) {
            if (error >= 0) {
                ++y;
                error += 4 * ddy - 4 * ddx;
            } else {
                error += 4 * ddy;
            }
            x += stepX;
            PutPixel(x, y, colour);
        }
    } else {
        int error = 4 * ddx - ddy;
        for (int i = 0; i < ddy; ++i) {
            if (error >= 0) {
                x += stepX;
                error += 4 * ddx - 4 * ddy;
            } else {
                error += 4 * ddx;
            }
            ++y;
            PutPixel(x, y, colour);
        }
    }
}

// NaN (from overflowing clip arithmetic on huge inputs) goes to the low edge.
double ClampTo(double value, double low, double high) {
    if (!(value >= low)) return low;
    if (value > high) return high;
    return value;
}

}  // namespace

void DrawLine(double x1, double y1, double x2, double y2) {
    if (FrameBits == nullptr) return;
    // A non-finite end cannot be clipped to anything meaningful.
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2)) {
        return;
    }
    const double left = ClipRect[0], top = ClipRect[1], right = ClipRect[2], bottom = ClipRect[3];

    // The slopes come from the ends as passed; the zero guard keeps them finite for
    // horizontal and vertical lines (and nudges such lines by a few millionths of a pixel).
    double dx = x2 - x1;
    double dy = y2 - y1;
    if (dx == 0.0) dx = 1e-05;
    if (dy == 0.0) dy = 1e-05;
    const double xPerY = dx / dy;
    const double yPerX = dy / dx;

    if (y1 < top) {
        x1 = x2 - (y2 - top) * xPerY;
        y1 = top;
    }
    if (y1 > bottom) {
        x1 = x2 - (y2 - bottom) * xPerY;
        y1 = bottom;
    }
    if (y2 < top) {
        x2 = x1 - (y1 - top) * xPerY;
        y2 = top;
    }
    if (y2 > bottom) {
        x2 = x1 - (y1 - bottom) * xPerY;
        y2 = bottom;
    }
    if (x1 < left) {
        y1 = y2 - (x2 - left) * yPerX;
        x1 = left;
    }
    if (x1 > right) {
        y1 = y2 - (x2 - right) * yPerX;
        x1 = right;
    }
    if (x2 < left) {
        y2 = y1 - (x1 - left) * yPerX;
        x2 = left;
    }
    if (x2 > right) {
        y2 = y1 - (x1 - right) * yPerX;
        x2 = right;
    }

    // Whatever the clip left, no write may leave the rectangle.
    x1 = ClampTo(x1, left, right);
    x2 = ClampTo(x2, left, right);
    y1 = ClampTo(y1, top, bottom);
    y2 = ClampTo(y2, top, bottom);

    WalkLine(static_cast<int>(x1), static_cast<int>(y1), static_cast<int>(x2),
             static_cast<int>(y2));
}

void FillFrame(int32_t colour) {
    platform::FillBackBuffer(static_cast<uint8_t>(colour));
}

void SetDrawColour(int32_t colour) {
    DrawColour = colour;
}

void DrawFrameBorder() {
    const double left = ClipRect[0], top = ClipRect[1], right = ClipRect[2], bottom = ClipRect[3];
    DrawColour = 0;
    DrawLine(left, top, right, top);
    DrawLine(right, top, right, bottom);
    DrawLine(right, bottom, left, bottom);
    DrawLine(left, bottom, left, top);
}
