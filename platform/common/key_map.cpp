#include "platform/common/key_map.h"

#include <algorithm>
#include <cctype>
#include <sstream>

namespace platform {
namespace {

constexpr const char* kGameKeyNames[kGameKeys] = {"up", "down", "left", "right", "q", "escape"};

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return "";
    const size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

int GameKeyIndex(const std::string& name) {
    for (int k = 0; k < kGameKeys; ++k) {
        if (Lower(name) == kGameKeyNames[k]) return k;
    }
    return -1;
}

// The key that types `key` on this keyboard's layout, or the US layout's when no layout is
// known (before the video subsystem is up, and in the runner).
SDL_Scancode KeyOfLayout(SDL_Keycode key, SDL_Scancode us) {
    const SDL_Scancode code = SDL_GetScancodeFromKey(key);
    return code == SDL_SCANCODE_UNKNOWN ? us : code;
}

}  // namespace

KeyMap DefaultKeyMap() {
    KeyMap map;
    map.keys[static_cast<int>(Key::Up)] = {SDL_SCANCODE_UP};
    map.keys[static_cast<int>(Key::Down)] = {SDL_SCANCODE_DOWN};
    map.keys[static_cast<int>(Key::Left)] = {SDL_SCANCODE_LEFT};
    map.keys[static_cast<int>(Key::Right)] = {SDL_SCANCODE_RIGHT};
    map.keys[static_cast<int>(Key::Q)] = {KeyOfLayout(SDLK_q, SDL_SCANCODE_Q)};
    map.keys[static_cast<int>(Key::Escape)] = {SDL_SCANCODE_ESCAPE};
    return map;
}

void ReadKeyMap(const std::string& text, KeyMap& map, std::vector<std::string>& problems) {
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        const std::string content = Trimmed(line);
        if (content.empty() || content[0] == '#' || content[0] == ';' || content[0] == '[') {
            continue;
        }
        const std::string where = "keys.ini:" + std::to_string(number) + ": ";
        const size_t equals = content.find('=');
        if (equals == std::string::npos) {
            problems.push_back(where + "expected 'KEY = NAME', e.g. 'up = W'");
            continue;
        }
        const int game = GameKeyIndex(Trimmed(content.substr(0, equals)));
        if (game < 0) {
            problems.push_back(where + "'" + Trimmed(content.substr(0, equals)) +
                               "' is not one of up, down, left, right, q, escape");
            continue;
        }
        std::vector<SDL_Scancode> chosen;
        std::istringstream names(content.substr(equals + 1));
        std::string name;
        bool valid = true;
        while (std::getline(names, name, ',')) {
            name = Trimmed(name);
            const SDL_Scancode code = SDL_GetScancodeFromName(name.c_str());
            if (code == SDL_SCANCODE_UNKNOWN) {
                problems.push_back(where + "unknown key name '" + name + "'");
                valid = false;
                break;
            }
            chosen.push_back(code);
        }
        if (valid && chosen.empty()) {
            problems.push_back(where + "no key named");
            valid = false;
        }
        if (valid) map.keys[game] = chosen;
    }
}

bool MapsTo(const KeyMap& map, Key key, SDL_Scancode code) {
    const std::vector<SDL_Scancode>& keys = map.keys[static_cast<int>(key)];
    return std::find(keys.begin(), keys.end(), code) != keys.end();
}

bool Bindable(SDL_Scancode code) {
    if (code <= SDL_SCANCODE_UNKNOWN || code >= SDL_NUM_SCANCODES) return false;
    // keys.ini separates names with commas, so a key named with one could not be written, and
    // a name two keys share ("Return") would read back as the other key.
    const std::string name = SDL_GetScancodeName(code);
    if (name.empty() || name.find(',') != std::string::npos) return false;
    if (SDL_GetScancodeFromName(name.c_str()) != code) return false;
    return code != KeyOfLayout(SDLK_p, SDL_SCANCODE_P) && code != SDL_SCANCODE_F12 &&
           code != SDL_SCANCODE_PRINTSCREEN;
}

bool BindKey(KeyMap& map, Key key, SDL_Scancode code) {
    if (!Bindable(code)) return false;
    const int chosen = static_cast<int>(key);
    std::vector<SDL_Scancode> old = map.keys[chosen];
    old.erase(std::remove(old.begin(), old.end(), code), old.end());
    for (int k = 0; k < kGameKeys; ++k) {
        if (k == chosen) continue;
        std::vector<SDL_Scancode>& keys = map.keys[k];
        const auto taken = std::remove(keys.begin(), keys.end(), code);
        if (taken == keys.end()) continue;
        // Each game key keeps one: the one robbed of its last takes over the chosen key's old,
        // and where there are none (both had only this key, as keys.ini may say) it shares it.
        if (taken == keys.begin() && old.empty()) continue;
        keys.erase(taken, keys.end());
        if (keys.empty()) keys = old;
    }
    map.keys[chosen] = {code};
    return true;
}

std::string KeyNamesOf(const KeyMap& map, Key key) {
    std::string names;
    for (const SDL_Scancode code : map.keys[static_cast<int>(key)]) {
        if (!names.empty()) names += ", ";
        names += SDL_GetScancodeName(code);
    }
    return names;
}

std::string KeyMapText(const KeyMap& map) {
    std::string text = "# The keys of Tide Wake, as chosen in its settings: GAME KEY = KEY, KEY\n";
    for (int k = 0; k < kGameKeys; ++k) {
        text += std::string(kGameKeyNames[k]) + " = " + KeyNamesOf(map, static_cast<Key>(k)) + "\n";
    }
    return text;
}

}  // namespace platform
