// Small pictures copied onto the frame: the table of loaded bitmaps and the sprite copy.
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

// Slots 0 and 1 are never given out, so 0 can mean "no bitmap". A slot stays taken for the
// whole run once its name is written, even when its image could not be loaded.
extern BitmapSlot BitmapSlots[kBitmapSlots];

// The sprite sheet's slot, loaded at start-up; 0 when it could not be loaded.
extern int32_t CharSlot;

// Frees every slot (the start of a run).
void EmptyBitmapSlots();

// Loads a bitmap into the first free slot from 2 upward: the BMP file of that name in the
// program's folder, else the game's built-in picture of that name. Returns the slot, or 0 (after
// the "---" error box) when the name is over 30 characters, no slot is free or there is no such
// picture.
int32_t LoadBitmapSlot(const char* name);

// Copies the rectangle srcLeft <= x < srcRight, srcTop <= y < srcBottom of a slot's image to the
// unlocked back buffer with its top-left corner at (dstX, dstY), clipped by BlitClip and
// skipping transparent pixels. A slot without an image draws nothing.
void BlitSprite(int32_t dstX, int32_t dstY, int32_t slot, int32_t srcLeft, int32_t srcTop,
                int32_t srcRight, int32_t srcBottom);
