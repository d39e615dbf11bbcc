#include "media/wave_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

constexpr size_t kWaveFormatSize = 16;
constexpr uint16_t kPcmTag = 1;

// Random access to the bytes of a file or of a memory block, never past its end.
class ByteSource {
  public:
    virtual ~ByteSource() = default;
    virtual uint64_t Size() const = 0;
    // Reads exactly `count` bytes at `offset`; false when they are not all there.
    virtual bool ReadAt(uint64_t offset, void* into, size_t count) = 0;
};

class MemorySource : public ByteSource {
  public:
    MemorySource(const uint8_t* bytes, size_t size) : bytes_(bytes), size_(size) {}
    uint64_t Size() const override { return size_; }
    bool ReadAt(uint64_t offset, void* into, size_t count) override {
        if (offset > size_ || count > size_ - offset) return false;
        if (count != 0) std::memcpy(into, bytes_ + offset, count);
        return true;
    }

  private:
    const uint8_t* bytes_;
    size_t size_;
};

class FileSource : public ByteSource {
  public:
    explicit FileSource(std::FILE* file) : file_(file) {
        if (std::fseek(file_, 0, SEEK_END) == 0) {
            const long end = std::ftell(file_);
            if (end > 0) size_ = static_cast<uint64_t>(end);
        }
    }
    uint64_t Size() const override { return size_; }
    bool ReadAt(uint64_t offset, void* into, size_t count) override {
        if (offset > size_ || count > size_ - offset) return false;
        if (std::fseek(file_, static_cast<long>(offset), SEEK_SET) != 0) return false;
        return std::fread(into, 1, count, file_) == count;
    }

  private:
    std::FILE* file_;
    uint64_t size_ = 0;
};

uint32_t Le32(const uint8_t* p) {
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

uint16_t Le16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

struct Chunk {
    uint64_t dataOffset;
    uint32_t size;
};

// Looks for a chunk among the chunks from `from` to `end`, stepping over the others (each padded
// to an even size). A chunk that claims to run past `end` spoils the search.
bool FindChunk(ByteSource& source, uint64_t from, uint64_t end, const char id[4], Chunk& found) {
    uint64_t at = from;
    while (at + 8 <= end) {
        uint8_t header[8];
        if (!source.ReadAt(at, header, sizeof header)) return false;
        const uint32_t size = Le32(header + 4);
        const uint64_t dataOffset = at + 8;
        if (size > end - dataOffset) return false;
        if (std::memcmp(header, id, 4) == 0) {
            found = {dataOffset, size};
            return true;
        }
        at = dataOffset + size + (size & 1u);
    }
    return false;
}

bool ReadWave(ByteSource& source, WaveFile& wave) {
    // The file must be one "RIFF" chunk of form "WAVE", wholly present.
    uint8_t riff[12];
    if (!source.ReadAt(0, riff, sizeof riff)) return false;
    if (std::memcmp(riff, "RIFF", 4) != 0 || std::memcmp(riff + 8, "WAVE", 4) != 0) return false;
    const uint64_t riffEnd = 8 + uint64_t(Le32(riff + 4));
    if (riffEnd > source.Size() || riffEnd < 12) return false;

    // "fmt " and "data" may come in either order, with other chunks between.
    Chunk fmt;
    if (!FindChunk(source, 12, riffEnd, "fmt ", fmt)) return false;
    if (fmt.size < kWaveFormatSize) return false;
    uint8_t format[kWaveFormatSize];
    if (!source.ReadAt(fmt.dataOffset, format, sizeof format)) return false;

    // Other encodings than PCM carry a count of extra format bytes. Those bytes belong to the
    // "fmt " chunk: a count that runs past it is a bad file, and a chunk of just the 16 bytes
    // has none.
    uint16_t extraCount = 0;
    if (Le16(format) != kPcmTag && fmt.size >= kWaveFormatSize + 2) {
        uint8_t count[2];
        if (!source.ReadAt(fmt.dataOffset + kWaveFormatSize, count, sizeof count)) return false;
        extraCount = Le16(count);
        if (extraCount > fmt.size - kWaveFormatSize - 2) return false;
    }
    wave.formatBlock.assign(kWaveFormatSize + 2 + extraCount, 0);
    std::memcpy(wave.formatBlock.data(), format, kWaveFormatSize);
    wave.formatBlock[16] = static_cast<uint8_t>(extraCount & 0xFF);
    wave.formatBlock[17] = static_cast<uint8_t>(extraCount >> 8);
    if (extraCount != 0 && !source.ReadAt(fmt.dataOffset + kWaveFormatSize + 2,
                                          wave.formatBlock.data() + 18, extraCount)) {
        return false;
    }

    // FindChunk has already checked that the samples lie inside the file.
    Chunk data;
    if (!FindChunk(source, 12, riffEnd, "data", data)) return false;
    wave.data.resize(data.size);
    return source.ReadAt(data.dataOffset, wave.data.data(), data.size);
}

bool Finish(bool ok, WaveFile& wave) {
    if (!ok) {
        wave.formatBlock.clear();
        wave.data.clear();
        wave.formatBlock.shrink_to_fit();
        wave.data.shrink_to_fit();
    }
    return ok;
}

}  // namespace

platform::WaveFormat WaveFile::Format() const {
    platform::WaveFormat format{};
    if (formatBlock.size() < kWaveFormatSize + 2) return format;
    const uint8_t* p = formatBlock.data();
    format.formatTag = Le16(p);
    format.channels = Le16(p + 2);
    format.samplesPerSecond = Le32(p + 4);
    format.averageBytesPerSecond = Le32(p + 8);
    format.blockAlign = Le16(p + 12);
    format.bitsPerSample = Le16(p + 14);
    format.extraSize = Le16(p + 16);
    format.extra = format.extraSize != 0 ? p + 18 : nullptr;
    return format;
}

bool ReadWaveFile(const char* path, WaveFile& wave) {
    std::string why;
    return ReadWaveFile(path, wave, why);
}

bool ReadWaveFile(const char* path, WaveFile& wave, std::string& why) {
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) {
        why = std::strerror(errno);
        return Finish(false, wave);
    }
    FileSource source(file);
    const bool ok = ReadWave(source, wave);
    std::fclose(file);
    if (!ok) why = "not a whole WAVE file (damaged or cut short)";
    return Finish(ok, wave);
}

bool ReadWaveBytes(const uint8_t* bytes, size_t size, WaveFile& wave) {
    MemorySource source(bytes, size);
    return Finish(ReadWave(source, wave), wave);
}
