// A sprite sheet file "CHAR" of arbitrary bytes, loaded the way the game loads it at start-up and
// drawn over the frame's edges and corners with the clip the game sets. Nothing may read or write
// outside its buffers. A picture that reads must match every pixel to a nearest palette colour,
// black to the transparent one, and every copy must leave the frame exactly as a plain
// pixel-by-pixel copy would: the part inside the frame, only where the picture holds it, nothing
// in the pitch's spare bytes.
#include <SDL.h>

#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <unordered_map>
#include <vector>

#include "base/program_dir.h"
#include "course/stage.h"
#include "course/stage_file.h"
#include "media/display.h"
#include "media/palette.h"
#include "overlay/map_markers.h"
#include "overlay/sprites.h"
#include "platform/headless/headless.h"
#include "platform/platform.h"
#include "race/race_state.h"

namespace {

constexpr int kWidth = platform::kFrameWidth;
constexpr int kHeight = platform::kFrameHeight;

// This process's own program folder, where the input becomes the CHAR file.
std::string folder;

void RemoveFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

// A new file each time: rewriting one in place makes some file systems wait for the disk.
void WriteCharFile(const uint8_t* data, size_t size) {
    const std::string path = folder + "CHAR";
    std::remove(path.c_str());
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) std::abort();
    if (size > 0 && std::fwrite(data, 1, size, file) != size) std::abort();
    if (std::fclose(file) != 0) std::abort();
}

int Distance(const platform::Rgb& c, int r, int g, int b) {
    return (c.r - r) * (c.r - r) + (c.g - g) * (c.g - g) + (c.b - b) * (c.b - b);
}

// Whether no palette colour lies nearer to (r, g, b) than entry `index`, which is never the
// ghost's own: colours are matched against the palette with that entry standing in as black.
bool IsNearest(uint8_t index, int r, int g, int b) {
    if (index == kGhostEntry) return false;
    const platform::Rgb* palette = MatchingPalette();
    const int chosen = Distance(palette[index], r, g, b);
    for (int i = 0; i < 256; ++i) {
        if (Distance(palette[i], r, g, b) < chosen) return false;
    }
    return true;
}

// Every pixel of the file, decoded again on its own, must have become a nearest palette entry.
void CheckColours(const uint8_t* data, size_t size, const std::vector<uint8_t>& indices, int width,
                  int height) {
    SDL_Surface* loaded = SDL_LoadBMP_RW(SDL_RWFromConstMem(data, static_cast<int>(size)), 1);
    if (loaded == nullptr) std::abort();
    SDL_Surface* rgba = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGBA32, 0);
    SDL_FreeSurface(loaded);
    if (rgba == nullptr || rgba->w != width || rgba->h != height) std::abort();
    std::unordered_map<uint32_t, bool> checked;
    for (int y = 0; y < height; ++y) {
        const uint8_t* p = static_cast<const uint8_t*>(rgba->pixels) + y * rgba->pitch;
        for (int x = 0; x < width; ++x, p += 4) {
            const uint8_t index = indices[static_cast<size_t>(y) * width + x];
            const uint32_t key = p[0] | (p[1] << 8) | (p[2] << 16) | (uint32_t{index} << 24);
            auto found = checked.find(key);
            if (found == checked.end())
                found = checked.emplace(key, IsNearest(index, p[0], p[1], p[2])).first;
            if (!found->second) std::abort();
        }
    }
    SDL_FreeSurface(rgba);
}

// The sheet as loaded and a frame drawn the plain way beside the real one.
struct Model {
    const std::vector<uint8_t>* pixels;
    int width, height;
    uint8_t transparent;
    int pitch;
    std::vector<uint8_t> background;  // a pattern, so that nearly any stray write shows
    std::vector<uint8_t> expected;
};

void ResetFrames(Model& m) {
    uint8_t* bits = nullptr;
    int pitch = 0;
    if (!platform::LockBackBuffer(bits, pitch) || pitch != m.pitch) std::abort();
    std::memcpy(bits, m.background.data(), m.background.size());
    platform::UnlockBackBuffer();
    m.expected = m.background;
}

// The copy of the source rectangle [left, right) x [top, bottom) to (x, y), pixel by pixel: the
// part that falls inside the frame is drawn when the picture holds all of it, else nothing.
void DrawExpected(Model& m, int64_t x, int64_t y, int64_t left, int64_t top, int64_t right,
                  int64_t bottom) {
    const int64_t visibleLeft = std::max(left, left - x);
    const int64_t visibleTop = std::max(top, top - y);
    const int64_t visibleRight = std::min(right, left + kWidth - x);
    const int64_t visibleBottom = std::min(bottom, top + kHeight - y);
    if (visibleLeft >= visibleRight || visibleTop >= visibleBottom) return;
    if (visibleLeft < 0 || visibleTop < 0 || visibleRight > m.width || visibleBottom > m.height)
        return;
    for (int64_t sy = visibleTop; sy < visibleBottom; ++sy) {
        for (int64_t sx = visibleLeft; sx < visibleRight; ++sx) {
            const uint8_t pixel = (*m.pixels)[sy * m.width + sx];
            if (pixel != m.transparent)
                m.expected[(y + sy - top) * m.pitch + x + sx - left] = pixel;
        }
    }
}

void CheckFrame(const Model& m) {
    if (std::memcmp(headless::BackBuffer(), m.expected.data(), m.expected.size()) != 0)
        std::abort();
}

struct Rect {
    int32_t left, top, right, bottom;
};

// Where a w x h copy starts along an edge of `extent`: wholly before it, one pixel in, just
// over the edge, flush, then the same at the far edge, and in the middle.
std::vector<int32_t> EdgePositions(int32_t size, int32_t extent) {
    return {-size,         -size + 1,         -1,         0,     extent / 2,
            extent - size, extent - size + 1, extent - 1, extent};
}

// One copy at every pair of edge positions and at the farthest corners a 32-bit position can
// name, the frame checked after all of them (a whole frame compared per copy would cost most of
// the fuzzer's time).
void BlitOverTheEdges(Model& m, const Rect& r) {
    const int32_t w = std::max(1, r.right - r.left), h = std::max(1, r.bottom - r.top);
    ResetFrames(m);
    for (int32_t y : EdgePositions(h, kHeight)) {
        for (int32_t x : EdgePositions(w, kWidth)) {
            BlitSprite(x, y, CharSlot, r.left, r.top, r.right, r.bottom);
            DrawExpected(m, x, y, r.left, r.top, r.right, r.bottom);
        }
    }
    const int32_t extremes[] = {INT32_MIN, INT32_MIN + 1, -w, INT32_MAX - w, INT32_MAX};
    for (int32_t y : extremes) {
        for (int32_t x : extremes) {
            BlitSprite(x, y, CharSlot, r.left, r.top, r.right, r.bottom);
            DrawExpected(m, x, y, r.left, r.top, r.right, r.bottom);
        }
    }
    CheckFrame(m);
}

// Puts a boat's map marker with its corner on (column, row): a world position half a pixel
// inside the pixel, so that truncation toward zero lands on it from either side.
void PlaceBoat(float& worldX, float& worldY, int32_t column, int32_t row) {
    const double inColumn = column >= 0 ? 0.5 : -0.5, inRow = row >= 0 ? 0.5 : -0.5;
    worldY = static_cast<float>((610.0 - column - inColumn) * 200.0);
    worldX = static_cast<float>((120.0 - row - inRow) * 200.0);
}

// The map's fourteen markers spread over the frame's corners and edges, `over` pixels past them
// (8: wholly outside; 7: one pixel in; 0: flush), each drawn the plain way in the game's order.
void DrawMarkersOverTheEdges(Model& m, int32_t over) {
    const int32_t near = -over, farX = kWidth - 8 + over, farY = kHeight - 8 + over;
    const int32_t spots[14][2] = {
        {near, near},    {farX, near},    {near, farY}, {farX, farY},    {300, near},
        {300, farY},     {near, 200},     {farX, 200},  {near + 1, 100}, {farX - 1, 300},
        {100, near + 1}, {500, farY - 1}, {kWidth, 0},  {-20000, 30000}};
    struct Drawn {
        int32_t column, row, cell;
    };
    std::vector<Drawn> drawn;
    int spot = 0;
    for (int i = 0; i < kStageCheckpoints; ++i, ++spot) {
        const int32_t column = spots[spot][0], row = spots[spot][1];
        CheckpointY[i] = (610 - column) * 200;
        CheckpointX[i] = (120 - row) * 200;
        drawn.push_back({column, row, 16});
    }
    for (int j = 0; j < kOpponentCount; ++j, ++spot) {
        PlaceBoat(OpponentX[j], OpponentY[j], spots[spot][0], spots[spot][1]);
        drawn.push_back({spots[spot][0], spots[spot][1], 8});
    }
    PlaceBoat(PlayerX, PlayerY, spots[spot][0], spots[spot][1]);
    drawn.push_back({spots[spot][0], spots[spot][1], 0});

    ResetFrames(m);
    DrawMapMarkers();
    for (const Drawn& d : drawn) DrawExpected(m, d.column, d.row, d.cell, 0, d.cell + 8, 8);
    CheckFrame(m);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    char name[] = "/tmp/tidewake-sprites-fuzz-XXXXXX";
    if (mkdtemp(name) == nullptr) std::abort();
    folder = std::string(name) + "/";
    std::atexit(RemoveFolder);
    headless::Reset();
    headless::SetExecutableDir(folder);
    GetProgramDir();
    InitMedia(kWidth, kHeight);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > INT_MAX) return 0;
    WriteCharFile(data, size);
    std::vector<uint8_t> indices;
    int width = 0, height = 0;
    std::string error;
    if (!platform::LoadBitmapFile((folder + "CHAR").c_str(), MatchingPalette(), indices, width,
                                  height, error)) {
        if (error.empty()) std::abort();
        return 0;
    }
    if (width < 1 || height < 1 || width > 4096 || height > 4096) std::abort();
    if (indices.size() != static_cast<size_t>(width) * height) std::abort();
    CheckColours(data, size, indices, width, height);

    // The game's own start: a fresh table, the file beside the executable as the sheet.
    EmptyBitmapSlots();
    CharSlot = LoadBitmapSlot("CHAR");
    if (CharSlot != 2 || !headless::ErrorBoxes().empty()) std::abort();
    const BitmapSlot& sheet = BitmapSlots[CharSlot];
    if (sheet.pixels != indices || sheet.width != width || sheet.height != height) std::abort();
    if (!IsNearest(sheet.transparent, 0, 0, 0)) std::abort();

    static Model m;
    if (m.background.empty()) {
        m.pitch = headless::BackBufferPitch();
        m.background.resize(static_cast<size_t>(m.pitch) * kHeight);
        for (size_t i = 0; i < m.background.size(); ++i)
            m.background[i] = static_cast<uint8_t>(i * 37 + i / 251);
    }
    m.pixels = &sheet.pixels;
    m.width = width;
    m.height = height;
    m.transparent = sheet.transparent;

    const Rect rects[] = {{0, 0, 8, 8},
                          {8, 0, 16, 8},
                          {16, 0, 24, 8},
                          {0, 0, width, height},
                          {width - 4, height - 4, width + 4, height + 4},
                          {-1, -1, 7, 7},
                          {3, 2, 3, 9}};
    for (const Rect& r : rects) BlitOverTheEdges(m, r);
    for (int32_t over : {8, 7, 1, 0}) DrawMarkersOverTheEdges(m, over);
    return 0;
}
