#include "base/keys.h"

void PollKey(platform::Key key, int32_t& state) {
    if (platform::IsKeyDown(key)) {
        state = (state == kKeyUp) ? kKeyPressed : kKeyHeld;
    } else {
        state = (state == kKeyPressed || state == kKeyHeld) ? kKeyReleased : kKeyUp;
    }
}
