#include "media/text.h"

#include <cstring>

#include "media/palette.h"
#include "platform/platform.h"

namespace {

// Cell height of the open text block, in pixels; 0 when no block is open.
int32_t TextFontHeight = 0;

// The colours texts took lately and their palette entries: the few colours drawn every frame
// are matched against the palette once, not in every frame.
struct MatchedColour {
    bool known = false;
    uint32_t colour = 0;
    uint8_t entry = 0;
};
constexpr size_t kMatchedColours = 8;
MatchedColour MatchedColours[kMatchedColours];
size_t NextMatched = 0;

uint8_t EntryOf(uint32_t colour) {
    for (const MatchedColour& matched : MatchedColours) {
        if (matched.known && matched.colour == colour) return matched.entry;
    }
    MatchedColour& slot = MatchedColours[NextMatched];
    NextMatched = (NextMatched + 1) % kMatchedColours;
    slot = {true, colour, NearestPaletteIndex(colour)};
    return slot.entry;
}

}  // namespace

void ResetTextFont() {
    TextFontHeight = 0;
}

void BeginText(int32_t cellHeight) {
    TextFontHeight = cellHeight;
}

void DrawText(int32_t x, int32_t y, const char* text, uint32_t colour) {
    if (TextFontHeight <= 0 || text == nullptr) return;
    platform::DrawText(x, y, text, std::strlen(text), TextFontHeight, EntryOf(colour));
}

void EndText() {
    TextFontHeight = 0;
}
