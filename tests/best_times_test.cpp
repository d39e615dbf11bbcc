// The stage's records as a finished race enters them, and the circuit the course closes.
#include <gtest/gtest.h>

#include "course/best_times.h"
#include "course/course_state.h"
#include "course/stage.h"

namespace {

void SetRecords(double (&records)[kStageRecords], double a, double b, double c) {
    records[0] = a, records[1] = b, records[2] = c;
}

TEST(BestTimes, ALapSlipsInAtItsPlaceAndPushesTheSlowerOnesDown) {
    SetRecords(BestLaps, 40.0, 50.0, 60.0);
    EnterBestLap(45.0);
    EXPECT_EQ(BestLaps[0], 40.0);
    EXPECT_EQ(BestLaps[1], 45.0);
    EXPECT_EQ(BestLaps[2], 50.0);
    EnterBestLap(30.0);
    EXPECT_EQ(BestLaps[0], 30.0);
    EXPECT_EQ(BestLaps[1], 40.0);
    EXPECT_EQ(BestLaps[2], 45.0);
}

TEST(BestTimes, AnEqualTimeGoesBehindItsEqualAndASlowerOneNowhere) {
    SetRecords(BestTotals, 150.0, 160.0, 170.0);
    EnterBestTotal(999.0);
    EXPECT_EQ(BestTotals[2], 170.0);
    EnterBestTotal(160.0);
    EXPECT_EQ(BestTotals[0], 150.0);
    EXPECT_EQ(BestTotals[1], 160.0);
    EXPECT_EQ(BestTotals[2], 160.0);
}

TEST(BestTimes, LapsAndTotalsAreKeptApart) {
    SetRecords(BestLaps, 40.0, 50.0, 60.0);
    SetRecords(BestTotals, 150.0, 160.0, 170.0);
    EnterBestTotal(10.0);
    EXPECT_EQ(BestLaps[0], 40.0);
    EXPECT_EQ(BestTotals[0], 10.0);
}

TEST(Circuit, TheSlotAfterTheLastCheckpointRepeatsTheFirst) {
    CheckpointX[0] = 1234, CheckpointY[0] = 5678;
    CheckpointX[kCheckpointSlots - 1] = CheckpointY[kCheckpointSlots - 1] = 9;
    CloseCircuit();
    EXPECT_EQ(CheckpointX[kStageCheckpoints], 1234);
    EXPECT_EQ(CheckpointY[kStageCheckpoints], 5678);
    // The spare slot is left alone.
    EXPECT_EQ(CheckpointX[kCheckpointSlots - 1], 9);
}

}  // namespace
