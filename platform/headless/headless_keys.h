// Between the headless platform's files: the keys as the player chose them, pressed by name.
#pragma once

#include <string>

#include "platform/platform.h"

namespace headless {

// The game's own keys again, none pressed by name, no key awaited.
void ResetKeys();

// Reads keys.ini from `folder` (ending with '/') as the game does, naming bad lines on stderr.
void ReadKeysFile(const std::string& folder);

// Whether a key pressed by name stands for `key`.
bool NamedKeyHolds(platform::Key key);

}  // namespace headless
