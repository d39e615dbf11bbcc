#include "shell/window_proc.h"

#include "base/app_state.h"
#include "media/music.h"
#include "media/shutdown.h"

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
