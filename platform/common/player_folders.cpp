#include "platform/common/player_folders.h"

#include <cstdlib>

#if defined(_WIN32) || defined(__APPLE__)
#include <SDL.h>
#else
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#endif

namespace platform {

namespace {

// An XDG base folder: the variable when it holds an absolute path (the standard says to ignore
// any other value), else the folder under HOME it stands for; empty without either.
std::string BaseFolder(const char* variable, const char* underHome) {
    const char* value = std::getenv(variable);
    if (value != nullptr && value[0] == '/') return value;
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] != '\0') return std::string(home) + "/" + underHome;
    return "";
}

}  // namespace

#if defined(_WIN32) || defined(__APPLE__)

std::string PlayerDataFolder() {
    char* path = SDL_GetPrefPath("", "tidewake");
    if (path == nullptr) return "";
    std::string folder = path;
    SDL_free(path);
    return folder;
}

#else

// "$XDG_DATA_HOME/tidewake/", with every missing folder on the way made. A folder that cannot
// be made is said once here: without it no replay is kept, and nothing later knows why.
std::string PlayerDataFolder() {
    const std::string base = BaseFolder("XDG_DATA_HOME", ".local/share");
    if (base.empty()) return "";
    const std::string folder = base + "/tidewake/";
    for (size_t slash = folder.find('/', 1); slash != std::string::npos;
         slash = folder.find('/', slash + 1)) {
        const std::string part = folder.substr(0, slash);
        if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
            std::fprintf(stderr,
                         "tidewake: cannot create the player's data folder %s: %s; replays are "
                         "not kept\n",
                         part.c_str(), std::strerror(errno));
            return "";
        }
    }
    return folder;
}

#endif

std::string PlayerConfigFolder() {
    const std::string base = BaseFolder("XDG_CONFIG_HOME", ".config");
    return base.empty() ? "" : base + "/tidewake/";
}

}  // namespace platform
