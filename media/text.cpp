#include "media/text.h"

#include <cstring>

#include "media/palette.h"
#include "platform/platform.h"

namespace {

// Cell height of the open text block, in pixels; 0 when no block is open.
int32_t TextFontHeight = 0;

}  // namespace

void ResetTextFont() {
    TextFontHeight = 0;
}

void BeginText(int32_t cellHeight) {
    TextFontHeight = cellHeight;
}

void DrawText(int32_t x, int32_t y, const char* text, uint32_t colour) {
    if (TextFontHeight <= 0 || text == nullptr) return;
    platform::DrawText(x, y, text, std::strlen(text), TextFontHeight, NearestPaletteIndex(colour));
}

void EndText() {
    TextFontHeight = 0;
}
