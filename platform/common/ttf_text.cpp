#include "platform/common/ttf_text.h"

#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>

#include "platform/common/cp932.h"
#include "platform/common/text_mask_cache.h"

namespace platform {
namespace {

// Enough for every text of a screen (the lap list, the place, the menus) with room to spare.
constexpr size_t kRememberedTexts = 64;

struct FaceState {
    bool looked = false;
    bool fontconfigReady = false;
    bool ttfReady = false;
    bool openFailed = false;  // the face's file could not be opened, which was said once
    std::string path;
    std::map<int, TTF_Font*> fontsByHeight;  // nullptr: no size gives that cell height
    TextMaskCache masks{kRememberedTexts};

    // Whatever was left open at exit is closed, so leak checkers see a clean exit.
    ~FaceState() {
        ShutDownTtfText();
        if (fontconfigReady) FcFini();
    }
};

FaceState& Face() {
    static FaceState state;
    return state;
}

// Whether the face at `pattern` can show katakana.
bool HasJapanese(FcPattern* pattern) {
    FcCharSet* charset = nullptr;
    if (FcPatternGetCharSet(pattern, FC_CHARSET, 0, &charset) != FcResultMatch) return false;
    return FcCharSetHasChar(charset, 0x30BF) && FcCharSetHasChar(charset, 0x6A19);
}

// Asks fontconfig for a Japanese sans-serif face; falls back to whatever it offers.
void FindFace() {
    FaceState& face = Face();
    face.looked = true;
    if (!FcInit()) return;
    face.fontconfigReady = true;
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>("sans-serif:lang=ja"));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (match == nullptr) {
        std::fprintf(stderr, "tidewake: no font found; texts will not be shown\n");
        return;
    }
    FcChar8* file = nullptr;
    if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
        face.path = reinterpret_cast<const char*>(file);
        if (!HasJapanese(match)) {
            std::fprintf(stderr,
                         "tidewake: no Japanese font installed (fonts-ipafont-gothic has one); "
                         "using %s\n",
                         face.path.c_str());
        }
    }
    FcPatternDestroy(match);
}

// The font whose cell (ascent + descent) is `height`: the point size equal to the height first,
// then the largest size whose cell still fits.
TTF_Font* OpenAtCellHeight(const std::string& path, int height) {
    TTF_Font* font = TTF_OpenFont(path.c_str(), height);
    if (font == nullptr) {
        // Every text size tries the file again; one line says why none of them shows.
        FaceState& face = Face();
        if (!face.openFailed) {
            const char* why = TTF_GetError();
            std::fprintf(stderr, "tidewake: cannot open the font %s: %s; texts will not be shown\n",
                         path.c_str(), why != nullptr && why[0] != '\0' ? why : "unreadable");
        }
        face.openFailed = true;
        return nullptr;
    }
    if (TTF_FontHeight(font) == height) return font;
    int low = 1, high = height * 2, best = -1;
    while (low <= high) {
        const int size = (low + high) / 2;
        if (TTF_SetFontSize(font, size) != 0) break;
        if (TTF_FontHeight(font) <= height) {
            best = size;
            low = size + 1;
        } else {
            high = size - 1;
        }
    }
    if (best < 0 || TTF_SetFontSize(font, best) != 0) {
        TTF_CloseFont(font);
        return nullptr;
    }
    return font;
}

TTF_Font* FontForHeight(int height) {
    FaceState& face = Face();
    if (!face.looked) FindFace();
    if (face.path.empty() || height <= 0) return nullptr;
    if (!face.ttfReady) {
        if (TTF_Init() != 0) return nullptr;
        face.ttfReady = true;
    }
    auto found = face.fontsByHeight.find(height);
    if (found != face.fontsByHeight.end()) return found->second;
    TTF_Font* font = OpenAtCellHeight(face.path, height);
    face.fontsByHeight[height] = font;
    return font;
}

// The glyph pixels of a text, from the cache or rendered now. Null when there is nothing to show.
const TextMask* MaskOf(const char* cp932, size_t length, int cellHeight) {
    FaceState& face = Face();
    const std::string utf8 = Cp932ToUtf8(cp932, length);
    if (const TextMask* known = face.masks.Find(utf8, cellHeight)) return known;
    TTF_Font* font = FontForHeight(cellHeight);
    if (font == nullptr) return nullptr;
    SDL_Surface* glyphs = TTF_RenderUTF8_Solid(font, utf8.c_str(), SDL_Color{255, 255, 255, 255});
    if (glyphs == nullptr) return nullptr;
    // A solid rendering is 8-bit: 0 is the background, anything else a glyph pixel.
    TextMask mask;
    mask.width = glyphs->w;
    mask.height = glyphs->h;
    mask.pixels.resize(static_cast<size_t>(glyphs->w) * static_cast<size_t>(glyphs->h));
    const auto* src = static_cast<const uint8_t*>(glyphs->pixels);
    for (int row = 0; row < glyphs->h; ++row) {
        const uint8_t* srcRow = src + static_cast<ptrdiff_t>(row) * glyphs->pitch;
        std::copy_n(srcRow, glyphs->w,
                    mask.pixels.begin() + static_cast<ptrdiff_t>(row) * glyphs->w);
    }
    SDL_FreeSurface(glyphs);
    return &face.masks.Keep(utf8, cellHeight, std::move(mask));
}

}  // namespace

void DrawTtfText(uint8_t* frame, int pitch, int width, int height, int x, int y, const char* cp932,
                 size_t length, int cellHeight, uint8_t index) {
    if (frame == nullptr || length == 0) return;
    const TextMask* mask = MaskOf(cp932, length, cellHeight);
    if (mask == nullptr) return;
    for (int row = 0; row < mask->height; ++row) {
        const int frameY = y + row;
        if (frameY < 0 || frameY >= height) continue;
        const uint8_t* maskRow = mask->pixels.data() + static_cast<ptrdiff_t>(row) * mask->width;
        uint8_t* dstRow = frame + static_cast<ptrdiff_t>(frameY) * pitch;
        for (int col = 0; col < mask->width; ++col) {
            const int frameX = x + col;
            if (frameX >= 0 && frameX < width && maskRow[col] != 0) dstRow[frameX] = index;
        }
    }
}

const char* TtfFacePath() {
    return Face().path.c_str();
}

int TtfCellHeight(int requestedHeight) {
    TTF_Font* font = FontForHeight(requestedHeight);
    return font == nullptr ? -1 : TTF_FontHeight(font);
}

void ShutDownTtfText() {
    FaceState& face = Face();
    for (auto& [height, font] : face.fontsByHeight) {
        if (font != nullptr) TTF_CloseFont(font);
    }
    face.fontsByHeight.clear();
    face.masks.Clear();
    if (face.ttfReady) TTF_Quit();
    face.ttfReady = false;
}

}  // namespace platform
