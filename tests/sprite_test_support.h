// What the sprite tests share: a program folder of their own, a BMP writer and a way to read a
// piece of the back buffer as the letters of the sprite sheet's picture.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "base/program_dir.h"
#include "media/display.h"
#include "media/sound.h"
#include "overlay/sprites.h"
#include "platform/headless/headless.h"

namespace sprite_test {

namespace fs = std::filesystem;

// What the frame is filled with first: not black, so a transparent pixel shows as kept.
constexpr uint8_t kBackground = 100;

struct Colour {
    uint8_t r, g, b;
};

// A 24-bit bottom-up BMP of `pixels` (rows from the top).
inline std::string BmpBytes(int width, int height, const std::vector<Colour>& pixels) {
    const int rowBytes = (width * 3 + 3) & ~3;
    const uint32_t dataSize = rowBytes * height, fileSize = 54 + dataSize;
    std::string out;
    auto u16 = [&](uint32_t v) { out += char(v & 0xFF), out += char((v >> 8) & 0xFF); };
    auto u32 = [&](uint32_t v) { u16(v & 0xFFFF), u16(v >> 16); };
    out += "BM";
    u32(fileSize), u32(0), u32(54);
    u32(40), u32(width), u32(height), u16(1), u16(24), u32(0), u32(dataSize);
    u32(2835), u32(2835), u32(0), u32(0);
    for (int y = height - 1; y >= 0; --y) {
        std::string row(rowBytes, '\0');
        for (int x = 0; x < width; ++x) {
            const Colour& c = pixels[y * width + x];
            row[x * 3] = char(c.b), row[x * 3 + 1] = char(c.g), row[x * 3 + 2] = char(c.r);
        }
        out += row;
    }
    return out;
}

// A fresh program folder (empty, so the built-in sprite sheet is used unless a test puts a CHAR
// file there), the media started as the game starts them, and a frame filled with kBackground.
class SpriteFrame : public testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::path(testing::TempDir()) /
               ("sprites_" +
                std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        headless::Reset();
        headless::SetExecutableDir(dir_.string());
        GetProgramDir();
        InitMedia(platform::kFrameWidth, platform::kFrameHeight);
        EmptyBitmapSlots();
        Clear();
    }
    void TearDown() override {
        ShutDownAudio();
        EmptyBitmapSlots();
        headless::SetExecutableDir(TIDEWAKE_BINARY_DIR);
        GetProgramDir();
        fs::remove_all(dir_);
    }

    // Fills the frame with kBackground and remembers the whole buffer, spare bytes of the pitch
    // too, for ChangedBytes.
    void Clear() {
        platform::FillBackBuffer(kBackground);
        const uint8_t* bits = headless::BackBuffer();
        before_.assign(bits, bits + headless::BackBufferPitch() * platform::kFrameHeight);
    }

    // Bytes of the back buffer that differ from what Clear left.
    int ChangedBytes() const {
        const uint8_t* bits = headless::BackBuffer();
        int changed = 0;
        for (size_t i = 0; i < before_.size(); ++i) changed += bits[i] != before_[i];
        return changed;
    }

    void WriteFile(const std::string& name, const std::string& bytes) {
        std::ofstream(dir_ / name, std::ios::binary) << bytes;
    }

    static uint8_t Pixel(int x, int y) {
        return headless::BackBuffer()[y * headless::BackBufferPitch() + x];
    }

    // The frame's w x h pixels from (x, y) as the sheet's letters: W Y B R G D for its colours,
    // '.' for the background, '?' for anything else.
    static std::vector<std::string> Region(int x, int y, int w, int h) {
        std::vector<std::string> rows;
        for (int row = y; row < y + h; ++row) {
            std::string line;
            for (int col = x; col < x + w; ++col) line += Letter(Pixel(col, row));
            rows.push_back(line);
        }
        return rows;
    }

    static char Letter(uint8_t index) {
        switch (index) {
            case 255:
                return 'W';
            case 251:
                return 'Y';
            case 252:
                return 'B';
            case 249:
                return 'R';
            case 7:
                return 'G';
            case 1:
                return 'D';
            case kBackground:
                return '.';
            default:
                return '?';
        }
    }

    fs::path dir_;
    std::vector<uint8_t> before_;
};

}  // namespace sprite_test
