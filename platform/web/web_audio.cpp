// The browser's sound: effects and tunes played by the page through WebAudio.
#include <cstring>
#include <string>

#include "platform/platform.h"
#include "platform/web/web_bridge.h"

namespace {

bool deviceOpen = false;

}  // namespace

namespace platform {

bool StartAudio(std::string& why) {
    deviceOpen = tw_audio_start() != 0;
    if (!deviceOpen) why = "the page could not start its sound";
    return deviceOpen;
}

void StopAudio() {
    if (deviceOpen) tw_audio_stop();
    deviceOpen = false;
}

// Only PCM: the page has no decoder for the older encodings a WAVE file may hold.
int CreateSound(const WaveFormat& format, const uint8_t* samples, size_t size) {
    if (!deviceOpen || format.formatTag != kPcmFormatTag || !IsSaneWaveFormat(format)) return -1;
    const size_t frames = size / format.blockAlign;
    if (frames == 0) return -1;
    return tw_create_sound(format.channels, static_cast<int>(format.samplesPerSecond),
                           format.bitsPerSample, samples, frames * format.blockAlign);
}

void PlaySound(int handle) {
    if (deviceOpen && handle >= 0) tw_play_sound(handle);
}

void ReleaseSound(int handle) {
    if (deviceOpen && handle >= 0) tw_release_sound(handle);
}

// The page knows its tunes by the MIDI file's name; they were rendered when it was built.
bool OpenMusic(const char* path, std::string& why) {
    CloseMusic();
    why.clear();
    if (!deviceOpen) return false;
    const char* slash = std::strrchr(path, '/');
    if (tw_open_music(slash != nullptr ? slash + 1 : path) != 0) return true;
    why = "the page has no such tune";
    return false;
}

void PlayMusic() {
    if (deviceOpen) tw_play_music();
}

void CloseMusic() {
    if (deviceOpen) tw_close_music();
}

void SetEffectsVolume(int volume) {
    if (deviceOpen) tw_set_volume(0, volume);
}

void SetMusicVolume(int volume) {
    if (deviceOpen) tw_set_volume(1, volume);
}

void HoldMusic(bool held) {
    if (deviceOpen) tw_hold_music(held ? 1 : 0);
}

}  // namespace platform
