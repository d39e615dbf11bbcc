#include "shell/window_proc.h"

#include "base/app_flags.h"
#include "media/music.h"
#include "media/shutdown.h"

void HandleWindowEvent(platform::EventType event) {
    switch (event) {
        case platform::EventType::Activated:
            SetAppActive(1);
            break;
        case platform::EventType::Deactivated:
            SetAppActive(0);
            break;
        case platform::EventType::EscapeDown:
            if (ShutdownState != kShutdownReleased) {
                ShutDownOnce();
                PostQuit();
            }
            break;
        case platform::EventType::CloseRequest:
            ShutDownOnce();
            PostQuit();
            break;
        case platform::EventType::MusicEnded:
            HandleMusicEnded();
            break;
    }
}
