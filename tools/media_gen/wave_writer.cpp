#include "tools/media_gen/wave_writer.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

namespace media_gen {
namespace {

void Put32(std::FILE* f, uint32_t v) {
    const uint8_t b[4] = {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
    std::fwrite(b, 1, 4, f);
}
void Put16(std::FILE* f, uint16_t v) {
    const uint8_t b[2] = {uint8_t(v), uint8_t(v >> 8)};
    std::fwrite(b, 1, 2, f);
}

}  // namespace

bool WriteMonoWave(const std::string& path, const std::vector<double>& samples, int rate) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) return false;
    const uint32_t dataSize = static_cast<uint32_t>(samples.size() * 2);
    std::fwrite("RIFF", 1, 4, f);
    Put32(f, 4 + 8 + 16 + 8 + dataSize);
    std::fwrite("WAVEfmt ", 1, 8, f);
    Put32(f, 16);
    Put16(f, 1);  // PCM
    Put16(f, 1);  // mono
    Put32(f, static_cast<uint32_t>(rate));
    Put32(f, static_cast<uint32_t>(rate * 2));
    Put16(f, 2);
    Put16(f, 16);
    std::fwrite("data", 1, 4, f);
    Put32(f, dataSize);
    for (double s : samples) {
        const double clamped = s > 1.0 ? 1.0 : (s < -1.0 ? -1.0 : s);
        Put16(f, static_cast<uint16_t>(static_cast<int16_t>(std::lround(clamped * 32767.0))));
    }
    const bool ok = std::ferror(f) == 0;
    return std::fclose(f) == 0 && ok;
}

}  // namespace media_gen
