#include "media/shutdown.h"

#include "base/app_flags.h"
#include "media/display.h"
#include "media/sound.h"
#include "media/text.h"

void ShutDownMedia() {
    ShutDownDisplay();
    ShutDownAudio();
    ResetTextFont();
}

void ShutDownOnce() {
    if (ShutdownState == kShutdownRunning) SetShutdownState(kShutdownClosing);
    if (ShutdownState < kShutdownReleased) {
        UnlockFrame();
        ShutDownMedia();
        SetShutdownState(kShutdownReleased);
    }
}

void QuitGame(int32_t exitStatus) {
    SetExitStatus(exitStatus);
    ShutDownOnce();
    PostQuit();
}
