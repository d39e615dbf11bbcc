#include "media/game_texts.h"

#include <cstring>

#include "media/english_texts.h"
#include "media/japanese_texts.h"

namespace {

// "1位" ... "8位".
constexpr const char* kJapanesePlaces[kPlaces] = {"1\x88\xCA", "2\x88\xCA", "3\x88\xCA",
                                                  "4\x88\xCA", "5\x88\xCA", "6\x88\xCA",
                                                  "7\x88\xCA", "8\x88\xCA"};

constexpr GameTexts kJapanese = {
    kTextTitle,
    kTextTitleVersion,
    kTextPushUpStart,
    kStageLoadError,
    kStageLoadErrorHeading,
    kTextCheckPoint,
    kTextStart,
    kTextReplayKeys,
    kFormatLapTime,
    kFormatLapUnset,
    kFormatTotal,
    kTextFinish,
    kTextTimeUp,
    {kJapanesePlaces[0], kJapanesePlaces[1], kJapanesePlaces[2], kJapanesePlaces[3],
     kJapanesePlaces[4], kJapanesePlaces[5], kJapanesePlaces[6], kJapanesePlaces[7]},
    kTextResultsKeys,
    kTextPushDownStart,
    kTextStepArrows,
    "PAUSE",
    {kTextSettingsHeading,
     {kTextSettingsLanguage, kTextSettingsMusic, kTextSettingsEffects, kTextSettingsGhost,
      kTextSettingsWindow, kTextSettingsKeys},
     kTextSettingsOn,
     kTextSettingsOff,
     kFormatSettingsScale,
     kTextSettingsFullScreen,
     kTextSettingsHint,
     kTextKeysHint,
     kTextKeysPress}};

constexpr GameTexts kEnglish = {
    kEnglishTitle,
    kTextTitleVersion,
    kTextPushUpStart,
    kEnglishStageLoadError,
    kEnglishStageLoadErrorHeading,
    kTextCheckPoint,
    kTextStart,
    kEnglishReplayKeys,
    kFormatLapTime,
    kFormatLapUnset,
    kFormatTotal,
    kTextFinish,
    kTextTimeUp,
    {"1st", "2nd", "3rd", "4th", "5th", "6th", "7th", "8th"},
    kEnglishResultsKeys,
    kTextPushDownStart,
    kTextStepArrows,
    "PAUSE",
    {"Settings",
     {kTextSettingsLanguage, "Music", "Effects", "Ghost", "Window", "Keys"},
     "On",
     "Off",
     "%dx",
     "Full screen",
     kEnglishSettingsHint,
     kEnglishKeysHint,
     "Press a key"}};

}  // namespace

const GameTexts& TextsOf(Language language) {
    return language == Language::English ? kEnglish : kJapanese;
}

const GameTexts& Texts() {
    return TextsOf(TextLanguage);
}

const char* LanguageOwnName(Language language) {
    return language == Language::English ? "English" : kTextJapaneseName;
}

void SetTextLanguage(Language language) {
    TextLanguage = language;
}

bool LanguageNamed(const char* name, Language& language) {
    if (std::strcmp(name, "ja") == 0) {
        language = Language::Japanese;
    } else if (std::strcmp(name, "en") == 0) {
        language = Language::English;
    } else {
        return false;
    }
    return true;
}

Language LanguageOfLocale(const char* locale) {
    return std::strncmp(locale, "ja", 2) == 0 ? Language::Japanese : Language::English;
}
