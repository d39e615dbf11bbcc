#include "overlay/sprites.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "base/program_dir.h"
#include "media/display.h"
#include "media/palette.h"
#include "overlay/built_in_bitmaps.h"
#include "platform/platform.h"

namespace {

constexpr int32_t kFirstSlot = 2;

void StoreImage(BitmapSlot& slot, std::vector<uint8_t>& pixels, int32_t width, int32_t height) {
    slot.pixels.swap(pixels);
    slot.width = width;
    slot.height = height;
    // Every bitmap the game loads is keyed on black.
    slot.colourKey = 0;
    slot.transparent = NearestPaletteIndex(static_cast<uint32_t>(slot.colourKey));
}

// The BMP file of that name beside the executable. False when there is none or it cannot be
// read; a file that is there but unreadable is said on stderr (`problem`), since the picture
// that shows instead is then not the one the player put there.
bool LoadFromFile(const char* name, std::vector<uint8_t>& pixels, int32_t& width, int32_t& height,
                  std::string& problem) {
    const std::string path = std::string(ProgramDir) + name;
    std::error_code ignored;
    if (!std::filesystem::exists(path, ignored)) return false;
    std::string error;
    int w = 0, h = 0;
    if (!platform::LoadBitmapFile(path.c_str(), MatchingPalette(), pixels, w, h, error)) {
        problem = path + ": not a readable BMP (" + error + ")";
        return false;
    }
    width = w;
    height = h;
    return true;
}

}  // namespace

void LoadSpriteSheet() {
    EmptyBitmapSlots();
    CharSlot = LoadBitmapSlot("CHAR");
}

void EmptyBitmapSlots() {
    for (BitmapSlot& slot : BitmapSlots) slot = BitmapSlot();
    CharSlot = 0;
}

int32_t LoadBitmapSlot(const char* name) {
    if (std::strlen(name) > static_cast<size_t>(kBitmapNameLength)) {
        ShowMediaError("---");
        return 0;
    }
    int32_t index = kFirstSlot;
    while (index < kBitmapSlots && BitmapSlots[index].name[0] != '\0') ++index;
    if (index == kBitmapSlots) {
        ShowMediaError("---");
        return 0;
    }
    BitmapSlot& slot = BitmapSlots[index];
    std::snprintf(slot.name, sizeof slot.name, "%s", name);

    std::vector<uint8_t> pixels;
    int32_t width = 0, height = 0;
    std::string problem;
    const bool loaded = LoadFromFile(name, pixels, width, height, problem) ||
                        LoadBuiltInBitmap(name, pixels, width, height);
    if (!problem.empty()) {
        std::fprintf(stderr, "%s; %s\n", problem.c_str(),
                     loaded ? "using the built-in picture" : "no built-in picture either");
    }
    if (!loaded) {
        ShowMediaError("---");
        return 0;
    }
    StoreImage(slot, pixels, width, height);
    return index;
}

void BlitSprite(int32_t dstX, int32_t dstY, int32_t slot, int32_t srcLeft, int32_t srcTop,
                int32_t srcRight, int32_t srcBottom) {
    if (slot < 0 || slot >= kBitmapSlots) return;
    const BitmapSlot& bitmap = BitmapSlots[slot];
    if (bitmap.pixels.empty()) return;

    // Clipped against BlitClip in the game's own order (64-bit, so no sum can overflow).
    int64_t x = dstX, y = dstY, left = srcLeft, top = srcTop, right = srcRight, bottom = srcBottom;
    if (x + (right - left) > BlitClip[2]) right = left + BlitClip[2] - x;
    if (y + (bottom - top) > BlitClip[3]) bottom = top + BlitClip[3] - y;
    if (x < BlitClip[0]) {
        left = left + BlitClip[0] - x;
        x = BlitClip[0];
    }
    if (y < BlitClip[1]) {
        top = top + BlitClip[1] - y;
        y = BlitClip[1];
    }
    if (left > right || top > bottom) return;
    // The display refuses a source rectangle that is not inside the image, and draws nothing.
    if (left < 0 || top < 0 || right > bitmap.width || bottom > bitmap.height) return;
    platform::BlitToBackBuffer(static_cast<int>(x), static_cast<int>(y),
                               bitmap.pixels.data() + top * bitmap.width + left, bitmap.width,
                               static_cast<int>(right - left), static_cast<int>(bottom - top),
                               bitmap.transparent);
}
