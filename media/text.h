// Text drawn into the unlocked back buffer: one Japanese sans-serif face, varying only in
// cell height and colour. Strings are code page 932 bytes.
#pragma once

#include <cstdint>

// A text colour from its red, green and blue (each 0..255), as 0x00BBGGRR.
constexpr uint32_t TextRgb(int32_t r, int32_t g, int32_t b) {
    return static_cast<uint32_t>(r) | static_cast<uint32_t>(g) << 8 |
           static_cast<uint32_t>(b) << 16;
}

// Clears the text state (start-up and shutdown).
void ResetTextFont();

// Opens a text block whose characters have the given cell height.
void BeginText(int32_t cellHeight);

// Draws the text with the top-left of its first cell at (x, y), in the palette colour nearest
// to `colour` (0x00BBGGRR); only the glyphs' pixels are written.
void DrawText(int32_t x, int32_t y, const char* text, uint32_t colour);

// Closes the text block.
void EndText();
