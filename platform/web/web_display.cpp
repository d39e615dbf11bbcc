// The browser's picture: the 8-bit back buffer in memory, shown through the palette on the page's
// canvas; text drawn by the page's canvas into the same buffer.
#include <cstdio>
#include <cstring>

#include "platform/common/bmp_indices.h"
#include "platform/common/transparent_blit.h"
#include "platform/platform.h"
#include "platform/web/web.h"
#include "platform/web/web_bridge.h"

namespace {

constexpr int kPitch = platform::kFrameWidth;

struct Display {
    bool text = true;
    uint8_t palette[256 * 3] = {};
    platform::Rgb rgb[256] = {};
    uint8_t backBuffer[kPitch * platform::kFrameHeight] = {};
};

Display& D() {
    static Display display;
    return display;
}

}  // namespace

namespace web {

void SetText(bool on) {
    D().text = on;
}

}  // namespace web

namespace platform {

bool OpenWindow() {
    return true;
}

void CloseDisplay() {}

void ShowErrorBox(const char* caption, const char* text, const char* detail) {
    if (detail != nullptr) {
        std::fprintf(stderr, "tidewake: %s\n", detail);
    } else {
        std::fprintf(stderr, "tidewake: %s: %s\n", caption, text);
    }
    tw_error_box(caption, text);
}

void SetPalette(const Rgb colours[256]) {
    for (int i = 0; i < 256; ++i) {
        D().rgb[i] = colours[i];
        D().palette[i * 3] = colours[i].r;
        D().palette[i * 3 + 1] = colours[i].g;
        D().palette[i * 3 + 2] = colours[i].b;
    }
}

bool LockBackBuffer(uint8_t*& bits, int& pitch) {
    bits = D().backBuffer;
    pitch = kPitch;
    return true;
}

void UnlockBackBuffer() {}

void FillBackBuffer(uint8_t index) {
    std::memset(D().backBuffer, index, sizeof D().backBuffer);
}

void PresentBackBuffer() {
    tw_present(D().backBuffer, kPitch, D().palette);
}

bool LoadBitmapFile(const char* path, std::vector<uint8_t>& indices, int& width, int& height,
                    std::string& error) {
    return ReadBmpAsIndices(path, D().rgb, indices, width, height, error);
}

void BlitToBackBuffer(int x, int y, const uint8_t* src, int srcPitch, int width, int height,
                      uint8_t transparent) {
    BlitTransparent(D().backBuffer, kPitch, kFrameWidth, kFrameHeight, x, y, src, srcPitch, width,
                    height, transparent);
}

void DrawText(int x, int y, const char* cp932, size_t length, int cellHeight, uint8_t index) {
    if (!D().text || length == 0 || cellHeight <= 0) return;
    tw_draw_text(D().backBuffer, kPitch, x, y, cp932, length, cellHeight, index);
}

}  // namespace platform
