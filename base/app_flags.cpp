#include "base/app_flags.h"

void SetAppActive(int32_t active) {
    AppActive = active;
}

void SetShutdownState(int32_t state) {
    ShutdownState = state;
}

void PostQuit() {
    QuitPosted = true;
}

void SetExitStatus(int32_t status) {
    ExitStatus = status;
}

void ResetShutdown() {
    ShutdownState = kShutdownRunning;
    QuitPosted = false;
    ExitStatus = 0;
}
