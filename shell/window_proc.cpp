#include "shell/window_proc.h"

#include "media/display.h"
#include "media/music.h"
#include "media/sound.h"
#include "media/text.h"
#include "shell/app_state.h"

void ShutDownMedia() {
    ShutDownDisplay();
    ShutDownAudio();
    ResetTextFont();
}

namespace {

void ShutDownOnce() {
    if (ShutdownState == 0) ShutdownState = 1;
    if (ShutdownState < 2) {
        UnlockFrame();
        ShutDownMedia();
        ShutdownState = 2;
    }
}

}  // namespace

void HandleWindowEvent(platform::EventType event) {
    switch (event) {
        case platform::EventType::Activated:
            AppActive = 1;
            break;
        case platform::EventType::Deactivated:
            AppActive = 0;
            break;
        case platform::EventType::EscapeDown:
            if (ShutdownState != 2) {
                ShutDownOnce();
                QuitPosted = true;
            }
            break;
        case platform::EventType::CloseRequest:
            ShutDownOnce();
            QuitPosted = true;
            break;
        case platform::EventType::MusicEnded:
            HandleMusicEnded();
            break;
    }
}

void QuitGame(int32_t exitStatus) {
    ExitStatus = exitStatus;
    ShutDownOnce();
    QuitPosted = true;
}
