// Replay files: their text, every finished race kept in the player's folder, and a race driven
// through the runner played back from its file.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "base/app_state.h"
#include "course/stage.h"
#include "platform/headless/headless.h"
#include "race/race_state.h"
#include "race/replay.h"
#include "race/replay_file.h"
#include "race/replay_save.h"
#include "race/replay_state.h"
#include "shell/main_loop.h"
#include "testing/stage_folder.h"

namespace {

namespace fs = std::filesystem;
using stage_test::ReadBytes;
using stage_test::StageFolder;
using stage_test::WriteBytes;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
}

// A short race: straight on, a left turn of three frames, a long right one.
const std::string& SampleText() {
    static const std::string text = [] {
        static ReplayFile replay;
        std::snprintf(replay.course, sizeof replay.course, "01.dat");
        replay.checksum = 0x0123456789abcdefull;
        replay.pace = -12;
        replay.frames = 40;
        for (int32_t frame = 6; frame < 9; ++frame) replay.steering[frame] = kSteerLeft;
        for (int32_t frame = 20; frame <= 40; ++frame) replay.steering[frame] = kSteerRight;
        return FormatReplayFile(replay);
    }();
    return text;
}

TEST(ReplayText, ReadsBackWhatItWrites) {
    EXPECT_EQ(SampleText(),
              "tidewake-replay 1\ncourse 01.dat\nchecksum 0123456789abcdef\npace -12\n"
              "frames 40\nN5 L3 N11 R21\nend\n");
    static ReplayFile replay;
    ReplayFileError error;
    const std::string crlf = std::regex_replace(SampleText(), std::regex("\n"), "\r\n");
    ASSERT_TRUE(ParseReplayFile(crlf.data(), crlf.size(), replay, error)) << error.message;
    EXPECT_STREQ(replay.course, "01.dat");
    EXPECT_EQ(replay.checksum, 0x0123456789abcdefull);
    EXPECT_EQ(replay.pace, -12);
    EXPECT_EQ(replay.frames, 40);
    EXPECT_EQ(FormatReplayFile(replay), SampleText());
    EXPECT_EQ(replay.steering[0], 0);
    EXPECT_EQ(replay.steering[41], 0);
}

TEST(ReplayText, RefusesWhatIsNotAWholeReplayNamingTheLine) {
    struct Case {
        int line;  // 1-based line to replace, 0 to use `text` as the whole file
        std::string text;
        int errorLine;
        std::string message;
    };
    const Case cases[] = {
        {0, "", 1, "not a replay file"},
        {1, "format:tidewake1.5", 1, "not a replay file: it starts with 'format:tidewake1.5'"},
        {1, "tidewake-replay 2", 1, "replay version '2' is not known"},
        {2, "course ../01.dat", 2, "is not a course file name"},
        {2, "stage 01.dat", 2, "expected 'course FILE'"},
        {3, "checksum 12345", 3, "16 hexadecimal digits"},
        {4, "pace ten", 4, "'ten' is not a pace"},
        {5, "frames 5991", 5, "1 to 5990 frames"},
        {6, "N5 L3 N11 Q21", 6, "unknown steering 'Q21'"},
        {6, "N5 L3 N11 R", 6, "'R' is not a run"},
        {6, "N5 L3 N11 R22", 6, "runs past the race's 40 frames"},
        {6, "N5 L3 N11 R20", 7, "cut short: 39 of 40 frames"},
        {7, "", 7, "cut short: 40 of 40 frames, and no 'end'"},
        {0, SampleText() + "N1\n", 8, "nothing may follow 'end'"},
        {0, SampleText().substr(0, 60) + '\0', 4, "zero byte"},
        {0, SampleText() + std::string(kReplayFileLimit, '\n'), 1, "larger than a replay"},
    };
    for (const Case& c : cases) {
        std::string text = c.text;
        if (c.line > 0) {
            std::vector<std::string> lines = Lines(SampleText());
            lines[c.line - 1] = c.text;
            if (c.text.empty()) lines.pop_back();
            text = Joined(lines);
        }
        static ReplayFile replay;
        ReplayFileError error;
        EXPECT_FALSE(ParseReplayFile(text.data(), text.size(), replay, error)) << c.message;
        EXPECT_EQ(error.line, c.errorLine) << c.message;
        EXPECT_NE(std::string(error.message).find(c.message), std::string::npos) << error.message;
    }
}

// The player's data folder in the stage folder, and a race of 100 frames on course 01.
class KeptReplays : public StageFolder {
  protected:
    void SetUp() override {
        StageFolder::SetUp();
        Write("01.dat", stage_test::StageText());
        ASSERT_TRUE(LoadStage(1));
        RaceFrame = 100;
        headless::SetUserDataDir((root_ / "data").string());
        fs::create_directory(root_ / "data");
    }
};

// What a kept replay holds is checked where the runner plays one back.
TEST_F(KeptReplays, EachFinishedRaceIsKeptUnderItsCourseAndTimeAndNoneReplacesAnother) {
    SaveRaceReplay();
    SaveRaceReplay();
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(root_ / "data/replays")) {
        names.push_back(entry.path().filename().string());
        EXPECT_EQ(ReadBytes(entry.path()).rfind("tidewake-replay 1\ncourse 01.dat\n", 0), 0u);
    }
    ASSERT_EQ(names.size(), 2u);
    // Two races in one second: the second name carries "-2".
    for (const std::string& name : names) {
        EXPECT_TRUE(std::regex_match(name, std::regex(R"(01-\d{8}-\d{6}(-2)?\.twr)"))) << name;
    }
}

TEST_F(KeptReplays, NoFolderMeansNoReplayAndABadOneIsOneLineOnStderr) {
    headless::SetUserDataDir("");
    testing::internal::CaptureStderr();
    SaveRaceReplay();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");

    headless::SetUserDataDir((root_ / "data").string());
    WriteBytes(root_ / "data/replays", "not a folder");
    testing::internal::CaptureStderr();
    SaveRaceReplay();
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(said.rfind("tidewake: replay not saved: ", 0), 0u) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1);
    EXPECT_EQ(ReadBytes(root_ / "data/replays"), "not a folder");
}

// Our courses in the working folder, and the runner run there with its own data folder.
class ReplayRun : public StageFolder {
  protected:
    void SetUp() override {
        StageFolder::SetUp();
        for (const char* name : {"01.dat", "02.dat", "03.dat", "04.dat"}) {
            Write(name, ReadBytes(fs::path(TIDEWAKE_SOURCE_DIR) / "stage" / name));
        }
    }
    int Run(const std::string& args) {
        const std::string command =
            "cd '" + root_.string() + "' && XDG_DATA_HOME='" + (root_ / "data").string() +
            "' '" TIDEWAKE_BINARY_DIR "/tidewake-headless' --no-draw " + args + " 2> stderr.txt";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string Said() const { return ReadBytes(root_ / "stderr.txt"); }

    // The rows of the first stretch of race frames, without the columns a replay shows
    // differently: the frame number, the replay mode, and the records the live finish rewrote.
    std::vector<std::string> FirstRace(const std::string& trace) const {
        std::vector<std::string> rows;
        for (const std::string& line : Lines(trace)) {
            std::vector<std::string> cells;
            std::istringstream in(line);
            for (std::string cell; std::getline(in, cell, ',');) cells.push_back(cell);
            if (cells.size() < 34 || cells[1] != "3") {
                if (!rows.empty()) break;
                continue;
            }
            std::string kept;
            for (size_t k = 1; k < cells.size(); ++k) {
                if (k != 3 && (k < 28 || k > 33)) kept += cells[k] + ",";
            }
            rows.push_back(kept);
        }
        return rows;
    }
};

TEST_F(ReplayRun, AFinishedRacePlaysBackFromItsFileAsItWasDriven) {
    const std::string course = Read("01.dat");
    // The live race, kept twice: where asked, and in the player's folder.
    ASSERT_EQ(Run("--keys '" TIDEWAKE_SOURCE_DIR "/tests/fixtures/finish_01.keys' --frames 2680 "
                  "--trace live.csv --save-replay r.twr"),
              0)
        << Said();
    const std::string replayText = ReadBytes(root_ / "r.twr");
    ASSERT_EQ(replayText.rfind("tidewake-replay 1\ncourse 01.dat\n", 0), 0u) << replayText;
    std::vector<fs::path> kept;
    for (const auto& entry : fs::directory_iterator(root_ / "data/tidewake/replays")) {
        kept.push_back(entry.path());
    }
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(ReadBytes(kept[0]), replayText);
    // The finish wrote new records; the replay still plays on the course.
    ASSERT_NE(Read("01.dat"), course);

    const std::vector<std::string> live = FirstRace(ReadBytes(root_ / "live.csv"));
    ASSERT_GT(live.size(), 1000u);
    const int32_t raceFrames = static_cast<int32_t>(live.size());
    // Watched through, once more, then left with Left: back at the title.
    WriteBytes(root_ / "leave.txt", std::to_string(raceFrames + 40) + " left down\n");
    ASSERT_EQ(Run("--replay r.twr --keys leave.txt --trace replay.csv --frames " +
                  std::to_string(raceFrames + 45)),
              0)
        << Said();
    const std::string trace = ReadBytes(root_ / "replay.csv");
    const std::vector<std::string> replay = FirstRace(trace);
    ASSERT_EQ(replay.size(), live.size());
    for (size_t k = 0; k < live.size(); ++k) ASSERT_EQ(replay[k], live[k]) << "race frame " << k;
    const std::vector<std::string> rows = Lines(trace);
    EXPECT_EQ(rows[1].rfind("0,2,", 0), 0u);  // the replay's set-up comes first
    EXPECT_EQ(rows[raceFrames + 2].rfind(std::to_string(raceFrames + 1) + ",2,", 0), 0u);
    EXPECT_EQ(rows[raceFrames + 3].substr(rows[raceFrames + 3].find(',') + 1, 2), "3,");
    // Left acts from its second frame down.
    EXPECT_NE(trace.find("\n" + std::to_string(raceFrames + 42) + ",0,"), std::string::npos);
    EXPECT_NE(trace.find("\n" + std::to_string(raceFrames + 43) + ",1,"), std::string::npos);

    // A moved buoy is another course: both checksums are named.
    const std::string theirs = Lines(replayText)[2].substr(9);
    Write("01.dat", std::regex_replace(Read("01.dat"), std::regex("\n9000,2000"), "\n9100,2000"));
    EXPECT_EQ(Run("--replay r.twr --frames 10"), kReplayRefused);
    EXPECT_NE(Said().find("r.twr:3: the course 01.dat has changed since this race: its "
                          "checksum is "),
              std::string::npos)
        << Said();
    EXPECT_NE(Said().find(", the replay's is " + theirs), std::string::npos) << Said();

    std::vector<std::string> broken = Lines(replayText);
    broken[6] += " X1";
    WriteBytes(root_ / "bad.twr", Joined(broken));
    EXPECT_EQ(Run("--replay bad.twr --frames 10 --trace bad.csv"), kReplayRefused);
    // The refusal heads its box, a blank line apart from the file, with the line where it has one.
    EXPECT_NE(Said().find("The replay cannot be played.\n\nbad.twr:7: unknown steering 'X1'"),
              std::string::npos)
        << Said();
    EXPECT_EQ(Lines(ReadBytes(root_ / "bad.csv")).size(), 1u);  // not one frame ran
    EXPECT_EQ(Run("--replay none.twr --frames 10"), kReplayRefused);
    EXPECT_NE(Said().find("The replay cannot be played.\n\nnone.twr: No such file"),
              std::string::npos)
        << Said();
}

// --verify says what a replay achieved, on the course it names or on one given with --course
// under any name, and the total is the one the finish wrote into the records. A replay whose race
// never finished says so; a changed course is refused as --replay refuses it.
TEST_F(ReplayRun, VerifySaysWhatAReplayAchieved) {
    ASSERT_EQ(Run("--keys '" TIDEWAKE_SOURCE_DIR "/tests/fixtures/finish_01.keys' --frames 2680 "
                  "--save-replay r.twr"),
              0)
        << Said();
    const std::vector<std::string> course = Lines(Read("01.dat"));
    // The best totals, the second line after the record label.
    const std::string& totals = *(std::find(course.begin(), course.end(), "BestLap") + 2);
    const std::string recordedTotal = totals.substr(0, totals.find(','));
    ASSERT_EQ(Run("--verify r.twr > verdict.txt"), 0) << Said();
    const std::vector<std::string> verdict = Lines(ReadBytes(root_ / "verdict.txt"));
    const std::string checksum = Lines(ReadBytes(root_ / "r.twr"))[2].substr(9);
    ASSERT_EQ(verdict.size(), 2u);
    EXPECT_EQ(verdict[0], "course 01.dat checksum " + checksum);
    EXPECT_EQ(verdict[1].rfind("finished place ", 0), 0u) << verdict[1];
    const double total = std::stod(verdict[1].substr(verdict[1].rfind(' ')));
    EXPECT_EQ(std::lround(total * 100), std::stol(recordedTotal)) << verdict[1];

    fs::create_directory(root_ / "elsewhere");
    WriteBytes(root_ / "elsewhere/mine.dat", Read("01.dat"));
    ASSERT_EQ(Run("--verify r.twr --course elsewhere/mine.dat > mine.txt"), 0) << Said();
    EXPECT_EQ(ReadBytes(root_ / "mine.txt"),
              "course mine.dat checksum " + checksum + "\n" + verdict[1] + "\n");

    // The same race without its steering drifts until the time is up.
    std::vector<std::string> drifting = Lines(ReadBytes(root_ / "r.twr"));
    drifting.resize(4);
    drifting.push_back("frames 5990");
    drifting.push_back("N5990");
    drifting.push_back("end");
    WriteBytes(root_ / "drift.twr", Joined(drifting));
    ASSERT_EQ(Run("--verify drift.twr > drift.txt"), 0) << Said();
    EXPECT_EQ(ReadBytes(root_ / "drift.txt"), verdict[0] + "\ntimeup\n");

    Write("01.dat", std::regex_replace(Read("01.dat"), std::regex("\n9000,2000"), "\n9100,2000"));
    EXPECT_EQ(Run("--verify r.twr > changed.txt"), kReplayRefused);
    EXPECT_NE(Said().find("r.twr:3: the course 01.dat has changed since this race"),
              std::string::npos)
        << Said();
    EXPECT_EQ(ReadBytes(root_ / "changed.txt"), "");
}

// --course plays one file as the only course: its records are written into it, and a file the
// game cannot load is named with its line before anything runs.
TEST_F(ReplayRun, ACourseFileNamedOnTheCommandLineIsTheOnlyCourse) {
    fs::create_directory(root_ / "mine");
    const std::string shipped = Read("01.dat");
    WriteBytes(root_ / "mine/bay.dat", shipped);
    ASSERT_EQ(Run("--course mine/bay.dat --keys '" TIDEWAKE_SOURCE_DIR
                  "/tests/fixtures/finish_01.keys' --frames 2680 --save-replay r.twr"),
              0)
        << Said();
    EXPECT_EQ(Lines(ReadBytes(root_ / "r.twr"))[1], "course bay.dat");
    EXPECT_NE(ReadBytes(root_ / "mine/bay.dat"), shipped);  // the records went into it
    EXPECT_EQ(Read("01.dat"), shipped);

    WriteBytes(root_ / "mine/bad.dat", stage_test::StageText().substr(0, 60));
    EXPECT_EQ(Run("--course mine/bad.dat --frames 10"), 2);
    EXPECT_EQ(Said(),
              "tidewake-headless: mine/bad.dat:8: the checkpoint 2 needs 2 numbers separated "
              "by commas\n");
    EXPECT_EQ(Run("--course mine/none.dat --frames 10"), 2);
    EXPECT_NE(Said().find("mine/none.dat: the file cannot be opened: No such file"),
              std::string::npos)
        << Said();
}

}  // namespace
