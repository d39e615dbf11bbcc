// The game's texts in both languages: every text has both forms, the Japanese table is the very
// bytes the game always drew, and each English text is either the Latin text both share or
// plain ASCII but for the CP932 arrows.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "media/game_texts.h"
#include "media/japanese_texts.h"

namespace {

std::vector<const char*> AllTexts(const GameTexts& t) {
    std::vector<const char*> all = {
        t.title,       t.titleVersion, t.pushUpStart, t.stageLoadError, t.stageLoadHeading,
        t.checkPoint,  t.start,        t.replayKeys,  t.lapTimeFormat,  t.lapUnsetFormat,
        t.totalFormat, t.finish,       t.timeUp,      t.resultsKeys,    t.pushDownStart,
        t.stepArrows,  t.pause};
    for (const char* place : t.places) all.push_back(place);
    const SettingsTexts& s = t.settings;
    for (const char* row : s.rows) all.push_back(row);
    for (const char* text :
         {s.heading, s.on, s.off, s.scaleFormat, s.fullScreen, s.hint, s.keysHint, s.pressKey}) {
        all.push_back(text);
    }
    return all;
}

// Bytes of an English text: printable ASCII, line ends, or one of the arrows ← ↑ → ↓.
bool PlainButForArrows(const char* text) {
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p != 0; ++p) {
        if (*p == 0x81 && (p[1] == 0xA9 || p[1] == 0xAA || p[1] == 0xA8 || p[1] == 0xAB)) {
            ++p;
        } else if (*p != '\n' && (*p < 0x20 || *p > 0x7E)) {
            return false;
        }
    }
    return true;
}

TEST(GameTexts, EveryTextHasBothForms) {
    const std::vector<const char*> japanese = AllTexts(TextsOf(Language::Japanese));
    const std::vector<const char*> english = AllTexts(TextsOf(Language::English));
    ASSERT_EQ(japanese.size(), english.size());
    for (size_t i = 0; i < japanese.size(); ++i) {
        ASSERT_NE(japanese[i], nullptr) << i;
        ASSERT_NE(english[i], nullptr) << i;
        EXPECT_GT(std::strlen(japanese[i]), 0u) << i;
        const bool shared = std::strcmp(english[i], japanese[i]) == 0;
        EXPECT_TRUE(shared || PlainButForArrows(english[i])) << i << ": " << english[i];
        // What is Japanese in Japanese is English in English.
        if (!PlainButForArrows(japanese[i]) && !shared) {
            EXPECT_NE(std::strcmp(english[i], japanese[i]), 0) << i;
        }
    }
}

TEST(GameTexts, JapaneseIsWhatTheGameAlwaysDrew) {
    const GameTexts& t = TextsOf(Language::Japanese);
    EXPECT_STREQ(t.title, kTextTitle);
    EXPECT_STREQ(t.replayKeys, kTextReplayKeys);
    EXPECT_STREQ(t.resultsKeys, kTextResultsKeys);
    EXPECT_STREQ(t.stageLoadError, kStageLoadError);
    for (int place = 1; place <= kPlaces; ++place) {
        char formatted[16];
        std::snprintf(formatted, sizeof formatted, kFormatPlace, place);
        EXPECT_STREQ(t.places[place - 1], formatted);
    }
    const GameTexts& e = TextsOf(Language::English);
    EXPECT_STREQ(e.places[0], "1st");
    EXPECT_STREQ(e.places[2], "3rd");
    EXPECT_STREQ(e.places[7], "8th");
    // The Latin texts stay as they are in both languages; the Japanese ones have English forms.
    EXPECT_STREQ(e.checkPoint, t.checkPoint);
    EXPECT_STREQ(e.lapTimeFormat, t.lapTimeFormat);
    for (const char* own :
         {e.title, e.stageLoadError, e.stageLoadHeading, e.replayKeys, e.resultsKeys}) {
        EXPECT_TRUE(PlainButForArrows(own)) << own;
    }
}

TEST(GameTexts, LanguagesByNameAndLocale) {
    Language language = Language::English;
    EXPECT_TRUE(LanguageNamed("ja", language));
    EXPECT_EQ(language, Language::Japanese);
    EXPECT_TRUE(LanguageNamed("en", language));
    EXPECT_EQ(language, Language::English);
    for (const char* bad : {"", "jp", "ja_JP", "EN", "english"}) {
        EXPECT_FALSE(LanguageNamed(bad, language)) << bad;
    }
    EXPECT_EQ(LanguageOfLocale("ja_JP.UTF-8"), Language::Japanese);
    EXPECT_EQ(LanguageOfLocale("ja"), Language::Japanese);
    EXPECT_EQ(LanguageOfLocale("en_GB.UTF-8"), Language::English);
    EXPECT_EQ(LanguageOfLocale("C"), Language::English);
    EXPECT_EQ(LanguageOfLocale(""), Language::English);
}

}  // namespace
