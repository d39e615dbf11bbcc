// The palette entry nearest to a colour, as the display matches colours.
#include "platform/platform.h"

namespace platform {
namespace {

int DistanceSquared(const Rgb& c, int r, int g, int b) {
    const int dr = c.r - r, dg = c.g - g, db = c.b - b;
    return dr * dr + dg * dg + db * db;
}

}  // namespace

uint8_t NearestPaletteEntry(const Rgb palette[256], uint8_t r, uint8_t g, uint8_t b) {
    int best = 0;
    int bestDistance = DistanceSquared(palette[0], r, g, b);
    auto consider = [&](int i) {
        const int d = DistanceSquared(palette[i], r, g, b);
        if (d < bestDistance) {
            best = i;
            bestDistance = d;
        }
        // Nothing later can beat an exact match, and a tie goes to the earlier: the search may
        // stop there (the texts' colours are all system colours, found among the first twenty).
        return bestDistance == 0;
    };
    for (int i = 1; i < 10; ++i) {
        if (consider(i)) return static_cast<uint8_t>(best);
    }
    for (int i = 246; i < 256; ++i) {
        if (consider(i)) return static_cast<uint8_t>(best);
    }
    for (int i = 10; i < 246; ++i) {
        if (consider(i)) return static_cast<uint8_t>(best);
    }
    return static_cast<uint8_t>(best);
}

}  // namespace platform
