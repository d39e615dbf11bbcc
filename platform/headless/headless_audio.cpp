// The headless platform's sound: nothing is heard, everything that would be is recorded with the
// frame it was asked for in.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/headless/headless.h"
#include "platform/headless/headless_audio.h"
#include "platform/platform.h"

namespace {

constexpr int kMaxSounds = 256;

struct AudioState {
    int32_t frame = 0;
    std::vector<headless::AudioRecord> log;
    bool deviceAvailable = true;
    bool deviceOpen = false;
    bool sounds[kMaxSounds] = {};
    bool musicOpen = false;
};

AudioState& A() {
    static AudioState state;
    return state;
}

void Record(const char* what, const std::string& detail) {
    A().log.push_back({A().frame, what, detail});
}

}  // namespace

namespace headless {

void ResetAudio() {
    A() = AudioState();
}

void SetAudioDeviceAvailable(bool available) {
    A().deviceAvailable = available;
}

void SetFrameNumber(int32_t frame) {
    A().frame = frame;
}

const std::vector<AudioRecord>& AudioLog() {
    return A().log;
}

}  // namespace headless

namespace platform {

bool StartAudio(std::string& why) {
    A().deviceOpen = A().deviceAvailable;
    if (!A().deviceOpen) why = "none is available";
    return A().deviceOpen;
}

void StopAudio() {
    CloseMusic();
    for (bool& inUse : A().sounds) inUse = false;
    A().deviceOpen = false;
}

// Handles are the lowest free numbers, as the real mixer's channels are.
int CreateSound(const WaveFormat& format, const uint8_t*, size_t size) {
    // No samples at all is no sound, as for the real mixer.
    if (!A().deviceOpen || !IsSaneWaveFormat(format) || size == 0) return -1;
    for (int handle = 0; handle < kMaxSounds; ++handle) {
        if (!A().sounds[handle]) {
            A().sounds[handle] = true;
            return handle;
        }
    }
    return -1;
}

void PlaySound(int handle) {
    if (handle < 0 || handle >= kMaxSounds || !A().sounds[handle]) return;
    Record("effect", std::to_string(handle));
}

void ReleaseSound(int handle) {
    if (handle >= 0 && handle < kMaxSounds) A().sounds[handle] = false;
}

// A tune that is not there is asked for but never heard.
bool OpenMusic(const char* path, std::string& why) {
    CloseMusic();
    why.clear();
    Record("music-open", path);
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) {
        why = std::strerror(errno);
        return false;
    }
    std::fclose(file);
    A().musicOpen = true;
    return true;
}

void PlayMusic() {
    if (A().musicOpen) Record("music-play", "");
}

void SetEffectsVolume(int volume) {
    Record("effects-volume", std::to_string(volume));
}

void SetMusicVolume(int volume) {
    Record("music-volume", std::to_string(volume));
}

void HoldMusic(bool held) {
    if (A().musicOpen) Record(held ? "music-hold" : "music-go-on", "");
}

void CloseMusic() {
    if (A().musicOpen) Record("music-close", "");
    A().musicOpen = false;
}

}  // namespace platform
