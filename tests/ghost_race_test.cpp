// The ghost: a replay's boat run by the game's own simulation beside the live race. Whole races
// on a copy of our first course, driven through the real scene machine.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "base/app_state.h"
#include "course/stage.h"
#include "media/media_state.h"
#include "media/palette.h"
#include "platform/headless/headless.h"
#include "race/ghost.h"
#include "race/ghost_keep.h"
#include "race/ghost_race.h"
#include "race/race_clock.h"
#include "race/race_state.h"
#include "race/replay.h"
#include "race/replay_file.h"
#include "race/replay_save.h"
#include "race/replay_state.h"
#include "render/camera_state.h"
#include "shell/main_loop.h"
#include "testing/race_driver.h"
#include "testing/race_state_dump.h"
#include "testing/stage_folder.h"

namespace {

namespace fs = std::filesystem;
using stage_test::ReadBytes;

// How the player drives the live race.
enum class Driving {
    // Round the buoys to the finish.
    Buoys,
    // A swerve at the start, then round the buoys to the finish.
    SwerveThenBuoys,
    // Over the ramp, then into the opponents until a contact, then nowhere until the time is up.
    JumpContactTimeUp,
};

bool SamePose(const GhostPose& a, const GhostPose& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

GhostPose PlayerNow() {
    return {PlayerX, PlayerY, PlayerZ, PlayerHeading, PlayerPitch, PlayerRoll, PlayerRock};
}

int Heard(int32_t soundId) {
    int count = 0;
    for (const headless::AudioRecord& record : headless::AudioLog()) {
        count += record.what == "effect" && record.detail == std::to_string(SoundHandles[soundId]);
    }
    return count;
}

// Plays from the opening: Up on the title, Down on the stage select (the first course), the live
// race as `driving` says, and ends the game when the race is over. Keeps the player's boat after
// every race frame, of the live race or of a replay.
struct Player {
    Driving driving = Driving::Buoys;
    std::vector<GhostPose> poses = std::vector<GhostPose>(kReplayFrames);
    int32_t lastRaceFrame = 0;
    bool contact = false;
    bool jumped = false;
    // Called after every frame with whether the ghost's colour was in it.
    std::vector<std::pair<int32_t, bool>> ghostSeen;
    bool lookForGhost = false;
    // A live race frame after which to check that running a ghost leaves the game as it was.
    int32_t probeFrame = 0;
    const ReplayFile* probeReplay = nullptr;
    bool probeKeptEverything = false;

    void Steer() {
        const int32_t f = RaceFrame;
        if (driving == Driving::Buoys || (driving == Driving::SwerveThenBuoys && f > 40)) {
            race_test::SteerTowardNextBuoy();
            return;
        }
        if (driving == Driving::SwerveThenBuoys) {
            headless::SetKey(platform::Key::Right, f > 10);
            return;
        }
        if (f >= 8 && f < 24) {
            headless::SetKey(platform::Key::Left, true);  // turns the bow onto the ramp
        } else if (f > 200 && !contact) {
            race_test::SteerToward(OpponentX[3], OpponentY[3]);
        }
    }

    void Probe() {
        const std::string before = race_test::DumpBoatsAndProgress() + race_test::DumpCourseWorld();
        const int32_t scene = Scene, pace = OpponentPace, mode = ReplayMode;
        const auto camera =
            std::make_tuple(CameraX, CameraY, CameraZ, CameraHeading, CameraPitch, CameraRoll);
        const size_t heard = headless::AudioLog().size();
        static GhostTrack track;
        RunGhostRace(*probeReplay, track);
        probeKeptEverything =
            before == race_test::DumpBoatsAndProgress() + race_test::DumpCourseWorld() &&
            scene == Scene && pace == OpponentPace && mode == ReplayMode &&
            camera == std::make_tuple(CameraX, CameraY, CameraZ, CameraHeading, CameraPitch,
                                      CameraRoll) &&
            heard == headless::AudioLog().size() && EffectsSilenced == 0;
    }

    bool Next(int32_t sceneThatRan) {
        for (platform::Key key :
             {platform::Key::Up, platform::Key::Down, platform::Key::Left, platform::Key::Right}) {
            headless::SetKey(key, false);
        }
        if (lookForGhost) {
            const uint8_t* frame = headless::PresentedFrame();
            const size_t bytes = size_t(headless::BackBufferPitch()) * platform::kFrameHeight;
            ghostSeen.emplace_back(sceneThatRan, std::memchr(frame, kGhostEntry, bytes) != nullptr);
        }
        if (sceneThatRan == kSceneRace) {
            const int32_t frame = RaceFrame - 1;
            poses[frame] = PlayerNow();
            lastRaceFrame = frame;
            contact = contact || Heard(CrashSound) > 0;
            jumped = jumped || PlayerAirborne != 0;
            if (ReplayMode == 0 && frame == probeFrame && probeReplay != nullptr) Probe();
            if (Scene != kSceneRace) return false;
        }
        switch (Scene) {
            case kSceneTitle:
                headless::SetKey(platform::Key::Up, true);
                break;
            case kSceneStageSelect:
                headless::SetKey(platform::Key::Down, true);
                break;
            case kSceneRace:
                if (ReplayMode == 0) Steer();
                break;
        }
        return true;
    }
};

bool PlayerHook(int32_t sceneThatRan, void* context) {
    return static_cast<Player*>(context)->Next(sceneThatRan);
}

class Ghost : public stage_test::StageFolder {
  protected:
    void SetUp() override {
        StageFolder::SetUp();
        Write("01.dat", ReadBytes(fs::path(TIDEWAKE_SOURCE_DIR) / "stage" / "01.dat"));
        headless::SetExecutableDir(TIDEWAKE_BINARY_DIR);
        headless::SetDrawing(false);
        data_ = fs::current_path() / "data";
        fs::create_directories(data_);
        headless::SetUserDataDir(data_.string());
        ListenToFinishedRaces(KeepText, &finishedText_);
        SetKeptGhostsRace(true);
        GivenGhostReady = 0;
    }
    void TearDown() override {
        ListenToFinishedRaces(nullptr, nullptr);
        headless::SetDrawing(true);
        StageFolder::TearDown();
    }

    static void KeepText(const std::string& text, const std::string&, void* context) {
        *static_cast<std::string*>(context) = text;
    }

    Player Race(Driving driving, const char* ghostFile = nullptr) {
        Player player;
        player.driving = driving;
        return Race(player, ghostFile);
    }
    Player Race(Player player, const char* ghostFile = nullptr) {
        EXPECT_EQ(RunGame(PlayerHook, &player, nullptr, ghostFile), 0);
        return player;
    }

    // The race just run, as its replay file holds it (a time-up too, which the game keeps not).
    static ReplayFile ThisRace() {
        ReplayFile replay;
        DescribeRace(replay);
        return replay;
    }

    static std::string WriteReplay(const fs::path& path, const ReplayFile& replay) {
        const std::string text = FormatReplayFile(replay);
        stage_test::WriteBytes(path, text);
        return text;
    }

    fs::path data_;
    std::string finishedText_;
};

// The ghost is the very boat of the replay: it stands after race frame f where the replay's boat
// stood after its race frame f, through a jump, a contact and to the time-up, and the live race it
// is run from agrees with both.
TEST_F(Ghost, IsTheReplaysBoatFrameForFrame) {
    const Player live = Race(Driving::JumpContactTimeUp);
    EXPECT_TRUE(live.contact);
    EXPECT_TRUE(live.jumped);
    EXPECT_EQ(live.lastRaceFrame, kRaceFrameLimit);
    const ReplayFile replay = ThisRace();

    static GhostTrack track;
    RunGhostRace(replay, track);
    EXPECT_EQ(track.lastFrame, kRaceFrameLimit);
    EXPECT_LT(track.total, 0.0);

    const fs::path file = fs::current_path() / "timeup.twr";
    WriteReplay(file, replay);
    Player watcher;
    ASSERT_EQ(RunGame(PlayerHook, &watcher, file.string().c_str()), 0);
    ASSERT_EQ(watcher.lastRaceFrame, kRaceFrameLimit);
    for (int32_t f = 1; f <= kRaceFrameLimit; ++f) {
        ASSERT_TRUE(SamePose(track.poses[f], watcher.poses[f])) << "race frame " << f;
        ASSERT_TRUE(SamePose(track.poses[f], live.poses[f])) << "race frame " << f;
    }
}

// Running a ghost's whole race in the middle of a live race frame's aftermath changes nothing of
// the live race: its boats, progress, world, scene, camera roll, pace and sounds stay as they were.
TEST_F(Ghost, RunningOneLeavesTheGameAsItWas) {
    Race(Driving::Buoys);
    ASSERT_FALSE(finishedText_.empty());
    const ReplayFile finished = ThisRace();

    Player player;
    player.probeFrame = 900;
    player.probeReplay = &finished;
    player.driving = Driving::JumpContactTimeUp;
    player = Race(player);
    EXPECT_TRUE(player.probeKeptEverything);
}

// A finished race with or without a ghost: the same boats every frame, the same replay, the same
// records; the ghost is drawn in its own colour in the live race alone, and nothing else ever
// uses that colour.
TEST_F(Ghost, TouchesNothingAndShowsOnlyInTheLiveRace) {
    headless::SetDrawing(true);
    const std::string course = ReadBytes("stage/01.dat");
    Player plain;
    plain.lookForGhost = true;
    plain = Race(plain);
    const std::string plainReplay = finishedText_;
    const std::string plainRecords = ReadBytes("stage/01.dat");
    for (const auto& [scene, seen] : plain.ghostSeen) ASSERT_FALSE(seen) << "scene " << scene;

    // Another race to race against, so the ghost stands apart from the player.
    Race(Driving::JumpContactTimeUp);
    const fs::path ghost = fs::current_path() / "ghost.twr";
    WriteReplay(ghost, ThisRace());
    fs::remove_all(data_);
    stage_test::WriteBytes("stage/01.dat", course);

    Player racing;
    racing.lookForGhost = true;
    racing = Race(racing, ghost.string().c_str());
    EXPECT_EQ(finishedText_, plainReplay);
    EXPECT_EQ(ReadBytes("stage/01.dat"), plainRecords);
    EXPECT_EQ(racing.lastRaceFrame, plain.lastRaceFrame);
    for (int32_t f = 1; f <= plain.lastRaceFrame; ++f) {
        ASSERT_TRUE(SamePose(racing.poses[f], plain.poses[f])) << "race frame " << f;
    }
    int raceFramesWithGhost = 0;
    for (const auto& [scene, seen] : racing.ghostSeen) {
        if (scene != kSceneRace) {
            ASSERT_FALSE(seen) << "scene " << scene;
        }
        raceFramesWithGhost += seen;
    }
    EXPECT_GT(raceFramesWithGhost, 100);
}

// The course keeps the replay of its best finished race: the first one, then only a better one; a
// tie or a worse race leaves it, and a ghost folder that cannot be written costs one line.
TEST_F(Ghost, TheCourseKeepsItsBestRace) {
    Race(Driving::Buoys);
    const ReplayFile best = ThisRace();
    const std::string kept = KeptGhostPath(best.checksum);
    char name[32];
    std::snprintf(name, sizeof name, "%016llx.twr", static_cast<unsigned long long>(best.checksum));
    ASSERT_EQ(kept, (data_ / "ghosts" / name).string());
    ASSERT_EQ(ReadBytes(kept), finishedText_);
    const double total = RecordedTotal;

    KeepGhostIfBest(best, "worse", total + 0.01);
    KeepGhostIfBest(best, "tie", total);
    EXPECT_EQ(ReadBytes(kept), finishedText_);
    KeepGhostIfBest(best, "better", total - 0.01);
    EXPECT_EQ(ReadBytes(kept), "better");

    // What is kept but cannot be read as a replay of the course is no best to beat.
    testing::internal::CaptureStderr();
    KeepGhostIfBest(best, "after the unreadable one", total + 5.0);
    EXPECT_EQ(ReadBytes(kept), "after the unreadable one");
    EXPECT_NE(testing::internal::GetCapturedStderr().find(kept + ":1: "), std::string::npos);

    fs::remove_all(data_ / "ghosts");
    stage_test::WriteBytes(data_ / "ghosts", "a file where the folder should be");
    testing::internal::CaptureStderr();
    KeepGhostIfBest(best, "nowhere to go", total - 1.0);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(said.rfind("tidewake: ghost not kept: " + kept + ": ", 0), 0u) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1);
}

// The race set-up picks the ghost: the given replay on its own course, else the kept best where
// those race, else none; a replay never races one.
TEST_F(Ghost, TheGivenReplayRacesOnItsCourseAndTheKeptBestElsewhere) {
    Race(Driving::Buoys);
    const ReplayFile best = ThisRace();
    ASSERT_TRUE(fs::exists(KeptGhostPath(best.checksum)));

    SetKeptGhostsRace(false);
    PrepareGhost();
    EXPECT_EQ(GhostRacing, 0);
    SetKeptGhostsRace(true);
    PrepareGhost();
    EXPECT_EQ(GhostRacing, 1);
    EXPECT_EQ(GhostIsKeptBest, 1);
    EXPECT_EQ(RacingGhost.passFrames[kRacePasses - 1], RacingGhost.lastFrame);
    EXPECT_EQ(RacingGhost.total, RecordedTotal);

    const GhostPose keptAt100 = RacingGhost.poses[100];
    GivenGhost = best;
    GivenGhost.steering[5] = best.steering[5] == kSteerLeft ? kSteerRight : kSteerLeft;
    GivenGhostReady = 1;
    PrepareGhost();
    EXPECT_EQ(GhostIsKeptBest, 0);
    EXPECT_FALSE(SamePose(RacingGhost.poses[100], keptAt100));
    GivenGhost.checksum ^= 1;  // driven elsewhere: the kept best races
    PrepareGhost();
    EXPECT_EQ(GhostIsKeptBest, 1);

    ReplayMode = 1;
    PrepareGhost();
    EXPECT_EQ(GhostRacing, 0);
    ReplayMode = 0;
    GivenGhostReady = 0;
}

// Against the kept best, every checkpoint shows how far behind or ahead the player is, and the
// results the difference of the totals.
TEST_F(Ghost, SplitsAndTheResultsCompareWithTheKeptBest) {
    Race(Driving::Buoys);
    const double best = RecordedTotal;
    ASSERT_GT(best, 0.0);

    Race(Driving::SwerveThenBuoys);
    ASSERT_EQ(GhostRacing, 1);
    ASSERT_EQ(Scene, kSceneResults);
    EXPECT_EQ(SplitPasses, kRacePasses);
    EXPECT_EQ(SplitFrames, RaceFrame - 1 - RacingGhost.lastFrame);
    EXPECT_NE(SplitFrames, 0);
    int32_t hundredths = 0;
    ASSERT_TRUE(TotalDifference(hundredths));
    EXPECT_EQ(hundredths, std::lround((RecordedTotal - best) * 100));
}

TEST(GhostSplits, AreTwoDecimalsWithTheirSignAlwaysWritten) {
    char text[16];
    const std::pair<int32_t, const char*> splits[] = {{0, "+0.00"},  {-22, "-0.84"},
                                                      {32, "+1.22"}, {1, "+0.04"},
                                                      {-1, "-0.04"}, {5990, "+227.62"}};
    for (const auto& [frames, expected] : splits) {
        FormatSplit(text, sizeof text, frames);
        EXPECT_STREQ(text, expected);
    }
    const std::pair<int32_t, const char*> totals[] = {
        {0, "+0.00"}, {-5, "-0.05"}, {120, "+1.20"}, {-1234, "-12.34"}};
    for (const auto& [hundredths, expected] : totals) {
        FormatTotalDifference(text, sizeof text, hundredths);
        EXPECT_STREQ(text, expected);
    }
}

// The ghost's orange is kept for it: no colour, not even its own, is matched to it.
TEST(GhostColour, NothingElseIsEverMatchedToIt) {
    const platform::Rgb& orange = GamePalette[kGhostEntry];
    EXPECT_NE(NearestPaletteIndex(orange.r | orange.g << 8 | orange.b << 16), kGhostEntry);
    for (int r = 0; r < 256; r += 5)
        for (int g = 0; g < 256; g += 5)
            for (int b = 0; b < 256; b += 5)
                ASSERT_NE(NearestPaletteIndex(r | g << 8 | b << 16), kGhostEntry);
    for (int i = 0; i < 256; ++i) {
        if (i == kGhostEntry) continue;
        EXPECT_EQ(std::memcmp(&MatchingPalette()[i], &GamePalette[i], sizeof orange), 0) << i;
    }
}

}  // namespace
