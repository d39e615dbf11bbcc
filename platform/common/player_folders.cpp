#include "platform/common/player_folders.h"

#include <SDL.h>

#include <cstdlib>

namespace platform {

std::string PlayerDataFolder() {
    char* path = SDL_GetPrefPath("", "tidewake");
    if (path == nullptr) return "";
    std::string folder = path;
    SDL_free(path);
    return folder;
}

std::string PlayerConfigFolder() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config != nullptr && config[0] == '/') return std::string(config) + "/tidewake/";
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] != '\0') return std::string(home) + "/.config/tidewake/";
    return "";
}

}  // namespace platform
