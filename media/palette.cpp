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

// Nothing is ever matched to the ghost's entry.
constexpr std::array<platform::Rgb, 256> MatchingPalette() {
    std::array<platform::Rgb, 256> p = MakePalette();
    p[kGhostEntry] = p[kBlackEntry];
    return p;
}

constexpr std::array<platform::Rgb, 256> kMatchingPalette = MatchingPalette();

}  // namespace

constexpr std::array<platform::Rgb, 256> GamePalette = MakePalette();

const platform::Rgb* MatchingPalette() {
    return kMatchingPalette.data();
}

uint8_t NearestPaletteIndex(uint32_t bgr) {
    return platform::NearestPaletteEntry(kMatchingPalette.data(), bgr & 0xFF, (bgr >> 8) & 0xFF,
                                         (bgr >> 16) & 0xFF);
}
