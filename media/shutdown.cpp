#include "media/shutdown.h"

#include "base/app_state.h"
#include "media/display.h"
#include "media/sound.h"
#include "media/text.h"

void ShutDownMedia() {
    ShutDownDisplay();
    ShutDownAudio();
    ResetTextFont();
}

void ShutDownOnce() {
    if (ShutdownState == 0) ShutdownState = 1;
    if (ShutdownState < 2) {
        UnlockFrame();
        ShutDownMedia();
        ShutdownState = 2;
    }
}

void QuitGame(int32_t exitStatus) {
    ExitStatus = exitStatus;
    ShutDownOnce();
    QuitPosted = true;
}
