// The real window: a 640x480 8-bit frame shown through a palette, scaled by whole numbers with
// crisp pixels and black bars.
#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/common/bmp_indices.h"
#include "platform/common/error_report.h"
#include "platform/common/png_file.h"
#include "platform/common/scaled_frame.h"
#include "platform/common/transparent_blit.h"
#include "platform/common/ttf_text.h"
#include "platform/platform.h"
#include "platform/sdl/sdl_display.h"
#include "platform/sdl/sdl_gamepad.h"

namespace platform {
namespace {

constexpr int kPitch = kFrameWidth;

struct Display {
    SDL_Window* window = nullptr;
    Uint32 musicEndedEvent = 0;
    Rgb colours[256] = {};
    // The palette in the window surface's pixel format, and the format it was made for.
    Uint32 mapped[256] = {};
    Uint32 mappedFormat = SDL_PIXELFORMAT_UNKNOWN;
    bool paletteChanged = true;
    uint8_t backBuffer[kPitch * kFrameHeight] = {};
    uint8_t shown[kPitch * kFrameHeight] = {};
    // Whether the window's pixels are `shown` as last drawn, and on which surface and size.
    bool windowHoldsShown = false;
    const SDL_Surface* drawnSurface = nullptr;
    int drawnWidth = 0;
    int drawnHeight = 0;
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

// The largest multiple of the frame the desktop around `window` (or the first) has room for.
int RoomyScale(SDL_Window* window) {
    const int screen = window != nullptr ? std::max(0, SDL_GetWindowDisplayIndex(window)) : 0;
    SDL_Rect usable;
    if (SDL_GetDisplayUsableBounds(screen, &usable) != 0) return 1;
    int scale = 1;
    while (scale < kLargestWindowScale && usable.w >= (scale + 1) * kFrameWidth &&
           usable.h >= (scale + 1) * kFrameHeight) {
        ++scale;
    }
    return scale;
}

// Twice the frame's size when the desktop has room for it, else the frame's own size.
int OpeningScale() {
    return std::min(2, RoomyScale(nullptr));
}

bool CreateWindow(Display& d) {
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    // The window's own pixels (shared memory on X11) rather than a GL texture behind them: the
    // frame is already scaled here, and a software GL would cost a third of a core.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    const int scale = OpeningScale();
    d.window = SDL_CreateWindow("Tide Wake", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                kFrameWidth * scale, kFrameHeight * scale, SDL_WINDOW_RESIZABLE);
    if (d.window == nullptr) return false;
    SDL_SetWindowMinimumSize(d.window, kFrameWidth, kFrameHeight);
    return SDL_GetWindowSurface(d.window) != nullptr;
}

void MapPalette(Display& d, const SDL_PixelFormat* format) {
    for (int i = 0; i < 256; ++i) {
        d.mapped[i] = SDL_MapRGB(format, d.colours[i].r, d.colours[i].g, d.colours[i].b);
    }
    d.mappedFormat = format->format;
    d.paletteChanged = false;
}

// Writes `frame` into the window, each game pixel as a scale x scale block, centred with black
// bars: crisp pixels at any window size, and no GPU needed, so it stays cheap on a software
// display too. `previous` is the frame shown last; when the window still holds it as drawn (same
// surface, size and palette), only what changed since is written.
void Show(Display& d, const uint8_t* frame, const uint8_t* previous) {
    SDL_Surface* surface = SDL_GetWindowSurface(d.window);
    d.windowHoldsShown = false;
    if (surface == nullptr) return;
    const bool sameLayout = d.drawnSurface == surface && d.drawnWidth == surface->w &&
                            d.drawnHeight == surface->h && !d.paletteChanged &&
                            d.mappedFormat == surface->format->format;
    if (!sameLayout) previous = nullptr;
    if (d.paletteChanged || d.mappedFormat != surface->format->format) {
        MapPalette(d, surface->format);
    }
    const int scale = std::max(1, std::min(surface->w / kFrameWidth, surface->h / kFrameHeight));
    const int left = std::max(0, (surface->w - kFrameWidth * scale) / 2);
    const int top = std::max(0, (surface->h - kFrameHeight * scale) / 2);
    const int width = std::min(kFrameWidth, (surface->w - left) / scale);
    const int height = std::min(kFrameHeight, (surface->h - top) / scale);
    if (surface->format->BytesPerPixel != 4 || SDL_LockSurface(surface) != 0) return;
    auto* pixels = static_cast<uint8_t*>(surface->pixels);
    auto row = [&](int y) { return reinterpret_cast<Uint32*>(pixels + y * surface->pitch); };
    if (previous == nullptr) {
        // The bars stay as they are drawn until the window changes.
        const Uint32 black = SDL_MapRGB(surface->format, 0, 0, 0);
        for (int y = 0; y < surface->h; ++y) {
            if (y < top || y >= top + height * scale) {
                std::fill_n(row(y), surface->w, black);
            } else {
                std::fill_n(row(y), left, black);
                std::fill_n(row(y) + left + width * scale, surface->w - left - width * scale,
                            black);
            }
        }
    }
    WriteScaledFrame(frame, previous, width, height, kPitch, d.mapped, scale, row(top) + left,
                     static_cast<size_t>(surface->pitch) / sizeof(Uint32));
    SDL_UnlockSurface(surface);
    SDL_UpdateWindowSurface(d.window);
    d.drawnSurface = surface;
    d.drawnWidth = surface->w;
    d.drawnHeight = surface->h;
    d.windowHoldsShown = true;
}

}  // namespace

namespace sdl {

SDL_Window* Window() {
    return Screen().window;
}

void RedrawLastFrame() {
    Display& d = Screen();
    if (d.window != nullptr) Show(d, d.shown, nullptr);
}

void ToggleFullscreen() {
    Display& d = Screen();
    if (d.window == nullptr) return;
    d.fullscreen = !d.fullscreen;
    SDL_SetWindowFullscreen(d.window, d.fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
}

}  // namespace sdl

int LargestWindowScale() {
    return RoomyScale(Screen().window);
}

// A window the player resized by hand counts as the largest multiple of the frame it holds.
int WindowScale() {
    Display& d = Screen();
    if (d.fullscreen) return kFullScreen;
    if (d.window == nullptr) return OpeningScale();
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(d.window, &width, &height);
    return std::max(1, std::min({kLargestWindowScale, width / kFrameWidth, height / kFrameHeight}));
}

void SetWindowScale(int scale) {
    Display& d = Screen();
    if (d.window == nullptr) return;
    if (scale == kFullScreen) {
        if (!d.fullscreen) sdl::ToggleFullscreen();
        return;
    }
    if (d.fullscreen) sdl::ToggleFullscreen();
    scale = std::max(1, std::min(scale, LargestWindowScale()));
    SDL_SetWindowSize(d.window, kFrameWidth * scale, kFrameHeight * scale);
    SDL_SetWindowPosition(d.window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
}

namespace sdl {

Uint32 MusicEndedEventType() {
    return Screen().musicEndedEvent;
}

}  // namespace sdl

// SDL is shut down at exit only after the game closed its window itself. A window still open at
// exit means the process is being ended from underneath, mostly by Xlib when the X server went
// away; SDL would then wait for that server's replies for ever, and the system frees all of it.
void QuitSdlAfterAnOrderlyClose() {
    if (Screen().window == nullptr) SDL_Quit();
}

bool OpenWindow() {
    Display& d = Screen();
    if (SDL_Init(SDL_INIT_EVENTS | SDL_INIT_TIMER) != 0) return false;
    Ticks();  // the game's clock starts as its window opens
    std::atexit(QuitSdlAfterAnOrderlyClose);
    if (!InitVideo()) return false;
    if (!CreateWindow(d)) {
        std::fprintf(stderr, "tidewake: cannot create the game window: %s\n", SDL_GetError());
        return false;
    }
    SDL_ShowCursor(SDL_DISABLE);
    sdl::StartGamepads();
    d.musicEndedEvent = SDL_RegisterEvents(1);
    FillBackBuffer(0);
    PresentBackBuffer();
    return true;
}

void CloseDisplay() {
    Display& d = Screen();
    ShutDownTtfText();
    if (d.window != nullptr) SDL_DestroyWindow(d.window);
    d.window = nullptr;
}

void ShowErrorBox(const char* caption, const char* text, const char* detail) {
    const std::string message = ReportError(caption, text, detail);
    Display& d = Screen();
    // Out of fullscreen first, so the box is seen on the desktop.
    if (d.window != nullptr && d.fullscreen) sdl::ToggleFullscreen();
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_WARNING, caption, message.c_str(), d.window);
}

void SetPalette(const Rgb colours[256]) {
    Display& d = Screen();
    std::copy_n(colours, 256, d.colours);
    d.paletteChanged = true;
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
    if (d.window == nullptr) return;
    Show(d, d.backBuffer, d.windowHoldsShown ? d.shown : nullptr);
    std::memcpy(d.shown, d.backBuffer, sizeof d.shown);
}

bool EncodeShownFrame(std::string& png, std::string& error) {
    const Display& d = Screen();
    return EncodeIndexedPng(d.shown, kPitch, kFrameWidth, kFrameHeight, d.colours, png, error);
}

bool LoadBitmapFile(const char* path, const Rgb palette[256], std::vector<uint8_t>& indices,
                    int& width, int& height, std::string& error) {
    return ReadBmpAsIndices(path, palette, indices, width, height, error);
}

void BlitToBackBuffer(int x, int y, const uint8_t* src, int srcPitch, int width, int height,
                      uint8_t transparent) {
    BlitTransparent(Screen().backBuffer, kPitch, kFrameWidth, kFrameHeight, x, y, src, srcPitch,
                    width, height, transparent);
}

void DrawText(int x, int y, const char* cp932, size_t length, int cellHeight, uint8_t index) {
    DrawTtfText(Screen().backBuffer, kPitch, kFrameWidth, kFrameHeight, x, y, cp932, length,
                cellHeight, index);
}

}  // namespace platform
