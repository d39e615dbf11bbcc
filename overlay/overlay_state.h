// The overlay's pictures: the table of loaded bitmaps and which of them is the sprite sheet.
#pragma once

#include <cstdint>
#include <vector>

constexpr int32_t kBitmapSlots = 1024;
constexpr int32_t kBitmapNameSize = 32;    // room for the zero
constexpr int32_t kBitmapNameLength = 30;  // longest name a slot takes

struct BitmapSlot {
    char name[kBitmapNameSize];   // empty: the slot is free
    std::vector<uint8_t> pixels;  // palette indices, width x height; empty: no image
    int32_t width;
    int32_t height;
    int32_t colourKey;    // 0x00BBGGRR colour whose palette match is transparent
    uint8_t transparent;  // that palette index
};

// The loaded bitmaps by slot number. Slots 0 and 1 are never given out, so 0 can mean "no
// bitmap"; a slot stays taken for the whole run once its name is written, even when its image
// could not be loaded.
extern BitmapSlot BitmapSlots[kBitmapSlots];

// Slot of the sprite sheet with the map markers, loaded at start-up; 0 when it could not be
// loaded.
extern int32_t CharSlot;
