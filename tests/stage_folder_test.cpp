// Where the courses come from: ./stage when the current folder has one, else the player's own
// copies, made from the shipped courses.
#include <gtest/gtest.h>

#include "base/program_dir.h"
#include "course/stage.h"
#include "tests/stage_folder.h"

namespace {

namespace fs = std::filesystem;
using stage_test::StageText;

class CourseFolder : public stage_test::StageFolder {
  protected:
    void SetUp() override {
        StageFolder::SetUp();
        fs::remove(root_ / "stage");
        fs::create_directories(root_ / "game" / "stage");
        stage_test::WriteBytes(root_ / "game" / "stage" / "01.dat", StageText("Shipped"));
        stage_test::WriteBytes(root_ / "game" / "SE01.WAV", "");
        headless::SetExecutableDir((root_ / "game").string() + "/");
        GetProgramDir();
        headless::SetUserDataDir((root_ / "data").string());
    }
    void TearDown() override {
        headless::SetExecutableDir(TIDEWAKE_BINARY_DIR);
        StageFolder::TearDown();
    }
};

TEST_F(CourseFolder, WithoutALocalStageFolderThePlayerGetsCopiesOfTheShippedCourses) {
    CountStages();
    const fs::path own = root_ / "data" / "stage";
    EXPECT_EQ(std::string(::StageFolder), own.string() + "/");
    ASSERT_TRUE(LoadStage(1));
    EXPECT_STREQ(StageName, "Shipped");
    EXPECT_EQ(std::string(StagePath), (own / "01.dat").string());

    // Records go into the player's copy; the shipped course stays as it came.
    BestLaps[0] = 12.34;
    SaveStageRecords();
    EXPECT_NE(stage_test::ReadBytes(own / "01.dat").find(" 1234,"), std::string::npos);
    EXPECT_EQ(stage_test::ReadBytes(root_ / "game" / "stage" / "01.dat"), StageText("Shipped"));

    // A second start keeps the player's copies as they are.
    CountStages();
    ASSERT_TRUE(LoadStage(1));
    EXPECT_DOUBLE_EQ(BestLaps[0], 12.34);
}

TEST_F(CourseFolder, ALocalStageFolderWinsEvenWhenEmptyAndNoCourseAnywhereSaysWhere) {
    fs::create_directory(root_ / "stage");
    CountStages();
    EXPECT_STREQ(::StageFolder, "./stage/");

    fs::remove(root_ / "stage");
    fs::remove(root_ / "game" / "stage" / "01.dat");
    testing::internal::CaptureStderr();
    CountStages();
    EXPECT_FALSE(LoadStage(1));
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("./stage/ and " + (root_ / "data" / "stage").string()), std::string::npos)
        << said;
}

}  // namespace
