#include "platform/common/png_file.h"

#include <zlib.h>

#include <cstdio>
#include <vector>

namespace platform {
namespace {

void PutBigEndian(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(uint8_t(value >> shift));
}

void PutChunk(std::vector<uint8_t>& out, const char type[5], const std::vector<uint8_t>& data) {
    PutBigEndian(out, static_cast<uint32_t>(data.size()));
    const size_t typeAt = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    const uLong crc = crc32(0, out.data() + typeAt, static_cast<uInt>(4 + data.size()));
    PutBigEndian(out, static_cast<uint32_t>(crc));
}

}  // namespace

bool EncodeIndexedPng(const uint8_t* pixels, int pitch, int width, int height,
                      const Rgb palette[256], std::string& file, std::string& error) {
    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

    std::vector<uint8_t> header;
    PutBigEndian(header, width);
    PutBigEndian(header, height);
    header.insert(header.end(), {8, 3, 0, 0, 0});  // 8-bit indexed, no interlace
    PutChunk(png, "IHDR", header);

    std::vector<uint8_t> colours;
    for (int i = 0; i < 256; ++i)
        colours.insert(colours.end(), {palette[i].r, palette[i].g, palette[i].b});
    PutChunk(png, "PLTE", colours);

    // Each row starts with filter type 0 (none).
    std::vector<uint8_t> raw;
    raw.reserve(static_cast<size_t>(width + 1) * height);
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);
        const uint8_t* row = pixels + static_cast<ptrdiff_t>(y) * pitch;
        raw.insert(raw.end(), row, row + width);
    }
    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    std::vector<uint8_t> packed(packedSize);
    if (compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), 6) !=
        Z_OK) {
        error = "cannot compress the image";
        return false;
    }
    packed.resize(packedSize);
    PutChunk(png, "IDAT", packed);
    PutChunk(png, "IEND", {});
    file.assign(png.begin(), png.end());
    return true;
}

bool WriteIndexedPng(const std::string& path, const uint8_t* pixels, int pitch, int width,
                     int height, const Rgb palette[256], std::string& error) {
    std::string png;
    if (!EncodeIndexedPng(pixels, pitch, width, height, palette, png, error)) return false;
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        error = "cannot write " + path;
        return false;
    }
    const bool written = std::fwrite(png.data(), 1, png.size(), file) == png.size();
    if (std::fclose(file) != 0 || !written) {
        error = "cannot write " + path;
        return false;
    }
    return true;
}

}  // namespace platform
