#include "platform/common/bmp_indices.h"

#include <SDL.h>

#include <unordered_map>

namespace platform {
namespace {

// A sprite sheet is a few pixels; anything this large is not one and would only eat memory.
constexpr int kMaxSide = 4096;

}  // namespace

bool ReadBmpAsIndices(const char* path, const Rgb palette[256], std::vector<uint8_t>& indices,
                      int& width, int& height, std::string& error) {
    SDL_Surface* loaded = SDL_LoadBMP(path);
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
        error = "the picture is " + std::to_string(rgba->w) + " x " + std::to_string(rgba->h) +
                " pixels";
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
