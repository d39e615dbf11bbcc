#include "screens/results.h"

#include <cstdio>
#include <cstring>

#include "base/frame_pace.h"
#include "base/keys.h"
#include "base/scene_switch.h"
#include "media/display.h"
#include "media/game_texts.h"
#include "media/music.h"
#include "media/text.h"
#include "overlay/lap_list.h"
#include "overlay/map_markers.h"
#include "race/ghost.h"
#include "race/race_camera.h"
#include "race/race_clock.h"
#include "race/race_state.h"
#include "race/records.h"
#include "race/replay.h"
#include "race/replay_state.h"
#include "race/view_state.h"
#include "render/camera_state.h"
#include "render/frame_buffer.h"
#include "screens/results_lines.h"
#include "world/course_world.h"

namespace {

// The camera circles 1900 from the boat, 480 above it, looking back at it; the roll stays as
// the race left it.
constexpr double kOrbitRadius = 1900.0;
constexpr double kOrbitRise = 480.0;

constexpr uint32_t kRed = TextRgb(255, 0, 0);
constexpr uint32_t kWhite = TextRgb(255, 255, 255);
constexpr uint32_t kCyan = TextRgb(5, 255, 255);
constexpr uint32_t kAheadColour = TextRgb(0, 255, 0);
constexpr uint32_t kBehindColour = TextRgb(255, 0, 0);
// The lap list's letters are 7 pixels a byte wide (a full-width letter takes two).
constexpr int32_t kLapListByteWidth = 7;

void DrawAnnouncement() {
    if (RaceFrame <= kRaceFrameLimit) {  // beyond the limit the time ran out
        // FINISH slides down from y = 4 to 160 while the place fades in from black.
        BeginText(60);
        DrawText(140, 4 * ScreenFrames, Texts().finish, kRed);
        EndText();
        // One more than the opponents that finished first: 1 to 8.
        const int32_t p = FinishedOpponents < 1         ? 1
                          : FinishedOpponents > kPlaces ? kPlaces
                                                        : FinishedOpponents;
        const char* place = Texts().places[p - 1];
        const int32_t g = 6 * ScreenFrames;
        BeginText(90);
        DrawText(265, 60, place, TextRgb(g, g, g));
        EndText();
    } else {
        BeginText(60);
        DrawText(140, 160, Texts().timeUp, kRed);
        EndText();
    }
}

void DrawMarkedLapList() {
    char line[kLapLineSize];
    BeginText(14);
    for (int32_t k = 0; k < kLapCount; ++k) {
        FormatResultsLapLine(line, sizeof line, k, LapTimes[k]);
        DrawText(10, 5 + 16 * k, line, kCyan);
    }
    // The very total the records were entered with, so its marks compare like with like.
    FormatResultsTotalLine(line, sizeof line, ResultsTotal());
    DrawText(10, 70, line, kWhite);
    // Against a ghost, how far the total is ahead of or behind the ghost's, one letter on.
    int32_t hundredths = 0;
    if (TotalDifference(hundredths)) {
        const auto after = static_cast<int32_t>(std::strlen(line)) + 1;
        char difference[16];
        FormatTotalDifference(difference, sizeof difference, hundredths);
        DrawText(10 + kLapListByteWidth * after, 70, difference,
                 hundredths < 0 ? kAheadColour : kBehindColour);
    }
    EndText();
}

}  // namespace

void ResultsScene() {
    PlaceOrbitCamera(PlayerX, PlayerY, kOrbitRadius, double(PlayerZ) + kOrbitRise);

    FillFrame(kWaterBackground);
    LockFrame();
    UpdateCourseWorld();
    DrawFrameBorder();
    UnlockFrame();

    ScreenFrames += 1;
    if (ScreenFrames > kResultsSlideFrames) ScreenFrames = kResultsSlideFrames;
    DrawAnnouncement();

    BeginText(20);
    DrawText(100, 440, Texts().resultsKeys, kWhite);
    EndText();

    DrawMapMarkers();
    DrawMarkedLapList();

    WaitFramePace();
    PresentFrame();
    // Normally the race's tune is still playing.
    StartSceneMusic("game.mid");

    PollKey(platform::Key::Down, ResultsDownKey);
    PollKey(platform::Key::Up, ResultsUpKey);
    if (ResultsUpKey == kKeyHeld) {
        StopMusic();
        StartReplay();
        EnterScene(kSceneRaceSetup);
    }
    // Later, so Down wins when both are held; the title's reset also ends the replay mode.
    if (ResultsDownKey == kKeyHeld) {
        StopMusic();
        EnterScene(kSceneReset);
    }
}
