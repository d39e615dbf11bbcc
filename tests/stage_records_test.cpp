// Writing the records back into the stage file: the exact bytes, and a file that stays whole
// whatever goes wrong.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "course/stage.h"
#include "platform/platform.h"
#include "tests/stage_folder.h"

namespace {

using stage_test::StageFolder;
using stage_test::StageText;

class StageRecords : public StageFolder {
  protected:
    // Loads `bytes` as the only stage, then saves the given records into it.
    std::string SaveInto(const std::string& bytes, double l0, double l1, double l2, double t0,
                         double t1, double t2) {
        Write("01.dat", bytes);
        EXPECT_TRUE(LoadStage(1));
        BestLaps[0] = l0, BestLaps[1] = l1, BestLaps[2] = l2;
        BestTotals[0] = t0, BestTotals[1] = t1, BestTotals[2] = t2;
        SaveStageRecords();
        return Read("01.dat");
    }
    void TearDown() override {
        platform::SetBeforeRenameHook(nullptr);
        StageFolder::TearDown();
    }
};

std::string Head(const std::string& text) {
    return text.substr(0, text.find("BestLap\n") + 8);
}

TEST_F(StageRecords, WritesTwoFiveWideLinesAfterTheLabel) {
    const std::string old = StageText("Bay", "99999,99999,99999", "99999,99999,99999");
    const std::string saved = SaveInto(old, 60.00, 65.43, 70.12, 130.00, 140.00, 150.00);
    EXPECT_EQ(saved, Head(old) + " 6000, 6543, 7012\n13000,14000,15000\n");

    // What was written loads back as the same records.
    ASSERT_TRUE(LoadStage(1));
    EXPECT_EQ(BestLaps[1], 6543 * 0.01);
    EXPECT_EQ(BestLaps[2], 7012 * 0.01);
    EXPECT_EQ(BestTotals[0], 130.0);
    // Saved again, the scan starts after the blank in front of " 6000", which therefore stays.
    SaveStageRecords();
    EXPECT_EQ(Read("01.dat"), Head(old) + "  6000, 6543, 7012\n13000,14000,15000\n");
    ASSERT_TRUE(LoadStage(1));
    EXPECT_EQ(BestLaps[0], 60.0);
    EXPECT_EQ(BestTotals[2], 150.0);
}

TEST_F(StageRecords, KeepsLeftoverBytesOfLongerOldLines) {
    const std::string old = StageText("Bay", "999999,999999,999999", "999999,999999,999999");
    const std::string saved = SaveInto(old, 60.00, 65.43, 70.12, 130.00, 140.00, 150.00);
    // 36 new bytes over 42 old ones: the last six old bytes stay.
    EXPECT_EQ(saved, Head(old) + " 6000, 6543, 7012\n13000,14000,15000\n99999\n");
    ASSERT_TRUE(LoadStage(1));
    EXPECT_EQ(BestTotals[2], 150.0);
}

TEST_F(StageRecords, KeepsBlanksBeforeTheFirstLineAndCrLfElsewhere) {
    const std::string old =
        StageText("Bay", "   9999,9999,9999", "19999,29999,39999", "\r\n") + "trailer\r\n";
    const std::string saved = SaveInto(old, 12.34, 1000.0, 12345.67, 1.0, 2.0, 3.0);
    const size_t at = old.find("BestLap\r\n") + 12;  // after the label and three blanks
    const std::string lines = " 1234,100000,1234567\n  100,  200,  300\n";
    EXPECT_EQ(saved, old.substr(0, at) + lines + old.substr(at + lines.size()));
    ASSERT_TRUE(LoadStage(1));
    EXPECT_EQ(BestLaps[1], 1000.0);
    EXPECT_EQ(BestLaps[2], 1234567 * 0.01);
}

TEST_F(StageRecords, AppendsWhenThereIsNoLabel) {
    std::string old = StageText();
    old.replace(old.find("BestLap"), 7, "Records");
    const std::string saved = SaveInto(old, 60.0, 61.0, 62.0, 200.0, 201.0, 202.0);
    EXPECT_EQ(saved, old + " 6000, 6100, 6200\n20000,20100,20200\n");
    ASSERT_TRUE(LoadStage(1));
    EXPECT_EQ(BestLaps[0], 6543 * 0.01);  // the records are read at their place, as before
}

// Every way the write can fail leaves the old file as it was, the records in memory, and says
// so in one line.
TEST_F(StageRecords, AFailedWriteLeavesTheOldFileWhole) {
    const std::string old = StageText();
    Write("01.dat", old);
    ASSERT_TRUE(LoadStage(1));
    BestLaps[0] = 1.0;

    platform::SetBeforeRenameHook([](const char*) { return false; });  // a crash before rename
    testing::internal::CaptureStderr();
    SaveStageRecords();
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(Read("01.dat"), old);
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_NE(said.find("./stage/01.dat"), std::string::npos) << said;
    platform::SetBeforeRenameHook(nullptr);

    std::filesystem::remove(Stage("01.dat"));
    testing::internal::CaptureStderr();
    SaveStageRecords();
    said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_FALSE(std::filesystem::exists(Stage("01.dat")));

    EXPECT_EQ(BestLaps[0], 1.0);
    EXPECT_FALSE(QuitPosted);
    // No temporary file is left behind.
    EXPECT_TRUE(std::filesystem::is_empty(root_ / "stage"));
}

// A read-only stage keeps its records from its player; the administrator, whom the system lets
// update any file, gets them written as anyone would.
TEST_F(StageRecords, AReadOnlyFileIsWrittenOnlyWhereTheSystemAllows) {
    const std::string old = StageText();
    Write("01.dat", old);
    chmod(Stage("01.dat").c_str(), 0444);
    ASSERT_TRUE(LoadStage(1));
    BestLaps[0] = 1.0;
    testing::internal::CaptureStderr();
    SaveStageRecords();
    const std::string said = testing::internal::GetCapturedStderr();
    if (geteuid() == 0) {
        EXPECT_NE(Read("01.dat"), old);
        EXPECT_EQ(said, "");
        struct stat info;
        ASSERT_EQ(stat(Stage("01.dat").c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, 0444u);
    } else {
        EXPECT_EQ(Read("01.dat"), old);
        EXPECT_NE(said.find("./stage/01.dat"), std::string::npos) << said;
    }
}

TEST_F(StageRecords, TheReplacedFileKeepsItsPermissions) {
    Write("01.dat", StageText());
    chmod(Stage("01.dat").c_str(), 0640);
    ASSERT_TRUE(LoadStage(1));
    SaveStageRecords();
    struct stat info;
    ASSERT_EQ(stat(Stage("01.dat").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(root_ / "stage"),
                            std::filesystem::directory_iterator()),
              1);
}

}  // namespace
