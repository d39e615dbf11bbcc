// settings.ini: the player's choices from the settings, kept between runs as `name = value`
// lines (the keys are kept in keys.ini beside it).
//
//   language = en        ja or en
//   music = 10           0..10
//   effects = 7          0..10
//   ghost = on           on or off
//   window = 2           1..4 times the frame, or full
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "media/media_state.h"
#include "screens/screen_state.h"

struct Settings {
    Language language = Language::Japanese;
    int32_t music = 10;
    int32_t effects = 10;
    bool ghost = true;
    int32_t window = kWindowAsOpened;  // a multiple of the frame, or platform::kFullScreen
};

// Applies the text's lines to `settings`: a setting the text does not name keeps its value, and
// each line that cannot be read leaves it as it was and is described in `problems` as
// "settings.ini:LINE: what is wrong".
void ReadSettingsText(const std::string& text, Settings& settings,
                      std::vector<std::string>& problems);

// The settings as a settings.ini that ReadSettingsText reads back as the same.
std::string SettingsText(const Settings& settings);

// The settings as they are now in the game: its language, volumes, ghost and window.
Settings SettingsInForce();

// Puts the settings in force; a window not open yet is sized as it opens.
void PutInForce(const Settings& settings);

// Reads settings.ini from the settings folder, when it is there, and puts it in force. Each line
// that cannot be read is named on stderr.
void LoadSettings();

// Writes the settings in force to settings.ini, and the keys to keys.ini when `keysToo`. A
// failure is said in one line on stderr; the settings still count for this run. Without a
// settings folder nothing is written.
void SaveSettings(bool keysToo);
