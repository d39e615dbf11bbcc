// The folders the real game reads and writes: its own, beside the executable, and the player's.
#include <SDL.h>

#include <cstdlib>
#include <string>

#include "platform/common/player_folders.h"
#include "platform/platform.h"

namespace platform {

const char* ExecutableDir() {
    static std::string dir;
    if (dir.empty()) {
        if (char* base = SDL_GetBasePath()) {
            dir = base;
            SDL_free(base);
        } else {
            dir = "./";
        }
    }
    return dir.c_str();
}

const char* UserDataDir() {
    static const std::string dir = PlayerDataFolder();
    return dir.c_str();
}

const char* SettingsFolder() {
    static const std::string dir = MadeSettingsFolder();
    return dir.c_str();
}

bool OfferFile(const char*, const std::string&) {
    return false;
}

std::string SystemLocale() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && value[0] != '\0') return value;
    }
    return "";
}

const char* GhostFolder() {
    static const std::string dir =
        UserDataDir()[0] == '\0' ? "" : UserDataDir() + std::string("ghosts/");
    return dir.c_str();
}

}  // namespace platform
