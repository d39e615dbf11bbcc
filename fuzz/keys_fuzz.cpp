// The player's keys.ini reader on arbitrary bytes. It may not read or write outside its buffers;
// every game key must end up with at least one real key, a key changes only where the file names
// it, each refusal names one line of the file, reading the file twice changes nothing more, and
// the keys it settles on, written back as a keys.ini, read back as the same keys; keys bound
// as the settings bind them leave every game key a key.
#include <SDL.h>

#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/common/key_map.h"
#include "testing/file_problems.h"

namespace {

using platform::KeyMap;
using platform::kGameKeys;

constexpr const char* kNames[kGameKeys] = {"up", "down", "left", "right", "q", "escape"};

// A start of our own rather than the game's: the game's Q is looked up through the keyboard
// layout, which only a running video subsystem knows.
KeyMap StartMap(int shift) {
    KeyMap map;
    for (int k = 0; k < kGameKeys; ++k) {
        map.keys[k] = {static_cast<SDL_Scancode>(SDL_SCANCODE_A + (k + shift) % 26)};
    }
    return map;
}

bool SameKeys(const KeyMap& a, const KeyMap& b) {
    for (int k = 0; k < kGameKeys; ++k) {
        if (a.keys[k] != b.keys[k]) return false;
    }
    return true;
}

std::string Lower(const std::string& text) {
    std::string out = text;
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// The file as the player would write it for these keys.
std::string Written(const KeyMap& map) {
    std::string text = "# written back\n";
    for (int k = 0; k < kGameKeys; ++k) {
        text += kNames[k];
        text += " =";
        for (size_t i = 0; i < map.keys[k].size(); ++i) {
            text += i == 0 ? " " : ", ";
            text += SDL_GetScancodeName(map.keys[k][i]);
        }
        text += '\n';
    }
    return text;
}

// "keys.ini:N: why", N a line of the file, one refusal a line at most, in the file's order.
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const KeyMap start = StartMap(0);
    KeyMap map = start;
    std::vector<std::string> problems;
    platform::ReadKeyMap(text, map, problems);

    size_t lines = 1;
    for (char c : text) lines += c == '\n';
    testing_files::CheckProblemLines(problems, lines, "keys.ini");

    const std::string lower = Lower(text);
    for (int k = 0; k < kGameKeys; ++k) {
        const std::vector<SDL_Scancode>& keys = map.keys[k];
        if (keys.empty()) std::abort();
        for (SDL_Scancode code : keys) {
            if (code <= SDL_SCANCODE_UNKNOWN || code >= SDL_NUM_SCANCODES) std::abort();
            if (SDL_GetScancodeName(code)[0] == '\0') std::abort();
        }
        if (keys != start.keys[k] && lower.find(kNames[k]) == std::string::npos) std::abort();
    }

    // Every line that counts replaces its keys whole, so a second reading settles nothing new.
    KeyMap twice = map;
    std::vector<std::string> problemsAgain;
    platform::ReadKeyMap(text, twice, problemsAgain);
    if (!SameKeys(twice, map) || problemsAgain != problems) std::abort();

    // What the reader settled on can be written down and read back, whatever it started from.
    KeyMap back = StartMap(7);
    std::vector<std::string> backProblems;
    platform::ReadKeyMap(Written(map), back, backProblems);
    if (!backProblems.empty() || !SameKeys(back, map)) std::abort();

    // Keys bound as the settings bind them, two bytes a binding: each game key keeps a key,
    // the bound one has only that, and the game's own keys.ini writer reads back the same.
    for (size_t i = 0; i + 1 < size && i < 64; i += 2) {
        const auto key = static_cast<platform::Key>(data[i] % kGameKeys);
        const auto code = static_cast<SDL_Scancode>(data[i + 1]);
        const bool bound = platform::BindKey(map, key, code);
        if (bound != platform::Bindable(code)) std::abort();
        if (bound && map.keys[static_cast<int>(key)] != std::vector<SDL_Scancode>{code}) {
            std::abort();
        }
        for (int k = 0; k < kGameKeys; ++k) {
            if (map.keys[k].empty()) std::abort();
        }
    }
    KeyMap written = StartMap(3);
    backProblems.clear();
    platform::ReadKeyMap(platform::KeyMapText(map), written, backProblems);
    if (!backProblems.empty() || !SameKeys(written, map)) std::abort();
    return 0;
}
