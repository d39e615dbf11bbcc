// Small pictures copied onto the frame: the table of loaded bitmaps and the sprite copy.
#pragma once

#include <cstdint>

#include "overlay/overlay_state.h"

// Frees every slot (the start of a run).
void EmptyBitmapSlots();

// Frees every slot and loads the sprite sheet into CharSlot (start-up).
void LoadSpriteSheet();

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
