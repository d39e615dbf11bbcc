#include "platform/common/rendered_tune.h"

#include <cstdio>
#include <vector>

namespace platform {

std::string TuneKey(const uint8_t* bytes, size_t size) {
    uint64_t hash = 0xcbf29ce484222325u;
    for (size_t i = 0; i < size; ++i) {
        hash ^= bytes[i];
        hash *= 0x100000001b3u;
    }
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

std::string TuneKeyOfFile(const char* path) {
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) return {};
    std::vector<uint8_t> bytes;
    uint8_t block[4096];
    size_t got = 0;
    while ((got = std::fread(block, 1, sizeof block, file)) > 0) {
        bytes.insert(bytes.end(), block, block + got);
    }
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) return {};
    return TuneKey(bytes.data(), bytes.size());
}

std::string RenderedTunePath(const std::string& midiPath, const std::string& key) {
    const size_t slash = midiPath.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "" : midiPath.substr(0, slash + 1);
    return folder + "tunes/" + key + ".flac";
}

std::string FindRenderedTune(const char* midiPath) {
    const std::string key = TuneKeyOfFile(midiPath);
    if (key.empty()) return {};
    std::string rendered = RenderedTunePath(midiPath, key);
    std::FILE* file = std::fopen(rendered.c_str(), "rb");
    if (file == nullptr) return {};
    std::fclose(file);
    return rendered;
}

}  // namespace platform
