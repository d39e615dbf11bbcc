// Sound for the real game through SDL2_mixer: one mixer channel per effect, halted and restarted
// on every play; tunes (their renderings where the build made them) looped by the player itself.
#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/common/midi_file.h"
#include "platform/common/rendered_tune.h"
#include "platform/platform.h"
#include "platform/sdl/sdl_display.h"

namespace platform {
namespace {

constexpr int kDeviceRate = 44100;
constexpr int kDeviceChannels = 2;
constexpr int kDeviceBufferFrames = 1024;  // about 23 ms between a request and its sound
constexpr int kMixerChannels = 30;

struct Audio {
    bool open = false;
    int rate = 0;
    Uint16 format = 0;
    int channels = 0;
    std::vector<Mix_Chunk*> sounds;  // index = handle = mixer channel
    Mix_Music* music = nullptr;
};

Audio& Mixer() {
    static Audio audio;
    return audio;
}

// Runs on the audio thread (or inside Mix_HaltMusic): tell the main thread through its queue.
void SDLCALL OnMusicFinished() {
    const Uint32 type = sdl::MusicEndedEventType();
    if (type == 0) return;
    SDL_Event event;
    SDL_zero(event);
    event.type = type;
    SDL_PushEvent(&event);
}

// PCM samples converted to the device's format, owned by the chunk.
Mix_Chunk* ConvertPcm(const Audio& a, const WaveFormat& format, const uint8_t* samples,
                      size_t size) {
    SDL_AudioFormat source = AUDIO_U8;
    if (format.bitsPerSample == 16) source = AUDIO_S16LSB;
    if (format.bitsPerSample == 32) source = AUDIO_S32LSB;
    // Whole sample frames only: a stray byte at the end would be read as half a sample.
    const size_t frames = size / format.blockAlign;
    if (frames == 0 || frames * format.blockAlign > 0x7FFFFFFF / 16) return nullptr;
    const int length = static_cast<int>(frames * format.blockAlign);

    SDL_AudioCVT cvt;
    if (SDL_BuildAudioCVT(&cvt, source, static_cast<Uint8>(format.channels),
                          static_cast<int>(format.samplesPerSecond), a.format,
                          static_cast<Uint8>(a.channels), a.rate) < 0) {
        return nullptr;
    }
    cvt.len = length;
    cvt.buf = static_cast<Uint8*>(SDL_malloc(static_cast<size_t>(length) * cvt.len_mult));
    if (cvt.buf == nullptr) return nullptr;
    std::memcpy(cvt.buf, samples, static_cast<size_t>(length));
    if (cvt.needed && SDL_ConvertAudio(&cvt) != 0) {
        SDL_free(cvt.buf);
        return nullptr;
    }
    auto* chunk = static_cast<Mix_Chunk*>(SDL_malloc(sizeof(Mix_Chunk)));
    if (chunk == nullptr) {
        SDL_free(cvt.buf);
        return nullptr;
    }
    chunk->allocated = 1;  // Mix_FreeChunk frees the samples too
    chunk->abuf = cvt.buf;
    chunk->alen = static_cast<Uint32>(cvt.len_cvt);
    chunk->volume = MIX_MAX_VOLUME;
    return chunk;
}

void PutLe32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
void PutLe16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
void PutId(std::vector<uint8_t>& out, const char* id) {
    out.insert(out.end(), id, id + 4);
}

// Other encodings go to SDL's own WAVE decoder as a minimal file of the same format and samples.
Mix_Chunk* DecodeEncoded(const WaveFormat& format, const uint8_t* samples, size_t size) {
    if (size > 0x7FFFFF00u) return nullptr;
    const uint32_t fmtSize = 18u + format.extraSize;
    const uint32_t fmtPadded = fmtSize + (fmtSize & 1u);
    std::vector<uint8_t> file;
    file.reserve(20 + fmtPadded + 8 + size + 1);
    PutId(file, "RIFF");
    PutLe32(file, static_cast<uint32_t>(4 + 8 + fmtPadded + 8 + size + (size & 1u)));
    PutId(file, "WAVE");
    PutId(file, "fmt ");
    PutLe32(file, fmtSize);
    PutLe16(file, format.formatTag);
    PutLe16(file, format.channels);
    PutLe32(file, format.samplesPerSecond);
    PutLe32(file, format.averageBytesPerSecond);
    PutLe16(file, format.blockAlign);
    PutLe16(file, format.bitsPerSample);
    PutLe16(file, format.extraSize);
    if (format.extraSize != 0)
        file.insert(file.end(), format.extra, format.extra + format.extraSize);
    if (fmtSize & 1u) file.push_back(0);
    PutId(file, "data");
    PutLe32(file, static_cast<uint32_t>(size));
    file.insert(file.end(), samples, samples + size);
    if (size & 1u) file.push_back(0);
    SDL_RWops* rw = SDL_RWFromConstMem(file.data(), static_cast<int>(file.size()));
    if (rw == nullptr) return nullptr;
    return Mix_LoadWAV_RW(rw, 1);
}

// SDL's last error, which some failures leave empty.
std::string LastError() {
    const char* error = SDL_GetError();
    return error != nullptr && error[0] != '\0' ? error : "the system gave no reason";
}

}  // namespace

bool StartAudio(std::string& why) {
    Audio& a = Mixer();
    if (a.open) return true;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        why = LastError();
        return false;
    }
    Mix_Init(MIX_INIT_MID);
    if (Mix_OpenAudio(kDeviceRate, AUDIO_S16SYS, kDeviceChannels, kDeviceBufferFrames) != 0) {
        why = LastError();
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    Mix_QuerySpec(&a.rate, &a.format, &a.channels);
    Mix_AllocateChannels(kMixerChannels);
    Mix_HookMusicFinished(OnMusicFinished);
    a.open = true;
    return true;
}

// The mixer's volumes, scaled: a full volume is the samples as they are.
void SetEffectsVolume(int volume) {
    if (Mixer().open) Mix_Volume(-1, MIX_MAX_VOLUME * volume / kFullVolume);
}

void SetMusicVolume(int volume) {
    if (Mixer().open) Mix_VolumeMusic(MIX_MAX_VOLUME * volume / kFullVolume);
}

void StopAudio() {
    Audio& a = Mixer();
    if (!a.open) return;
    CloseMusic();
    Mix_HaltChannel(-1);
    for (Mix_Chunk*& chunk : a.sounds) {
        if (chunk != nullptr) Mix_FreeChunk(chunk);
        chunk = nullptr;
    }
    a.sounds.clear();
    Mix_HookMusicFinished(nullptr);
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    a.open = false;
}

int CreateSound(const WaveFormat& format, const uint8_t* samples, size_t size) {
    Audio& a = Mixer();
    if (!a.open || !IsSaneWaveFormat(format)) return -1;
    Mix_Chunk* chunk = format.formatTag == kPcmFormatTag ? ConvertPcm(a, format, samples, size)
                                                         : DecodeEncoded(format, samples, size);
    if (chunk == nullptr) return -1;
    size_t handle = 0;
    while (handle < a.sounds.size() && a.sounds[handle] != nullptr) ++handle;
    if (handle == a.sounds.size()) a.sounds.push_back(nullptr);
    a.sounds[handle] = chunk;
    if (static_cast<int>(handle) >= Mix_AllocateChannels(-1)) {
        Mix_AllocateChannels(static_cast<int>(handle) + 1);
    }
    return static_cast<int>(handle);
}

void PlaySound(int handle) {
    Audio& a = Mixer();
    if (!a.open || handle < 0 || static_cast<size_t>(handle) >= a.sounds.size()) return;
    if (a.sounds[handle] == nullptr) return;
    Mix_HaltChannel(handle);
    Mix_PlayChannel(handle, a.sounds[handle], 0);
}

void ReleaseSound(int handle) {
    Audio& a = Mixer();
    if (!a.open || handle < 0 || static_cast<size_t>(handle) >= a.sounds.size()) return;
    if (a.sounds[handle] == nullptr) return;
    Mix_HaltChannel(handle);
    Mix_FreeChunk(a.sounds[handle]);
    a.sounds[handle] = nullptr;
}

bool OpenMusic(const char* path, std::string& why) {
    Audio& a = Mixer();
    CloseMusic();
    why.clear();
    if (!a.open) return false;
    if (!IsWholeMidiFile(path, why)) return false;
    // The rendering made from this very tune when there is one; the tune itself otherwise.
    const std::string rendered = FindRenderedTune(path);
    if (!rendered.empty()) a.music = Mix_LoadMUS(rendered.c_str());
    if (a.music == nullptr) a.music = Mix_LoadMUS(path);
    if (a.music == nullptr) why = LastError();
    return a.music != nullptr;
}

// Looping inside the player: the end-of-tune report comes seconds late, and a restart on it
// would leave a gap.
void PlayMusic() {
    Audio& a = Mixer();
    if (a.music != nullptr) Mix_PlayMusic(a.music, -1);
}

void HoldMusic(bool held) {
    if (Mixer().music == nullptr) return;
    if (held) {
        Mix_PauseMusic();
    } else {
        Mix_ResumeMusic();
    }
}

// Halted and freed, so that the next tune (or this one again) starts from its beginning.
void CloseMusic() {
    Audio& a = Mixer();
    if (a.music == nullptr) return;
    Mix_HaltMusic();
    Mix_FreeMusic(a.music);
    a.music = nullptr;
}

}  // namespace platform
