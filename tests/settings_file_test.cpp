// settings.ini and the keys the settings bind: what is written reads back the same, a bad line
// is named and costs only its own setting, and a folder that cannot be written costs one line.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "media/game_texts.h"
#include "platform/common/key_map.h"
#include "platform/headless/headless.h"
#include "platform/headless/headless_keys.h"
#include "screens/settings_file.h"

namespace {

namespace fs = std::filesystem;
using platform::Key;

bool Same(const Settings& a, const Settings& b) {
    return a.language == b.language && a.music == b.music && a.effects == b.effects &&
           a.ghost == b.ghost && a.window == b.window;
}

std::string Contents(const fs::path& path) {
    std::ifstream file(path);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

TEST(SettingsText, ReadsBackWhatItWrites) {
    Settings chosen;
    chosen.language = Language::English;
    chosen.music = 3;
    chosen.effects = 0;
    chosen.ghost = false;
    chosen.window = platform::kFullScreen;
    Settings back;
    std::vector<std::string> problems;
    ReadSettingsText(SettingsText(chosen), back, problems);
    EXPECT_TRUE(problems.empty());
    EXPECT_TRUE(Same(back, chosen));

    // A window left as it opens is not written, so it stays what the reader had.
    chosen.window = kWindowAsOpened;
    back.window = 3;
    ReadSettingsText(SettingsText(chosen), back, problems);
    EXPECT_EQ(back.window, 3);
    EXPECT_TRUE(problems.empty());
}

TEST(SettingsText, EachBadLineIsNamedAndKeepsItsDefault) {
    Settings settings;
    std::vector<std::string> problems;
    ReadSettingsText(
        "# mine\n[game]\nmusic 5\nlanguage = fr\n  effects=4 \r\nmusic = 11\nghost = maybe\n"
        "window = 5\nspeed = 2\nwindow = full\n\n; done\nmusic = -1\n",
        settings, problems);
    ASSERT_EQ(problems.size(), 7u);
    EXPECT_EQ(problems[0], "settings.ini:3: expected 'NAME = VALUE', e.g. 'music = 7'");
    EXPECT_EQ(problems[1], "settings.ini:4: language is ja or en, not 'fr'");
    EXPECT_EQ(problems[2], "settings.ini:6: music is a whole number from 0 to 10, not '11'");
    EXPECT_EQ(problems[3], "settings.ini:7: ghost is on or off, not 'maybe'");
    EXPECT_EQ(problems[4], "settings.ini:8: window is 1, 2, 3, 4 or full, not '5'");
    EXPECT_EQ(problems[5],
              "settings.ini:9: 'speed' is not one of language, music, effects, ghost, window");
    EXPECT_EQ(problems[6], "settings.ini:13: music is a whole number from 0 to 10, not '-1'");
    Settings expected;
    expected.effects = 4;
    expected.window = platform::kFullScreen;
    EXPECT_TRUE(Same(settings, expected));
}

// The game's own settings are put back after each test, so no other test sees English.
class SettingsFolderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        headless::Reset();
        before_ = SettingsInForce();
        folder_ = fs::path(::testing::TempDir()) / ("settings-" + std::to_string(getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        headless::SetSettingsDir(folder_.string());
    }
    void TearDown() override {
        PutInForce(before_);
        headless::Reset();
        fs::remove_all(folder_);
    }
    Settings before_;
    fs::path folder_;
};

TEST_F(SettingsFolderTest, SavedSettingsAreInForceAfterTheNextStart) {
    Settings chosen;
    chosen.language = Language::English;
    chosen.music = 6;
    chosen.effects = 2;
    chosen.ghost = false;
    chosen.window = 3;
    PutInForce(chosen);
    ::testing::internal::CaptureStderr();
    SaveSettings(false);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_NE(Contents(folder_ / "settings.ini").find("language = en\n"), std::string::npos);
    EXPECT_FALSE(fs::exists(folder_ / "keys.ini"));

    // Saved again over the old file, then read at a start with other settings in force.
    chosen.music = 7;
    PutInForce(chosen);
    SaveSettings(false);
    PutInForce(Settings());
    LoadSettings();
    EXPECT_TRUE(Same(SettingsInForce(), chosen));
}

TEST_F(SettingsFolderTest, AnUnwritableFolderCostsOneLineAndTheSettingsStillCount) {
    // A folder under a file cannot be written, not even by root.
    std::ofstream(folder_ / "plain");
    headless::SetSettingsDir((folder_ / "plain" / "tidewake").string());
    Settings chosen;
    chosen.music = 4;
    PutInForce(chosen);
    ::testing::internal::CaptureStderr();
    SaveSettings(true);
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_NE(said.find("the settings were not kept"), std::string::npos) << said;
    EXPECT_EQ(SettingsInForce().music, 4);
}

TEST_F(SettingsFolderTest, KeysBoundOnTheScreenAreWrittenToKeysIniAndReadBack) {
    platform::ListenForKey(Key::Up);
    ASSERT_TRUE(headless::SetNamedKey("W", true));
    EXPECT_FALSE(platform::ListeningForKey());
    EXPECT_TRUE(platform::IsKeyDown(Key::Up));
    headless::SetNamedKey("W", false);
    // Left's only key given to Down: Left takes Down's old key, so each keeps one.
    platform::ListenForKey(Key::Down);
    headless::SetNamedKey("Left", true);
    headless::SetNamedKey("Left", false);
    EXPECT_EQ(platform::KeyNames(Key::Down), "Left");
    EXPECT_EQ(platform::KeyNames(Key::Left), "Down");
    // P pauses whatever the settings say: it is not taken, and the wait goes on.
    platform::ListenForKey(Key::Q);
    headless::SetNamedKey("P", true);
    EXPECT_TRUE(platform::ListeningForKey());
    platform::StopListeningForKey();

    std::string error;
    ASSERT_TRUE(platform::SaveKeys(error)) << error;
    headless::Reset();
    EXPECT_EQ(platform::KeyNames(Key::Up), "Up");
    headless::ReadKeysFile(folder_.string() + "/");
    EXPECT_EQ(platform::KeyNames(Key::Up), "W");
    EXPECT_EQ(platform::KeyNames(Key::Down), "Left");
    EXPECT_EQ(platform::KeyNames(Key::Left), "Down");
    EXPECT_EQ(platform::KeyNames(Key::Escape), "Escape");
}

}  // namespace
