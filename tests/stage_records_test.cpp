// Writing the records back into the stage file: the exact bytes, and a file that stays whole
// whatever goes wrong.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "course/stage.h"
#include "platform/platform.h"
#include "testing/stage_folder.h"

namespace {

namespace fs = std::filesystem;
using stage_test::StageText;

class StageRecords : public stage_test::StageFolder {
  protected:
    void TearDown() override {
        platform::SetBeforeRenameHook(nullptr);
        StageFolder::TearDown();
    }
    // Saves and reloads; says what went to standard error.
    std::string SaveAndReload() {
        testing::internal::CaptureStderr();
        SaveStageRecords();
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_TRUE(LoadStage(1));
        return said;
    }
    static unsigned Mode(const fs::path& path) {
        struct stat info;
        EXPECT_EQ(stat(path.c_str(), &info), 0) << path;
        return info.st_mode & 07777;
    }
    static long Files(const fs::path& folder) {
        return std::distance(fs::directory_iterator(folder), fs::directory_iterator());
    }
};

// Everything up to and including the record label line, whatever the label says.
std::string Head(const std::string& text, const std::string& label = "BestLap") {
    return text.substr(0, text.rfind(label + "\n") + label.size() + 1);
}

// The records go as two five-wide lines after the label, over the old bytes: longer old lines
// leave their last bytes, blanks before the first number and CRLF elsewhere stay, and a saved
// file loads back as the same records. The label line may say anything, and a name or text that
// says "BestLap" is no label: the records go where the loader reads them, and nowhere else.
TEST_F(StageRecords, WritesTwoFiveWideLinesOverTheOldOnes) {
    const std::string crlf =
        StageText("Bay", "   9999,9999,9999", "19999,29999,39999", "\r\n") + "trailer\r\n";
    const size_t at = crlf.find("BestLap\r\n") + 12;  // after the label and three blanks
    const std::string crlfLines = " 1234,100000,1234567\n  100,  200,  300\n";
    std::string unlabelled = StageText();
    unlabelled.replace(unlabelled.find("BestLap"), 7, "Records");
    const std::string nines = StageText("Bay", "99999,99999,99999", "99999,99999,99999");
    const std::string longer = StageText("Bay", "999999,999999,999999", "999999,999999,999999");
    const std::string namedLikeTheLabel = StageText("BestLap");
    const std::string lines = " 6000, 6543, 7012\n13000,14000,15000\n";
    struct Case {
        std::string old;
        double records[6];
        std::string saved;
    } cases[] = {
        {nines, {60.00, 65.43, 70.12, 130.00, 140.00, 150.00}, Head(nines) + lines},
        {longer, {60.00, 65.43, 70.12, 130.00, 140.00, 150.00}, Head(longer) + lines + "99999\n"},
        {crlf,
         {12.34, 1000.0, 12345.67, 1.0, 2.0, 3.0},
         crlf.substr(0, at) + crlfLines + crlf.substr(at + crlfLines.size())},
        {unlabelled,
         {60.0, 61.0, 62.0, 200.0, 201.0, 202.0},
         Head(unlabelled, "Records") + " 6000, 6100, 6200\n20000,20100,20200\n"},
        {namedLikeTheLabel,
         {60.0, 61.0, 62.0, 200.0, 201.0, 202.0},
         Head(namedLikeTheLabel) + " 6000, 6100, 6200\n20000,20100,20200\n"},
    };
    for (const Case& c : cases) {
        Write("01.dat", c.old);
        ASSERT_TRUE(LoadStage(1));
        std::copy(c.records, c.records + 3, BestLaps);
        std::copy(c.records + 3, c.records + 6, BestTotals);
        EXPECT_EQ(SaveAndReload(), "");
        EXPECT_EQ(Read("01.dat"), c.saved);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(BestLaps[i], std::round(c.records[i] * 100) * 0.01) << c.saved;
            EXPECT_EQ(BestTotals[i], std::round(c.records[i + 3] * 100) * 0.01) << c.saved;
        }
    }
    // Saved twice, the scan starts after the blank in front of " 6000", which therefore stays.
    Write("01.dat", nines);
    ASSERT_TRUE(LoadStage(1));
    BestLaps[0] = 60.0, BestLaps[1] = 65.43, BestLaps[2] = 70.12;
    SaveAndReload();
    SaveAndReload();
    EXPECT_EQ(Read("01.dat"), Head(nines) + "  6000, 6543, 7012\n99999,99999,99999\n");
    EXPECT_EQ(BestLaps[0], 60.0);
}

// In a file with English lines the two record lines are replaced whole: records longer or shorter
// than the old lines leave every line after them byte for byte, and no leftover of the old ones.
TEST_F(StageRecords, EnglishLinesAfterTheRecordsStayByteForByte) {
    const std::string english = "notes\r\nen-name:Bay_Cove \r\n  en-info2:Two";
    const std::string longer = StageText("Bay", "999999,999999,999999", "999999,999999,999999");
    for (const std::string& old : {StageText("Bay", "1,2,3", "4,5,6"), longer}) {
        Write("01.dat", old + english);
        ASSERT_TRUE(LoadStage(1));
        BestLaps[0] = 1000.0;  // six digits
        EXPECT_EQ(SaveAndReload(), "");
        const std::string lap = old == longer ? "100000,999999,999999\n" : "100000,    2,    3\n";
        const std::string totals = old == longer ? "999999,999999,999999\n" : "    4,    5,    6\n";
        EXPECT_EQ(Read("01.dat"), Head(old) + lap + totals + english);
        EXPECT_STREQ(StageNameEn, "Bay Cove");
        EXPECT_STREQ(StageInfo2En, "Two");
    }
}

// Every way the write can fail leaves the old file as it was, the records in memory, no
// temporary file behind, and says so in one line.
TEST_F(StageRecords, AFailedWriteLeavesTheOldFileWhole) {
    const std::string old = StageText();
    Write("01.dat", old);
    ASSERT_TRUE(LoadStage(1));
    BestLaps[0] = 1.0;
    platform::SetBeforeRenameHook([](const char*) { return false; });  // a crash before rename
    for (int round = 0; round < 2; ++round) {
        testing::internal::CaptureStderr();
        SaveStageRecords();
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
        if (round == 0) {
            EXPECT_NE(said.find("./stage/01.dat"), std::string::npos) << said;
            EXPECT_EQ(Read("01.dat"), old);
        }
        platform::SetBeforeRenameHook(nullptr);
        fs::remove(Stage("01.dat"));  // then the file is gone from under the game
    }
    EXPECT_FALSE(fs::exists(Stage("01.dat")));
    EXPECT_EQ(BestLaps[0], 1.0);
    EXPECT_FALSE(QuitPosted);
    EXPECT_TRUE(fs::is_empty(root_ / "stage"));
}

// A stage file changed since it was loaded into something the loader would refuse is no place
// to guess where the records go: it stays as it is, and the player is told where it went wrong.
TEST_F(StageRecords, AFileThatNoLongerReadsAsAStageIsLeftAlone) {
    Write("01.dat", StageText());
    ASSERT_TRUE(LoadStage(1));
    const std::string cut = StageText().substr(0, 120);
    Write("01.dat", cut);
    BestLaps[0] = 1.0;
    testing::internal::CaptureStderr();
    SaveStageRecords();
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(Read("01.dat"), cut);
    EXPECT_NE(said.find("./stage/01.dat:14: the file ends before"), std::string::npos) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
}

// A read-only stage keeps its records from its player; the administrator, whom the system lets
// update any file, gets them written as anyone would. Either way the mode stays.
TEST_F(StageRecords, AReadOnlyFileIsWrittenOnlyWhereTheSystemAllows) {
    const std::string old = StageText();
    Write("01.dat", old);
    chmod(Stage("01.dat").c_str(), 0444);
    ASSERT_TRUE(LoadStage(1));
    BestLaps[0] = 1.0;
    const std::string said = SaveAndReload();
    if (geteuid() == 0) {
        EXPECT_NE(Read("01.dat"), old);
        EXPECT_EQ(said, "");
    } else {
        EXPECT_EQ(Read("01.dat"), old);
        EXPECT_NE(said.find("./stage/01.dat"), std::string::npos) << said;
    }
    EXPECT_EQ(Mode(Stage("01.dat")), 0444u);
}

// A stage that is a symbolic link (to a course kept elsewhere) is saved through the link: the
// link stays, the file it points at gets the records and keeps its mode, and no temporary file
// is left on either side. A plain file keeps its mode too.
TEST_F(StageRecords, ALinkedOrPlainFileKeepsItsModeAndNoTemporaryFile) {
    const std::string old = StageText();
    fs::create_directory(root_ / "courses");
    const auto target = root_ / "courses" / "bay.dat";
    stage_test::WriteBytes(target, old);
    chmod(target.c_str(), 0640);
    fs::create_symlink("../courses/bay.dat", Stage("01.dat"));
    ASSERT_TRUE(LoadStage(1));
    BestLaps[0] = 12.34;
    SaveStageRecords();
    EXPECT_EQ(fs::read_symlink(Stage("01.dat")), "../courses/bay.dat");
    EXPECT_EQ(stage_test::ReadBytes(target), Head(old) + " 1234, 7012, 9999\n13000,14000,15000\n");
    EXPECT_EQ(Mode(target), 0640u);
    EXPECT_EQ(Files(root_ / "stage") + Files(root_ / "courses"), 2);

    fs::remove(Stage("01.dat"));
    Write("01.dat", old);
    chmod(Stage("01.dat").c_str(), 0640);
    ASSERT_TRUE(LoadStage(1));
    SaveStageRecords();
    EXPECT_EQ(Mode(Stage("01.dat")), 0640u);
    EXPECT_EQ(Files(root_ / "stage"), 1);
}

}  // namespace
