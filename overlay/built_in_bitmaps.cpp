#include "overlay/built_in_bitmaps.h"

#include <cstring>

#include "media/palette.h"

namespace {

// The sprite sheet "CHAR": three 8 x 8 markers side by side (the player's white face, an
// opponent's yellow face, a checkpoint's red cone on a grey base); column 24 and row 8 are
// never copied. '.' is black, which every sprite treats as transparent.
constexpr int32_t kCharWidth = 25;
constexpr int32_t kCharHeight = 9;
const char* const kCharRows[kCharHeight] = {
    "WWWWWWWWYYYYYYYY...RR...D",  //
    "WWWWWWWWYYYYYYYY...RR...D",  //
    "WBWWWWBWYBYYYYBY..RRRR..D",  //
    "WBWWWWBWYBYYYYBY..RRRR..D",  //
    "WWWWWWWWYYYYYYYY.RRRRRR.D",  //
    "WWWRRWWWYRRYYRRYGRRRRRRGD",  //
    "WRRWWRRWYYYRRYYYGGGRRGGGD",  //
    "WWWWWWWWYYYYYYYY.GGGGGG.D",  //
    ".........................",
};

// Each letter's RGB colour (0x00BBGGRR); all of them are fixed system colours of the palette.
uint32_t LetterColour(char letter) {
    switch (letter) {
        case 'W':
            return 0xFFFFFF;
        case 'Y':
            return 0x00FFFF;
        case 'B':
            return 0xFF0000;
        case 'R':
            return 0x0000FF;
        case 'G':
            return 0xC0C0C0;
        case 'D':
            return 0x000080;
        default:
            return 0x000000;
    }
}

}  // namespace

bool LoadBuiltInBitmap(const char* name, std::vector<uint8_t>& pixels, int32_t& width,
                       int32_t& height) {
    if (std::strcmp(name, "CHAR") != 0) return false;
    width = kCharWidth;
    height = kCharHeight;
    pixels.resize(static_cast<size_t>(width) * height);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
            pixels[y * width + x] = NearestPaletteIndex(LetterColour(kCharRows[y][x]));
    return true;
}
