#include "platform/common/bmp_indices.h"

#include <SDL.h>

#include <unordered_map>

namespace platform {
namespace {

// A sprite sheet is a few pixels; anything this large is not one and would only eat memory.
constexpr int kMaxSide = 4096;

std::string SizeProblem(int64_t width, int64_t height) {
    return "the picture is " + std::to_string(width) + " x " + std::to_string(height) + " pixels";
}

// The sides the file's header claims, read before the loader sets aside room for them: a few
// damaged bytes can claim billions of rows, which the loader would try to allocate whole. False
// when the file is too short or not a BMP; the loader then says why.
bool ClaimedSides(SDL_RWops* file, int64_t& width, int64_t& height) {
    uint8_t header[26];
    if (SDL_RWread(file, header, 1, sizeof header) != sizeof header) return false;
    if (header[0] != 'B' || header[1] != 'M') return false;
    auto u16 = [&](int at) { return uint32_t{header[at]} | uint32_t{header[at + 1]} << 8; };
    auto u32 = [&](int at) { return u16(at) | u16(at + 2) << 16; };
    if (u32(14) == 12) {  // the old core header, with 16-bit sides
        width = u16(18);
        height = u16(20);
    } else {
        width = static_cast<int32_t>(u32(18));
        height = static_cast<int32_t>(u32(22));
        if (height < 0) height = -height;  // stored top row first
    }
    return true;
}

}  // namespace

bool ReadBmpAsIndices(const char* path, const Rgb palette[256], std::vector<uint8_t>& indices,
                      int& width, int& height, std::string& error) {
    SDL_RWops* file = SDL_RWFromFile(path, "rb");
    if (file == nullptr) {
        error = SDL_GetError();
        return false;
    }
    int64_t claimedWidth = 0, claimedHeight = 0;
    if (ClaimedSides(file, claimedWidth, claimedHeight) &&
        (claimedWidth > kMaxSide || claimedHeight > kMaxSide)) {
        SDL_RWclose(file);
        error = SizeProblem(claimedWidth, claimedHeight);
        return false;
    }
    SDL_RWseek(file, 0, RW_SEEK_SET);
    SDL_Surface* loaded = SDL_LoadBMP_RW(file, 1);
    if (loaded == nullptr) {
        error = SDL_GetError();
        return false;
    }
    // Whatever the file's depth, read it as bytes R, G, B, A; the alpha is not looked at.
    SDL_Surface* rgba = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGBA32, 0);
    SDL_FreeSurface(loaded);
    if (rgba == nullptr) {
        error = SDL_GetError();
        return false;
    }
    if (rgba->w <= 0 || rgba->h <= 0 || rgba->w > kMaxSide || rgba->h > kMaxSide) {
        error = SizeProblem(rgba->w, rgba->h);
        SDL_FreeSurface(rgba);
        return false;
    }
    width = rgba->w;
    height = rgba->h;
    indices.assign(static_cast<size_t>(width) * height, 0);
    std::unordered_map<uint32_t, uint8_t> matched;
    const auto* pixels = static_cast<const uint8_t*>(rgba->pixels);
    for (int y = 0; y < height; ++y) {
        const uint8_t* p = pixels + static_cast<size_t>(y) * rgba->pitch;
        for (int x = 0; x < width; ++x, p += 4) {
            const uint32_t rgb = p[0] | (p[1] << 8) | (p[2] << 16);
            auto found = matched.find(rgb);
            if (found == matched.end())
                found = matched.emplace(rgb, NearestPaletteEntry(palette, p[0], p[1], p[2])).first;
            indices[static_cast<size_t>(y) * width + x] = found->second;
        }
    }
    SDL_FreeSurface(rgba);
    return true;
}

}  // namespace platform
