// Where the programs find their sounds, tunes and shipped courses: beside the executable in the
// build tree, in share/tidewake/ beside bin/ for an install into a prefix, and in
// share/games/tidewake/ beside games/ for the Debian package.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "base/program_dir.h"
#include "platform/headless/executable_folder.h"
#include "platform/headless/headless.h"

namespace {

namespace fs = std::filesystem;

// A prefix of its own for each test, with the executable's folder at PREFIX/bin or games.
class MediaFolder : public testing::Test {
  protected:
    void SetUp() override {
        prefix_ =
            fs::path(testing::TempDir()) /
            ("media_" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(prefix_);
        fs::create_directories(prefix_);
        headless::Reset();
    }
    void TearDown() override {
        headless::SetExecutableDir(TIDEWAKE_BINARY_DIR);
        GetProgramDir();  // not left pointing at the removed folder
        fs::remove_all(prefix_);
    }
    // Puts the first sound the game loads into `folder` under the prefix.
    void HoldMedia(const std::string& folder) {
        fs::create_directories(prefix_ / folder);
        std::ofstream(prefix_ / folder / "SE01.WAV") << "RIFF";
    }
    // ProgramDir as the program in `folder` under the prefix finds it, made canonical.
    std::string FoundFrom(const std::string& folder) {
        fs::create_directories(prefix_ / folder);
        headless::SetExecutableDir((prefix_ / folder).string() + "/");
        const std::string found = GetProgramDir();
        return found.empty() ? "" : fs::weakly_canonical(found).string();
    }
    std::string Under(const std::string& folder) {
        return fs::weakly_canonical(prefix_ / folder).string();
    }

    fs::path prefix_;
};

TEST_F(MediaFolder, TheExecutablesOwnFolderWinsWhenItHoldsTheMedia) {
    HoldMedia("bin");
    HoldMedia("share/tidewake");
    HoldMedia("share/games/tidewake");
    EXPECT_EQ(FoundFrom("bin"), Under("bin"));
}

TEST_F(MediaFolder, AnInstallIntoAPrefixFindsShareTidewakeBesideBin) {
    HoldMedia("share/tidewake");
    EXPECT_EQ(FoundFrom("bin"), Under("share/tidewake"));
}

TEST_F(MediaFolder, TheDebianPackageFindsShareGamesTidewakeBesideGames) {
    HoldMedia("share/games/tidewake");
    EXPECT_EQ(FoundFrom("games"), Under("share/games/tidewake"));
}

TEST_F(MediaFolder, AFolderWithoutTheMediaIsPassedOver) {
    fs::create_directories(prefix_ / "share/tidewake/stage");  // courses but no sounds
    HoldMedia("share/games/tidewake");
    EXPECT_EQ(FoundFrom("games"), Under("share/games/tidewake"));
}

TEST_F(MediaFolder, WithNoMediaAnywhereTheOwnFolderStays) {
    EXPECT_EQ(FoundFrom("games"), Under("games"));
}

TEST(ExecutableFolder, APathNamesItsOwnFolder) {
    EXPECT_EQ(headless::ExecutableFolder("/usr/games/tidewake-headless"), "/usr/games/");
    EXPECT_EQ(headless::ExecutableFolder("build/tidewake-stage"), "build/");
    EXPECT_EQ(headless::ExecutableFolder("./tidewake-headless"), "./");
}

// Started through PATH the name says nothing of the folder: the running executable is asked,
// which for this test is the test program in the build folder.
TEST(ExecutableFolder, ABareNameFoundThroughPathIsTheRunningProgramsFolder) {
    const std::string folder = headless::ExecutableFolder("tidewake-headless");
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '/');
    EXPECT_EQ(fs::canonical(folder), fs::canonical(TIDEWAKE_BINARY_DIR));
}

}  // namespace
