// Where a player's own files live: the data folder (copies of the courses, replays) and the
// config folder (key settings), both under the desktop's usual places.
#pragma once

#include <string>

namespace platform {

// "$XDG_DATA_HOME/tidewake/" (or the system's equivalent), created when missing; empty when
// there is no such folder.
std::string PlayerDataFolder();

// "$XDG_CONFIG_HOME/tidewake/" or "$HOME/.config/tidewake/"; not created. Empty when neither
// variable is set.
std::string PlayerConfigFolder();

// PlayerConfigFolder(), with every missing folder on the way made; empty when there is none or
// one cannot be made, which is said on stderr.
std::string MadeSettingsFolder();

}  // namespace platform
