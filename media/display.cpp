#include "media/display.h"

#include "media/music.h"
#include "media/palette.h"
#include "media/sound.h"
#include "media/text.h"
#include "platform/platform.h"

int InitMedia(int width, int height) {
    BlitClip[0] = 0;
    BlitClip[1] = 0;
    BlitClip[2] = width;
    BlitClip[3] = height;
    platform::SetPalette(GamePalette.data());
    StartSoundDevice();
    MusicOpen = 0;
    ResetTextFont();
    return 1;
}

void ShowMediaError(const char* text, const char* detail) {
    platform::ShowErrorBox("Error", text, detail);
}

void ShowFileRefusal(const char* heading, const char* path, int line, const std::string& what) {
    std::string text = std::string(heading) + "\n\n" + path;
    if (line > 0) text += ":" + std::to_string(line);
    ShowMediaError((text + ": " + what).c_str());
}

void DrawIntoBuffer(uint8_t* bits, int32_t pitch) {
    FrameBits = bits;
    FramePitch = bits != nullptr ? pitch : 0;
}

void LockFrame() {
    uint8_t* bits = nullptr;
    int pitch = 0;
    if (platform::LockBackBuffer(bits, pitch)) {
        FrameBits = bits;
        FramePitch = pitch;
    } else {
        FrameBits = nullptr;
    }
}

void UnlockFrame() {
    platform::UnlockBackBuffer();
    FrameBits = nullptr;
}

void PresentFrame() {
    platform::PresentBackBuffer();
}

void ShutDownDisplay() {
    platform::CloseDisplay();
}
