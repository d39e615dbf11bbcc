#include "screens/settings_file.h"

#include <charconv>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "media/game_texts.h"
#include "media/sound.h"
#include "platform/platform.h"
#include "race/ghost.h"
#include "race/ghost_state.h"

namespace {

constexpr char kFileName[] = "settings.ini";

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return "";
    const size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

bool Volume(const std::string& text, int32_t& volume) {
    int32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || text.empty()) return false;
    if (value < 0 || value > platform::kFullVolume) return false;
    volume = value;
    return true;
}

bool Window(const std::string& value, int32_t& window) {
    if (value == "full") {
        window = platform::kFullScreen;
        return true;
    }
    if (value.size() == 1 && value[0] >= '1' && value[0] <= '0' + platform::kLargestWindowScale) {
        window = value[0] - '0';
        return true;
    }
    return false;
}

// One `name = value` line into `settings`; the reason when it cannot be read.
std::string ReadLine(const std::string& name, const std::string& value, Settings& settings) {
    if (name == "language") {
        if (LanguageNamed(value.c_str(), settings.language)) return "";
        return "language is ja or en, not '" + value + "'";
    }
    if (name == "music" || name == "effects") {
        if (Volume(value, name == "music" ? settings.music : settings.effects)) return "";
        return name + " is a whole number from 0 to 10, not '" + value + "'";
    }
    if (name == "ghost") {
        if (value == "on" || value == "off") {
            settings.ghost = value == "on";
            return "";
        }
        return "ghost is on or off, not '" + value + "'";
    }
    if (name == "window") {
        if (Window(value, settings.window)) return "";
        return "window is 1, 2, 3, 4 or full, not '" + value + "'";
    }
    return "'" + name + "' is not one of language, music, effects, ghost, window";
}

}  // namespace

void ReadSettingsText(const std::string& text, Settings& settings,
                      std::vector<std::string>& problems) {
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        const std::string content = Trimmed(line);
        if (content.empty() || content[0] == '#' || content[0] == ';' || content[0] == '[') {
            continue;
        }
        const std::string where = std::string(kFileName) + ":" + std::to_string(number) + ": ";
        const size_t equals = content.find('=');
        if (equals == std::string::npos) {
            problems.push_back(where + "expected 'NAME = VALUE', e.g. 'music = 7'");
            continue;
        }
        const std::string why = ReadLine(Trimmed(content.substr(0, equals)),
                                         Trimmed(content.substr(equals + 1)), settings);
        if (!why.empty()) problems.push_back(where + why);
    }
}

std::string SettingsText(const Settings& settings) {
    std::string text = "# The settings of Tide Wake, as chosen on its settings screen\n";
    text +=
        std::string("language = ") + (settings.language == Language::English ? "en" : "ja") + "\n";
    text += "music = " + std::to_string(settings.music) + "\n";
    text += "effects = " + std::to_string(settings.effects) + "\n";
    text += std::string("ghost = ") + (settings.ghost ? "on" : "off") + "\n";
    if (settings.window == platform::kFullScreen) {
        text += "window = full\n";
    } else if (settings.window != kWindowAsOpened) {
        text += "window = " + std::to_string(settings.window) + "\n";
    }
    return text;
}

Settings SettingsInForce() {
    Settings settings;
    settings.language = TextLanguage;
    settings.music = MusicVolume;
    settings.effects = EffectsVolume;
    settings.ghost = KeptGhostsRace != 0;
    // A window the game does not size is none of the player's choosing.
    settings.window =
        platform::LargestWindowScale() > 0 ? platform::WindowScale() : ChosenWindowScale;
    return settings;
}

void PutInForce(const Settings& settings) {
    SetTextLanguage(settings.language);
    ChooseMusicVolume(settings.music);
    ChooseEffectsVolume(settings.effects);
    SetKeptGhostsRace(settings.ghost);
    ChosenWindowScale = settings.window;
    // An open window takes its size at once; one not open yet takes it as it opens.
    if (settings.window != kWindowAsOpened) platform::SetWindowScale(settings.window);
}

void LoadSettings() {
    const std::string folder = platform::SettingsFolder();
    if (folder.empty()) return;
    std::ifstream file(folder + kFileName);
    if (!file) return;
    std::ostringstream text;
    text << file.rdbuf();
    Settings settings = SettingsInForce();
    std::vector<std::string> problems;
    ReadSettingsText(text.str(), settings, problems);
    for (const std::string& problem : problems) {
        std::fprintf(stderr, "tidewake: %s%s\n", folder.c_str(), problem.c_str());
    }
    PutInForce(settings);
}

void SaveSettings(bool keysToo) {
    if (platform::SettingsFolder()[0] == '\0') return;
    std::string error;
    const std::string text = SettingsText(SettingsInForce());
    const bool saved = platform::WriteSettingsFile(kFileName, text, error) &&
                       (!keysToo || platform::SaveKeys(error));
    if (!saved) {
        std::fprintf(stderr,
                     "tidewake: the settings were not kept (%s); they count until the "
                     "game ends\n",
                     error.c_str());
    }
}
