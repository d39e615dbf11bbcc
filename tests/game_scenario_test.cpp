// Whole games through the real scene machine on the headless platform, played by a scripted
// player: title, stage select, countdown, a race, results, the replay and back, on a copy of
// our courses.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/app_state.h"
#include "course/stage.h"
#include "platform/headless/headless.h"
#include "race/race_state.h"
#include "race/replay_state.h"
#include "shell/main_loop.h"
#include "testing/race_driver.h"
#include "testing/stage_folder.h"

namespace {

namespace fs = std::filesystem;
using stage_test::ReadBytes;
using stage_test::StageFolder;

enum class Plan { RaceThenReplay, NoSteering, QuitMidRace };

// A player who reads the screen: holds Up on the title, steps once to the right on the stage
// select and starts, drives with the test driver (or not at all), and on the results watches
// the replay once through before leaving it with Left.
struct Player {
    Plan plan = Plan::RaceThenReplay;
    std::vector<int32_t> scenes;
    int32_t framesInScene = 0;
    int32_t stepsTaken = 0;
    int32_t racesStarted = 0;
    int32_t liveRaceFrames = 0;
    int32_t replayRaceFrames = 0;
    bool replayLooped = false;
    bool backAtTitle = false;

    void Press(platform::Key key, bool down) { headless::SetKey(key, down); }
    void ReleaseAll() {
        for (platform::Key key : {platform::Key::Up, platform::Key::Down, platform::Key::Left,
                                  platform::Key::Right, platform::Key::Q}) {
            Press(key, false);
        }
    }

    // Decides the keys for the next frame; false ends the game.
    bool Next(int32_t sceneThatRan) {
        framesInScene = !scenes.empty() && scenes.back() == sceneThatRan ? framesInScene + 1 : 1;
        scenes.push_back(sceneThatRan);
        if (scenes.size() > 40000) return false;
        ReleaseAll();
        switch (Scene) {
            case kSceneTitle:
                if (racesStarted > 0) {
                    backAtTitle = true;
                    return false;
                }
                Press(platform::Key::Up, true);
                break;
            case kSceneStageSelect:
                if (stepsTaken == 0 && framesInScene < 3) {
                    Press(platform::Key::Right, true);
                } else {
                    stepsTaken = 1;
                    Press(platform::Key::Down, framesInScene > 6);
                }
                break;
            case kSceneRace:
                if (sceneThatRan != kSceneRace) ++racesStarted;
                if (ReplayMode == 1) {
                    ++replayRaceFrames;
                    Press(platform::Key::Left, replayLooped && replayRaceFrames > 10);
                } else {
                    ++liveRaceFrames;
                    if (plan == Plan::RaceThenReplay) race_test::SteerTowardNextBuoy();
                    Press(platform::Key::Q, plan == Plan::QuitMidRace && RaceFrame > 100);
                }
                break;
            case kSceneRaceSetup:
                if (sceneThatRan == kSceneRace && ReplayMode == 1) {
                    replayLooped = true;
                    replayRaceFrames = 0;
                }
                break;
            case kSceneResults:
                Press(platform::Key::Up, framesInScene > 20);
                break;
        }
        return true;
    }
};

bool PlayerHook(int32_t sceneThatRan, void* context) {
    return static_cast<Player*>(context)->Next(sceneThatRan);
}

class WholeGame : public StageFolder {
  protected:
    void SetUp() override {
        StageFolder::SetUp();
        for (const char* name : {"01.dat", "02.dat", "03.dat", "04.dat"}) {
            Write(name, ReadBytes(fs::path(TIDEWAKE_SOURCE_DIR) / "stage" / name));
        }
        headless::SetExecutableDir(TIDEWAKE_BINARY_DIR);
        headless::SetDrawing(false);
    }
    void TearDown() override {
        headless::SetDrawing(true);
        StageFolder::TearDown();
    }

    Player Play(Plan plan) {
        Player player;
        player.plan = plan;
        EXPECT_EQ(RunGame(PlayerHook, &player), 0);
        return player;
    }

    // Longest run of consecutive frames of one scene.
    static int32_t LongestRun(const std::vector<int32_t>& scenes, int32_t scene) {
        int32_t longest = 0, run = 0;
        for (int32_t s : scenes) {
            run = s == scene ? run + 1 : 0;
            longest = std::max(longest, run);
        }
        return longest;
    }

    static std::vector<std::string> Heard(const char* what) {
        std::vector<std::string> heard;
        for (const headless::AudioRecord& record : headless::AudioLog()) {
            if (record.what == what) heard.push_back(fs::path(record.detail).filename());
        }
        return heard;
    }
};

TEST_F(WholeGame, ARaceItsRecordsItsReplayAndBackToTheTitle) {
    const std::string before = Read("02.dat");
    const Player player = Play(Plan::RaceThenReplay);

    EXPECT_TRUE(player.backAtTitle);
    EXPECT_EQ(LongestRun(player.scenes, kSceneOpening), 201);
    EXPECT_EQ(LongestRun(player.scenes, kSceneCountdown), 74);
    EXPECT_EQ(player.racesStarted, 3);  // the race, the replay, the replay once more
    EXPECT_TRUE(player.replayLooped);
    EXPECT_EQ(StageNumber, 2);

    // The finish wrote the records into the second course, and only there.
    EXPECT_NE(Read("02.dat"), before);
    EXPECT_EQ(Read("01.dat"), ReadBytes(fs::path(TIDEWAKE_SOURCE_DIR) / "stage/01.dat"));
    ASSERT_TRUE(LoadStage(2));
    EXPECT_LT(BestLaps[0], 999.0);
    EXPECT_LT(BestTotals[0], 999.0);
    EXPECT_EQ(BestTotals[1], 999.99);

    const std::vector<std::string> tunes = Heard("music-open");
    for (const char* tune : {"title.mid", "select.mid", "game.mid"}) {
        EXPECT_NE(std::find(tunes.begin(), tunes.end(), tune), tunes.end()) << tune;
    }
    // A chime for each of the 24 checkpoints of the race and of the replay, at the least.
    EXPECT_GE(Heard("effect").size(), 48u);
    // Back at the title the steering record is gone.
    EXPECT_TRUE(std::all_of(std::begin(ReplayInputs), std::end(ReplayInputs),
                            [](int32_t input) { return input == 0; }));
}

TEST_F(WholeGame, ARaceLeftToDriftRunsOutOfTimeAndKeepsTheRecords) {
    const std::string before = Read("02.dat");
    const Player player = Play(Plan::NoSteering);
    EXPECT_EQ(player.liveRaceFrames, 5990);
    EXPECT_EQ(Read("02.dat"), before);
    EXPECT_TRUE(player.replayLooped);  // a timed-out race can be replayed too
}

// A course named like the record label, and one whose label says something else, get their
// records from a finished race where the loader reads them; every other byte stays.
TEST_F(WholeGame, AFinishedRaceWritesTheRecordsAfterTheLabelLineWhateverItSays) {
    const std::string shipped = Read("02.dat");
    const size_t label = shipped.find("BestLap\n");
    ASSERT_NE(label, std::string::npos);
    std::string named = shipped;
    named.replace(named.find('\n') + 1,
                  named.find('\n', named.find('\n') + 1) - named.find('\n') - 1, "BestLap");
    std::string relabelled = shipped;
    relabelled.replace(label, 7, "Records");
    for (const std::string& old : {named, relabelled}) {
        Write("02.dat", old);
        EXPECT_TRUE(Play(Plan::RaceThenReplay).backAtTitle);
        ASSERT_TRUE(LoadStage(2));
        ASSERT_LT(BestLaps[0], 999.0);
        char lines[80];
        std::snprintf(lines, sizeof lines, "%5.0f,%5.0f,%5.0f\n%5.0f,%5.0f,%5.0f\n",
                      BestLaps[0] * 100, BestLaps[1] * 100, BestLaps[2] * 100, BestTotals[0] * 100,
                      BestTotals[1] * 100, BestTotals[2] * 100);
        // The two lines of nines, before the course's English lines.
        const size_t records = old.find("99999,99999,99999\n99999,99999,99999\n");
        EXPECT_EQ(Read("02.dat"), old.substr(0, records) + lines + old.substr(records + 36));
        EXPECT_EQ(BestTotals[1], 999.99);
    }
}

TEST_F(WholeGame, QLeavesTheRaceForTheTitleWithoutARecordOrAReplay) {
    const std::string before = Read("02.dat");
    const Player player = Play(Plan::QuitMidRace);
    EXPECT_TRUE(player.backAtTitle);
    EXPECT_EQ(player.liveRaceFrames, 102);
    EXPECT_EQ(std::count(player.scenes.begin(), player.scenes.end(), kSceneResults), 0);
    EXPECT_EQ(Read("02.dat"), before);
}

}  // namespace
