// The race display: the lap list's lines as the race shows them and as the results mark them,
// and the banners.
#include "overlay/lap_list.h"

#include <gtest/gtest.h>

#include <string>

#include "course/stage.h"
#include "overlay/race_hud.h"
#include "platform/headless/headless.h"
#include "race/race_state.h"
#include "race/replay_state.h"
#include "screens/results_lines.h"

namespace {

// "ＬＡＰ" and "ＴＯＴＡＬ" in code page 932.
const std::string kLap = "\x82\x6B\x82\x60\x82\x6F";
const std::string kTotal = "\x82\x73\x82\x6E\x82\x73\x82\x60\x82\x6B";

std::string LapLine(int32_t lap, double time) {
    char line[kLapLineSize];
    FormatLapLine(line, sizeof line, lap, time);
    return line;
}
std::string ResultsLapLine(int32_t lap, double time) {
    char line[kLapLineSize];
    FormatResultsLapLine(line, sizeof line, lap, time);
    return line;
}
std::string ResultsTotalLine(double total) {
    char line[kLapLineSize];
    FormatResultsTotalLine(line, sizeof line, total);
    return line;
}

TEST(LapList, LinesNumberLapsFromOneAndAlignTheirTimes) {
    EXPECT_EQ(LapLine(0, 65.43), kLap + "1     65.43[s]");
    EXPECT_EQ(LapLine(3, 123.456), kLap + "4    123.46[s]");
    EXPECT_EQ(LapLine(1, 0.0), kLap + "2    ---.--[s]");
    char line[kLapLineSize];
    FormatTotalLine(line, sizeof line, 0.0);
    EXPECT_EQ(line, kTotal + "   0.00[s]");
    FormatTotalLine(line, sizeof line, 1234.567);
    EXPECT_EQ(line, kTotal + "1234.57[s]");
}

TEST(ResultsLines, MarkEveryRecordATimeEqualsAndNoLapNotDriven) {
    BestLaps[0] = 60.0, BestLaps[1] = BestLaps[2] = 61.5;
    BestTotals[0] = 250.0, BestTotals[1] = BestTotals[2] = 251.0;
    EXPECT_EQ(ResultsLapLine(0, 60.0), kLap + "1     60.00[s] BESTLAP");
    EXPECT_EQ(ResultsLapLine(1, 61.5), kLap + "2     61.50[s] 2nd LAP 3rd LAP");
    EXPECT_EQ(ResultsLapLine(2, 60.001), kLap + "3     60.00[s]");
    EXPECT_EQ(ResultsTotalLine(250.0), kTotal + " 250.00[s] BESTLAP");
    EXPECT_EQ(ResultsTotalLine(251.0), kTotal + " 251.00[s] 2nd 3rd");
    BestLaps[2] = 0.0;
    EXPECT_EQ(ResultsLapLine(3, 0.0), kLap + "4    ---.--[s]");
}

TEST(RaceBanners, CheckpointBannerCountsDownInALiveRaceOnly) {
    headless::Reset();
    headless::SetText(false);
    RaceFrame = 100, ReplayMode = 1, CheckpointBanner = 20;
    DrawRaceBanners();
    EXPECT_EQ(CheckpointBanner, 20);
    ReplayMode = 0;
    for (int i = 0; i < 25; ++i) DrawRaceBanners();
    EXPECT_EQ(CheckpointBanner, 0);
}

}  // namespace
