// The real window: a 640x480 8-bit frame shown through a palette, scaled by whole numbers with
// crisp pixels and black bars.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/common/cp932.h"
#include "platform/common/ttf_text.h"
#include "platform/platform.h"
#include "platform/sdl/sdl_display.h"

namespace platform {
namespace {

constexpr int kPitch = kFrameWidth;

struct Display {
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;
    Uint32 musicEndedEvent = 0;
    Uint32 palette[256] = {};
    uint8_t backBuffer[kPitch * kFrameHeight] = {};
    bool fullscreen = false;
};

Display& Screen() {
    static Display display;
    return display;
}

// Without SDL_VIDEODRIVER, SDL would quietly fall back to an offscreen driver when there is no
// display; ask for the real ones only, so a missing display is said plainly.
bool InitVideo() {
    if (std::getenv("SDL_VIDEODRIVER") != nullptr) {
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) return true;
        std::fprintf(stderr, "tidewake: cannot open the display (SDL_VIDEODRIVER=%s): %s\n",
                     std::getenv("SDL_VIDEODRIVER"), SDL_GetError());
        return false;
    }
    std::string errors;
    for (const char* driver : {"x11", "wayland", "KMSDRM"}) {
        SDL_SetHint(SDL_HINT_VIDEODRIVER, driver);
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) return true;
        errors += std::string("\n  ") + driver + ": " + SDL_GetError();
    }
    std::fprintf(stderr,
                 "tidewake: no display found. Start the game from a desktop session "
                 "(X11 or Wayland) or a console with KMS.%s\n",
                 errors.c_str());
    return false;
}

// Twice the frame's size when the desktop has room for it, else the frame's own size.
int WindowScale() {
    SDL_Rect usable;
    if (SDL_GetDisplayUsableBounds(0, &usable) != 0) return 1;
    return (usable.w >= 2 * kFrameWidth && usable.h >= 2 * kFrameHeight) ? 2 : 1;
}

bool CreateWindow(Display& d) {
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    const int scale = WindowScale();
    d.window = SDL_CreateWindow("Tide Wake", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                kFrameWidth * scale, kFrameHeight * scale, SDL_WINDOW_RESIZABLE);
    if (d.window == nullptr) return false;
    SDL_SetWindowMinimumSize(d.window, kFrameWidth, kFrameHeight);
    // No vsync: the game paces itself at 33 ms and the display must not stretch that.
    d.renderer = SDL_CreateRenderer(d.window, -1, SDL_RENDERER_ACCELERATED);
    if (d.renderer == nullptr) d.renderer = SDL_CreateRenderer(d.window, -1, 0);
    if (d.renderer == nullptr) return false;
    SDL_RenderSetLogicalSize(d.renderer, kFrameWidth, kFrameHeight);
    SDL_RenderSetIntegerScale(d.renderer, SDL_TRUE);
    d.texture = SDL_CreateTexture(d.renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING,
                                  kFrameWidth, kFrameHeight);
    return d.texture != nullptr;
}

void Show(Display& d) {
    SDL_SetRenderDrawColor(d.renderer, 0, 0, 0, 255);
    SDL_RenderClear(d.renderer);
    SDL_RenderCopy(d.renderer, d.texture, nullptr, nullptr);
    SDL_RenderPresent(d.renderer);
}

}  // namespace

namespace sdl {

SDL_Window* Window() {
    return Screen().window;
}

void RedrawLastFrame() {
    Display& d = Screen();
    if (d.renderer != nullptr) Show(d);
}

void ToggleFullscreen() {
    Display& d = Screen();
    if (d.window == nullptr) return;
    d.fullscreen = !d.fullscreen;
    SDL_SetWindowFullscreen(d.window, d.fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
}

Uint32 MusicEndedEventType() {
    return Screen().musicEndedEvent;
}

}  // namespace sdl

bool OpenWindow() {
    Display& d = Screen();
    if (SDL_Init(SDL_INIT_EVENTS | SDL_INIT_TIMER) != 0) return false;
    std::atexit(SDL_Quit);
    if (!InitVideo()) return false;
    if (!CreateWindow(d)) {
        std::fprintf(stderr, "tidewake: cannot create the game window: %s\n", SDL_GetError());
        return false;
    }
    SDL_ShowCursor(SDL_DISABLE);
    d.musicEndedEvent = SDL_RegisterEvents(1);
    FillBackBuffer(0);
    PresentBackBuffer();
    return true;
}

void CloseDisplay() {
    Display& d = Screen();
    ShutDownTtfText();
    if (d.texture != nullptr) SDL_DestroyTexture(d.texture);
    if (d.renderer != nullptr) SDL_DestroyRenderer(d.renderer);
    if (d.window != nullptr) SDL_DestroyWindow(d.window);
    d.texture = nullptr;
    d.renderer = nullptr;
    d.window = nullptr;
}

void ShowErrorBox(const char* caption, const char* text) {
    const std::string message = Cp932ToUtf8(text, std::strlen(text));
    std::fprintf(stderr, "tidewake: %s: %s\n", caption, message.c_str());
    Display& d = Screen();
    // Out of fullscreen first, so the box is seen on the desktop.
    if (d.window != nullptr && d.fullscreen) sdl::ToggleFullscreen();
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_WARNING, caption, message.c_str(), d.window);
}

const char* ExecutableDir() {
    static std::string dir;
    if (dir.empty()) {
        if (char* base = SDL_GetBasePath()) {
            dir = base;
            SDL_free(base);
        } else {
            dir = "./";
        }
    }
    return dir.c_str();
}

void SetPalette(const Rgb colours[256]) {
    Display& d = Screen();
    for (int i = 0; i < 256; ++i) {
        d.palette[i] =
            0xFF000000u | (Uint32(colours[i].r) << 16) | (Uint32(colours[i].g) << 8) | colours[i].b;
    }
}

bool LockBackBuffer(uint8_t*& bits, int& pitch) {
    bits = Screen().backBuffer;
    pitch = kPitch;
    return true;
}

void UnlockBackBuffer() {}

void FillBackBuffer(uint8_t index) {
    std::memset(Screen().backBuffer, index, sizeof Screen().backBuffer);
}

void PresentBackBuffer() {
    Display& d = Screen();
    if (d.texture == nullptr) return;
    void* pixels = nullptr;
    int texturePitch = 0;
    if (SDL_LockTexture(d.texture, nullptr, &pixels, &texturePitch) != 0) return;
    for (int y = 0; y < kFrameHeight; ++y) {
        const uint8_t* src = d.backBuffer + y * kPitch;
        auto* dst = reinterpret_cast<Uint32*>(static_cast<uint8_t*>(pixels) + y * texturePitch);
        for (int x = 0; x < kFrameWidth; ++x) dst[x] = d.palette[src[x]];
    }
    SDL_UnlockTexture(d.texture);
    Show(d);
}

void DrawText(int x, int y, const char* cp932, size_t length, int cellHeight, uint8_t index) {
    DrawTtfText(Screen().backBuffer, kPitch, kFrameWidth, kFrameHeight, x, y, cp932, length,
                cellHeight, index);
}

}  // namespace platform
