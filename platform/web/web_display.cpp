// The browser's picture: the 8-bit back buffer in memory, shown through the palette on the page's
// canvas; text drawn by the page's canvas into the same buffer.
#include <cstdio>
#include <cstring>

#include "platform/common/bmp_indices.h"
#include "platform/common/png_file.h"
#include "platform/common/transparent_blit.h"
#include "platform/platform.h"
#include "platform/web/web.h"
#include "platform/web/web_bridge.h"

namespace {

constexpr int kPitch = platform::kFrameWidth;

constexpr int kPixels = kPitch * platform::kFrameHeight;

struct Display {
    bool text = true;
    platform::Rgb rgb[256] = {};
    // The palette as the canvas's pixels: R, G, B and an opaque alpha in memory order.
    uint32_t canvasColours[256] = {};
    uint8_t backBuffer[kPixels] = {};
    // The frame last presented, as the canvas takes it.
    uint32_t canvasPixels[kPixels] = {};
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
        D().canvasColours[i] =
            0xff000000u | uint32_t(colours[i].b) << 16 | uint32_t(colours[i].g) << 8 | colours[i].r;
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

// The frame goes through the palette here rather than in the page: the page then only copies it
// to the canvas.
void PresentBackBuffer() {
    Display& d = D();
    for (int i = 0; i < kPixels; ++i) d.canvasPixels[i] = d.canvasColours[d.backBuffer[i]];
    tw_present(d.backBuffer, d.canvasPixels);
}

bool EncodeShownFrame(std::string& png, std::string& error) {
    return EncodeIndexedPng(D().backBuffer, kPitch, kFrameWidth, kFrameHeight, D().rgb, png, error);
}

bool LoadBitmapFile(const char* path, const Rgb palette[256], std::vector<uint8_t>& indices,
                    int& width, int& height, std::string& error) {
    return ReadBmpAsIndices(path, palette, indices, width, height, error);
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
