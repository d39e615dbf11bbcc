#include "overlay/race_hud.h"

#include <cstdio>

#include "media/game_texts.h"
#include "media/text.h"
#include "overlay/lap_list.h"
#include "race/checkpoints.h"
#include "race/ghost.h"
#include "race/race_state.h"
#include "race/replay_state.h"

namespace {

// START fades out over the race's first 39 frames.
constexpr int32_t kStartBannerFrames = 40;

// Under the place, clear of every other text of the race and above the boats.
constexpr int32_t kSplitX = 282;
constexpr int32_t kSplitY = 50;
constexpr int32_t kSplitHeight = 30;
constexpr uint32_t kAheadColour = TextRgb(0, 255, 0);
constexpr uint32_t kBehindColour = TextRgb(255, 0, 0);

void DrawSplit() {
    char split[16];
    FormatSplit(split, sizeof split, SplitFrames);
    BeginText(kSplitHeight);
    DrawText(kSplitX, kSplitY, split, SplitFrames < 0 ? kAheadColour : kBehindColour);
    EndText();
}

}  // namespace

void DrawRaceBanners() {
    // A replay neither shows nor counts down the checkpoint banner.
    if (ReplayMode == 0 && CheckpointBanner > 0) {
        BeginText(30);
        DrawText(190, 160, Texts().checkPoint, TextRgb(255, 0, 0));
        EndText();
        if (SplitOnShow != 0) DrawSplit();
        FadeCheckpointBanner();
    }
    if (RaceFrame < kStartBannerFrames) {
        const int32_t f = RaceFrame;
        BeginText(60);
        DrawText(170, 160, Texts().start, TextRgb(255 - 6 * f, 255 - 6 * f, 255 - 4 * f));
        EndText();
    }
}

void DrawRaceHud() {
    DrawLapList(Lap);
    if (ReplayMode == 1) {
        BeginText(20);
        DrawText(240, 460, Texts().replayKeys, TextRgb(255, 0, 0));
        EndText();
    }
    char place[16];
    std::snprintf(place, sizeof place, "%1d/8", RacePlace);
    BeginText(40);
    DrawText(290, 5, place, TextRgb(255, 255, 255));
    EndText();
}
