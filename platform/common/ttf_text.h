// Text drawn with SDL_ttf into an 8-bit frame. Shared by both backends, so the runner's frames
// show the same text as the real window.
#pragma once

#include <cstddef>
#include <cstdint>

namespace platform {

// Draws code page 932 text with the top-left of its cell at (x, y), writing `index` for every
// glyph pixel inside the width x height frame.
void DrawTtfText(uint8_t* frame, int pitch, int width, int height, int x, int y, const char* cp932,
                 size_t length, int cellHeight, uint8_t index);

// Path of the face in use (empty before the first text or when none could be found).
const char* TtfFacePath();

// Cell height the face gives at the given requested height (for tests); -1 without a face.
int TtfCellHeight(int requestedHeight);

// Closes every cached font.
void ShutDownTtfText();

}  // namespace platform
