// The race display's banners: what they count down, and when.
#include "overlay/race_hud.h"

#include <gtest/gtest.h>

#include "platform/headless/headless.h"
#include "race/race_state.h"
#include "race/replay_state.h"

namespace {

TEST(RaceBanners, CheckpointBannerCountsDownInALiveRaceOnly) {
    headless::Reset();
    headless::SetText(false);
    RaceFrame = 100;
    ReplayMode = 0;
    CheckpointBanner = 20;
    for (int i = 0; i < 25; ++i) DrawRaceBanners();
    EXPECT_EQ(CheckpointBanner, 0);

    ReplayMode = 1;
    CheckpointBanner = 20;
    DrawRaceBanners();
    EXPECT_EQ(CheckpointBanner, 20);
    ReplayMode = 0;
}

}  // namespace
