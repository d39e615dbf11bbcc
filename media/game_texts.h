// The game's own texts in the language chosen, one table per language. Every screen takes its
// texts from Texts(); nothing else of the game asks which language is on.
#pragma once

#include <cstdint>

#include "media/media_state.h"

// The places a race can end in.
constexpr int32_t kPlaces = 8;

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
};

// The table of `language`.
const GameTexts& TextsOf(Language language);

// The table of the language on.
const GameTexts& Texts();

// Makes `language` the language of every text from the next one drawn.
void SetTextLanguage(Language language);

// The language a setting or an option names: "ja" or "en". False for anything else.
bool LanguageNamed(const char* name, Language& language);

// The language of a locale such as "ja_JP.UTF-8": Japanese when it starts with "ja", else
// English.
Language LanguageOfLocale(const char* locale);
