#include "race/race_keys.h"

#include "base/keys.h"
#include "race/race_state.h"

void PollRaceKeys() {
    PollKey(platform::Key::Down, RaceDownKey);
    PollKey(platform::Key::Left, RaceLeftKey);
    PollKey(platform::Key::Right, RaceRightKey);
    PollKey(platform::Key::Q, RaceQuitKey);
}
