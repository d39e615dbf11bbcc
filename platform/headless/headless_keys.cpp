// The runner's keyboard by key names: a script may press "W" as well as the game's "up", and the
// settings may bind such keys, write them to keys.ini and read them back as the game does.
#include "platform/headless/headless_keys.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>

#include "platform/common/key_map.h"
#include "platform/headless/headless.h"

namespace {

struct ChosenKeys {
    platform::KeyMap map = platform::DefaultKeyMap();
    bool down[SDL_NUM_SCANCODES] = {};
    bool listening = false;
    platform::Key listeningFor = platform::Key::Up;
};

ChosenKeys& K() {
    static ChosenKeys keys;
    return keys;
}

}  // namespace

namespace headless {

void ResetKeys() {
    K() = ChosenKeys();
}

void ReadKeysFile(const std::string& folder) {
    std::ifstream file(folder + "keys.ini");
    if (!file) return;
    std::ostringstream text;
    text << file.rdbuf();
    std::vector<std::string> problems;
    platform::ReadKeyMap(text.str(), K().map, problems);
    for (const std::string& problem : problems) {
        std::fprintf(stderr, "tidewake: %s%s\n", folder.c_str(), problem.c_str());
    }
}

bool NamedKeyHolds(platform::Key key) {
    if (static_cast<int>(key) >= platform::kChoosableKeys) return false;
    for (const SDL_Scancode code : K().map.keys[static_cast<int>(key)]) {
        if (K().down[code]) return true;
    }
    return false;
}

bool SetNamedKey(const std::string& name, bool down) {
    const SDL_Scancode code = SDL_GetScancodeFromName(name.c_str());
    if (code == SDL_SCANCODE_UNKNOWN) return false;
    ChosenKeys& keys = K();
    // As on the desktop: Escape's keys end the game even while a key is awaited.
    if (down && !keys.down[code]) {
        if (platform::MapsTo(keys.map, platform::Key::Escape, code)) {
            PushEvent(platform::EventType::EscapeDown);
        } else if (keys.listening && platform::BindKey(keys.map, keys.listeningFor, code)) {
            keys.listening = false;
        }
    }
    keys.down[code] = down;
    return true;
}

}  // namespace headless

namespace platform {

bool KeysChoosable() {
    return true;
}

std::string KeyNames(Key key) {
    return KeyNamesOf(K().map, key);
}

void ListenForKey(Key key) {
    K().listening = true;
    K().listeningFor = key;
}

bool ListeningForKey() {
    return K().listening;
}

void StopListeningForKey() {
    K().listening = false;
}

void RestoreGameKey(Key key) {
    BindKey(K().map, key, DefaultKeyMap().keys[static_cast<int>(key)].front());
}

bool SaveKeys(std::string& error) {
    return WriteSettingsFile("keys.ini", KeyMapText(K().map), error);
}

}  // namespace platform
