// The game's own texts in the language chosen, one table per language. Every screen takes its
// texts from Texts(); nothing else of the game asks which language is on.
#pragma once

#include <cstdint>

#include "media/media_state.h"

// The places a race can end in.
constexpr int32_t kPlaces = 8;

// The rows of the settings, top to bottom.
enum SettingsRow { kRowLanguage, kRowMusic, kRowEffects, kRowGhost, kRowWindow, kRowKeys };
constexpr int32_t kSettingsRows = 6;

// The settings' texts in one language.
struct SettingsTexts {
    const char* heading;              // the settings' heading
    const char* rows[kSettingsRows];  // each row's name, in SettingsRow order
    const char* on;                   // the ghost races
    const char* off;                  // no ghost races
    const char* scaleFormat;          // printf: the window's multiple of the frame
    const char* fullScreen;           // the window fills the screen
    const char* hint;                 // the settings' key hint
    const char* keysHint;             // the key list's key hint
    const char* pressKey;             // in place of a key while a new one is awaited
};

// One language's texts, as code page 932 bytes.
struct GameTexts {
    const char* title;             // the title's big row
    const char* titleVersion;      // "ＴｉｄｅＷａｋｅ1.5"
    const char* pushUpStart;       // "Ｐｕｓｈ［↑］ＳＴＡＲＴ"
    const char* stageLoadError;    // no stage file can be opened
    const char* stageLoadHeading;  // a stage file cannot be read
    const char* checkPoint;        // the banner of a checkpoint passed
    const char* start;             // the banner as the race begins
    const char* replayKeys;        // the replay's key hint
    const char* lapTimeFormat;     // printf: lap number, seconds
    const char* lapUnsetFormat;    // printf: lap number
    const char* totalFormat;       // printf: seconds
    const char* finish;            // the results' announcement
    const char* timeUp;            // the results' announcement after a time-up
    const char* places[kPlaces];   // "1位" or "1st" ... "8位" or "8th"
    const char* resultsKeys;       // the results' key hint
    const char* pushDownStart;     // the stage select's start hint
    const char* stepArrows;        // the stage select's arrows
    const char* pause;             // over the frame of a paused race
    SettingsTexts settings;        // the settings and their key list
};

// The table of `language`.
const GameTexts& TextsOf(Language language);

// The table of the language on.
const GameTexts& Texts();

// Makes `language` the language of every text from the next one drawn.
void SetTextLanguage(Language language);

// A language by its own name ("日本語", "English"), the same whichever is on.
const char* LanguageOwnName(Language language);

// The language a setting or an option names: "ja" or "en". False for anything else.
bool LanguageNamed(const char* name, Language& language);

// The language of a locale such as "ja_JP.UTF-8": Japanese when it starts with "ja", else
// English.
Language LanguageOfLocale(const char* locale);
