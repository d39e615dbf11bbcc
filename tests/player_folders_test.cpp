// Where the player's own files go: the desktop's XDG folders, with values the standard says to
// ignore (empty or relative) treated as unset rather than as the file system's root.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <map>
#include <optional>
#include <string>

#include "platform/common/player_folders.h"

namespace {

namespace fs = std::filesystem;

// Sets environment variables for one test and puts the old values back after it.
class PlayerFolders : public ::testing::Test {
  protected:
    void SetUp() override {
        home_ = fs::temp_directory_path() / ("tw-folders-" + std::to_string(getpid()));
        fs::remove_all(home_);
        fs::create_directories(home_);
        Set("HOME", home_.string());
    }
    void TearDown() override {
        for (const auto& [name, value] : saved_) {
            if (value)
                setenv(name.c_str(), value->c_str(), 1);
            else
                unsetenv(name.c_str());
        }
        fs::remove_all(home_);
    }
    void Set(const std::string& name, const std::string& value) {
        if (!saved_.count(name)) {
            const char* old = std::getenv(name.c_str());
            saved_[name] = old ? std::optional<std::string>(old) : std::nullopt;
        }
        setenv(name.c_str(), value.c_str(), 1);
    }

    fs::path home_;
    std::map<std::string, std::optional<std::string>> saved_;
};

TEST_F(PlayerFolders, DataFolderFollowsXdgDataHomeAndIsMade) {
    Set("XDG_DATA_HOME", (home_ / "data" / "deep").string());
    const std::string folder = platform::PlayerDataFolder();
    EXPECT_EQ(folder, (home_ / "data" / "deep" / "tidewake").string() + "/");
    EXPECT_TRUE(fs::is_directory(folder));
}

TEST_F(PlayerFolders, EmptyOrRelativeXdgValuesFallBackToHome) {
    for (const char* ignored : {"", "relative/data"}) {
        Set("XDG_DATA_HOME", ignored);
        Set("XDG_CONFIG_HOME", ignored);
        EXPECT_EQ(platform::PlayerDataFolder(),
                  (home_ / ".local" / "share" / "tidewake").string() + "/")
            << "XDG_DATA_HOME='" << ignored << "'";
        EXPECT_EQ(platform::PlayerConfigFolder(), (home_ / ".config" / "tidewake").string() + "/");
    }
    EXPECT_FALSE(fs::exists("relative"));
}

TEST_F(PlayerFolders, NoFolderWithoutHomeOrXdg) {
    Set("XDG_DATA_HOME", "");
    unsetenv("XDG_DATA_HOME");
    Set("XDG_CONFIG_HOME", "");
    Set("HOME", "");
    EXPECT_EQ(platform::PlayerDataFolder(), "");
    EXPECT_EQ(platform::PlayerConfigFolder(), "");
}

}  // namespace
