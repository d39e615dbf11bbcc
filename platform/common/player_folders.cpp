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

std::string MadeSettingsFolder() {
    return PlayerDataFolder();
}

#else

namespace {

// `folder` with every missing folder on the way made; empty (said once on stderr, with what is
// lost without it) when one cannot be made.
std::string MadeFolder(const std::string& folder, const char* what, const char* lost) {
    for (size_t slash = folder.find('/', 1); slash != std::string::npos;
         slash = folder.find('/', slash + 1)) {
        const std::string part = folder.substr(0, slash);
        if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
            std::fprintf(stderr, "tidewake: cannot create the player's %s folder %s: %s; %s\n",
                         what, part.c_str(), std::strerror(errno), lost);
            return "";
        }
    }
    return folder;
}

}  // namespace

// "$XDG_DATA_HOME/tidewake/". A folder that cannot be made is said once here: without it no
// replay is kept, and nothing later knows why.
std::string PlayerDataFolder() {
    const std::string base = BaseFolder("XDG_DATA_HOME", ".local/share");
    if (base.empty()) return "";
    return MadeFolder(base + "/tidewake/", "data", "replays are not kept");
}

std::string MadeSettingsFolder() {
    const std::string folder = PlayerConfigFolder();
    if (folder.empty()) return "";
    return MadeFolder(folder, "settings", "the settings are kept for this run only");
}

#endif

std::string PlayerConfigFolder() {
    const std::string base = BaseFolder("XDG_CONFIG_HOME", ".config");
    return base.empty() ? "" : base + "/tidewake/";
}

}  // namespace platform
