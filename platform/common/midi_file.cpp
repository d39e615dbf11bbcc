#include "platform/common/midi_file.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

namespace platform {
namespace {

// Far more than a tune of the game needs; a larger file is not read whole to be checked.
constexpr long kLargestTune = 16L << 20;

uint32_t Be32(const unsigned char* p) {
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
}

bool Refuse(std::string& why, const char* what) {
    why = what;
    return false;
}

}  // namespace

bool IsWholeMidiFile(const char* path, std::string& why) {
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) return Refuse(why, std::strerror(errno));
    std::vector<unsigned char> bytes;
    long size = -1;
    if (std::fseek(file, 0, SEEK_END) == 0) size = std::ftell(file);
    if (size >= 0 && size <= kLargestTune && std::fseek(file, 0, SEEK_SET) == 0) {
        bytes.resize(static_cast<size_t>(size));
        if (std::fread(bytes.data(), 1, bytes.size(), file) != bytes.size()) size = -1;
    }
    std::fclose(file);
    if (size < 0) return Refuse(why, "the file cannot be read");
    if (size > kLargestTune) return Refuse(why, "the file is too large for a tune");

    const size_t end = bytes.size();
    if (end < 14 || std::memcmp(bytes.data(), "MThd", 4) != 0 || Be32(&bytes[4]) < 6) {
        return Refuse(why, "not a MIDI file");
    }
    const unsigned tracks = (unsigned(bytes[10]) << 8) | bytes[11];
    // A player handed a tune cut short may loop its few notes without end, and never let go
    // of the sound device.
    unsigned found = 0;
    for (size_t at = 8 + size_t(Be32(&bytes[4])); at < end;) {
        if (end - at < 8) return Refuse(why, "the file is cut short");
        const size_t length = Be32(&bytes[at + 4]);
        if (length > end - at - 8) return Refuse(why, "the file is cut short");
        if (std::memcmp(&bytes[at], "MTrk", 4) == 0) ++found;
        at += 8 + length;
    }
    if (found == 0 || found < tracks) return Refuse(why, "the file is cut short");
    return true;
}

}  // namespace platform
