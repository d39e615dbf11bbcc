#include "media/palette.h"

namespace {

constexpr std::array<platform::Rgb, 256> MakePalette() {
    std::array<platform::Rgb, 256> p{};
    const platform::Rgb low[10] = {{0, 0, 0},       {128, 0, 0},    {0, 128, 0},   {128, 128, 0},
                                   {0, 0, 128},     {128, 0, 128},  {0, 128, 128}, {192, 192, 192},
                                   {192, 220, 192}, {166, 202, 240}};
    const platform::Rgb high[10] = {
        {255, 251, 240}, {160, 160, 164}, {128, 128, 128}, {255, 0, 0},   {0, 255, 0},
        {255, 255, 0},   {0, 0, 255},     {255, 0, 255},   {0, 255, 255}, {255, 255, 255}};
    for (int i = 0; i < 10; ++i) {
        p[i] = low[i];
        p[246 + i] = high[i];
    }
    int index = 10;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                p[index++] = {static_cast<uint8_t>(r * 51), static_cast<uint8_t>(g * 51),
                              static_cast<uint8_t>(b * 51)};
    for (int k = 1; index <= 245; ++k, ++index) {
        const auto v = static_cast<uint8_t>((k * 255 + 10) / 21);
        p[index] = {v, v, v};
    }
    return p;
}

int DistanceSquared(const platform::Rgb& c, int r, int g, int b) {
    const int dr = c.r - r, dg = c.g - g, db = c.b - b;
    return dr * dr + dg * dg + db * db;
}

}  // namespace

constexpr std::array<platform::Rgb, 256> GamePalette = MakePalette();

uint8_t NearestPaletteIndex(uint32_t bgr) {
    const int r = bgr & 0xFF, g = (bgr >> 8) & 0xFF, b = (bgr >> 16) & 0xFF;
    int best = 0;
    int bestDistance = DistanceSquared(GamePalette[0], r, g, b);
    auto consider = [&](int i) {
        const int d = DistanceSquared(GamePalette[i], r, g, b);
        if (d < bestDistance) {
            best = i;
            bestDistance = d;
        }
    };
    for (int i = 1; i < 10; ++i) consider(i);
    for (int i = 246; i < 256; ++i) consider(i);
    for (int i = 10; i < 246; ++i) consider(i);
    return static_cast<uint8_t>(best);
}
