// The web build's player folders: none. The runner keeps to the current folder like the native
// one does in a folder with a stage/; the page keeps its courses in its own stored folder.
#include "platform/common/player_folders.h"

namespace platform {

std::string PlayerDataFolder() {
    return "";
}

std::string PlayerConfigFolder() {
    return "";
}

}  // namespace platform
