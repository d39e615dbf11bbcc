// Where the courses come from, counting and loading stage files, and how the reader treats files
// that are not well formed.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>

#include "base/app_state.h"
#include "base/program_dir.h"
#include "course/stage.h"
#include "course/stage_file.h"
#include "platform/headless/headless.h"
#include "testing/stage_folder.h"

namespace {

namespace fs = std::filesystem;
using stage_test::StageFolder;
using stage_test::StageText;

using StageLoad = StageFolder;

TEST_F(StageLoad, ReadsBothVersionsIntoTheCourseGlobals) {
    std::string v1 = StageText("Plain");
    v1.replace(0, v1.find("Info2\n") + 6, "format:tidewake1\nPlain\n");
    Write("02.dat", v1);
    std::string odd = StageText("Odd");  // an unknown format word reads on as version 1
    odd.replace(0, odd.find("Info1\nInfo2\n") + 12, "format:tidewake2\nOdd\n");
    Write("03.dat", odd);

    // A Shift-JIS name; the second time with CRLF. Blanks may stand before record numbers.
    for (const char* eol : {"\n", "\r\n"}) {
        Write("01.dat", StageText("\x83X\x83^\x81[\x83g", "  6543,  7012, 9999",
                                  " 13000,14000,   15000", eol));
        ASSERT_TRUE(LoadStage(1));
        EXPECT_STREQ(StagePath, "./stage/01.dat");
        EXPECT_STREQ(StageName, "\x83X\x83^\x81[\x83g");
        EXPECT_STREQ(StageInfo1, "Info1");
        EXPECT_EQ(std::tuple(StageNameLen, StageInfo2Len, OpponentPace), std::tuple(8, 5, 12));
        EXPECT_EQ(std::tuple(CheckpointX[0], CheckpointY[5], JumpRampX, BoostPadY),
                  std::tuple(9000, 12000, 4325, 4460));
        EXPECT_EQ(std::tuple(CameraStandZ[3], CameraStandZ[5]), std::tuple(901.0, -5.0));
        EXPECT_EQ(BestLaps[0], 6543 * 0.01);
        EXPECT_EQ(BestLaps[1], 7012 * 0.01);
        EXPECT_EQ(BestTotals[2], 150.0);
    }
    ASSERT_TRUE(LoadStage(2));
    EXPECT_STREQ(StageName, "Plain");
    EXPECT_EQ(std::string(StageInfo1) + StageInfo2, "");
    EXPECT_EQ(StageInfo1Len, 0);
    ASSERT_TRUE(LoadStage(1));
    ASSERT_TRUE(LoadStage(3));
    EXPECT_STREQ(StageName, "Odd");
    EXPECT_STREQ(StageInfo1, "Info1");  // the texts of the stage before stay
    EXPECT_EQ(std::tuple(StageInfo1Len, CheckpointX[1]), std::tuple(5, 18000));
}

TEST_F(StageLoad, NumbersStagesInNameOrderAndStopsAtTheLast) {
    Write("b.DAT", StageText("B"));
    Write("c.dat", StageText("C"));
    Write("A.dat", StageText("A"));
    Write("notes.txt", StageText("not a stage"));
    Write("d.data", StageText("not a stage either"));
    std::filesystem::create_directory(Stage("e.dat"));  // a folder is not a stage

    CountStages();
    EXPECT_EQ(StageCount, 3);
    const std::pair<int, const char*> expected[] = {{1, "A"},  {2, "B"}, {3, "C"}, {4, "C"},
                                                    {99, "C"}, {0, "B"}, {-7, "B"}};
    for (const auto& [number, name] : expected) {
        ASSERT_TRUE(LoadStage(number)) << number;
        EXPECT_STREQ(StageName, name) << number;
    }
    EXPECT_STREQ(StagePath, "./stage/b.DAT");
}

TEST_F(StageLoad, NoStageFileShowsTheMessageAndEndsTheGameWithAFailure) {
    CountStages();
    EXPECT_EQ(StageCount, 1);
    EXPECT_FALSE(LoadStage(1));
    ASSERT_EQ(headless::ErrorBoxes().size(), 1u);
    EXPECT_EQ(headless::ErrorBoxes()[0].rfind("Error: ステージ読込みエラーです\n\n", 0), 0u);
    EXPECT_NE(headless::ErrorBoxes()[0].find("(01.datなど)"), std::string::npos);
    EXPECT_TRUE(QuitPosted);
    EXPECT_NE(ExitStatus, 0);

    std::filesystem::remove(root_ / "stage");
    CountStages();
    EXPECT_EQ(StageCount, 1);
}

TEST_F(StageLoad, AMalformedFileNamesFileAndLineAndLeavesTheStageAlone) {
    Write("01.dat", StageText("Good"));
    ASSERT_TRUE(LoadStage(1));
    std::string bad = StageText("Bad");
    bad.replace(bad.find("18000,3500"), 10, "18000;3500");
    Write("02.dat", bad);

    EXPECT_FALSE(LoadStage(2));
    ASSERT_EQ(headless::ErrorBoxes().size(), 1u);
    EXPECT_EQ(headless::ErrorBoxes()[0],
              "Error: ステージ読込みエラーです\n\n./stage/02.dat:8: the checkpoint 2 needs 2 "
              "numbers separated by commas");
    EXPECT_NE(ExitStatus, 0);
    EXPECT_STREQ(StageName, "Good");
    EXPECT_STREQ(StagePath, "./stage/01.dat");
    EXPECT_EQ(CheckpointY[1], 3500);
}

std::string Replaced(const std::string& what, const std::string& with) {
    std::string text = StageText();
    text.replace(text.find(what), what.size(), with);
    return text;
}

// Each failure names its line and what is wrong there.
TEST(StageReader, RejectsEveryFieldItCannotReadWhole) {
    const std::string whole = StageText();
    const struct {
        std::string text;
        int line;
        const char* words;
    } cases[] = {
        {"", 1, "ends before the format word"},
        {Replaced("Bay", std::string(108, 'N')), 2, "108 bytes long; at most 107"},
        {Replaced("Info1", std::string(256, 'I')), 3, "at most 255"},
        {Replaced("format:tidewake1.5", "f" + std::string(256, 'x')), 1, "at most 255"},
        {Replaced("12\n", "fast\n"), 5, "opponent pace is not a number"},
        {Replaced("12\n", "-\n"), 5, "opponent pace is not a number"},
        {Replaced("9000,2000", "9000"), 7, "checkpoint 1 needs 2 numbers"},
        {Replaced("9000,2000", "9000,"), 7, "checkpoint 1 needs 2 numbers"},
        {Replaced("9000,2000", "9000,x"), 7, "checkpoint 1 is not a number"},
        {Replaced("9000,2000", "9000,2000x"), 7, "unexpected text after the checkpoint 1"},
        {Replaced("6204,2516,900", "6204,2516,2147483648"), 14, "too large"},
        {Replaced("4325,10500", "-99999999999,1"), 21, "too large"},
        {Replaced("Bay", std::string("B\0y", 3)), 2, "zero byte"},
        {whole.substr(0, whole.find("18420")), 22, "ends before the speed pad"},
        {whole.substr(0, whole.size() - 7), 25, "ends before the best totals is complete"},
    };
    for (const auto& c : cases) {
        StageFile stage;
        StageFileError error;
        EXPECT_FALSE(ParseStageFile(c.text.data(), c.text.size(), stage, error)) << c.words;
        EXPECT_EQ(error.line, c.line) << error.message;
        EXPECT_NE(std::strstr(error.message, c.words), nullptr) << error.message;
    }
}

TEST(StageReader, AcceptsTheLimitsOfEveryField) {
    std::string text = Replaced("Bay", std::string(107, 'N'));
    text.replace(text.find("Info2"), 5, std::string(255, 'I'));
    text.replace(text.find("4325,10500"), 10, "-2147483648,+2147483647");
    StageFile stage;
    StageFileError error;
    ASSERT_TRUE(ParseStageFile(text.data(), text.size(), stage, error)) << error.message;
    EXPECT_EQ(std::strlen(stage.name), 107u);
    EXPECT_EQ(std::strlen(stage.info2), 255u);
    EXPECT_EQ(stage.rampX, INT32_MIN);
    EXPECT_EQ(stage.rampY, INT32_MAX);
    // Nothing after the best totals is read, however it looks.
    text += "leftover, 99\n";
    EXPECT_TRUE(ParseStageFile(text.data(), text.size(), stage, error)) << error.message;
}

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
        GetProgramDir();
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
