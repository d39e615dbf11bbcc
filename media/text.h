// Text drawn into the unlocked back buffer: one Japanese sans-serif face, varying only in
// cell height and colour. Strings are code page 932 bytes.
#pragma once

#include <cstdint>

// Cell height of the open text block, in pixels; 0 when no block is open.
extern int32_t TextFontHeight;

// Clears the text state (start-up and shutdown).
void ResetTextFont();

// Opens a text block whose characters have the given cell height.
void BeginText(int32_t cellHeight);

// Draws the text with the top-left of its first cell at (x, y), in the palette colour nearest
// to `colour` (0x00BBGGRR); only the glyphs' pixels are written.
void DrawText(int32_t x, int32_t y, const char* text, uint32_t colour);

// Closes the text block.
void EndText();
