#include "app/runner_trace.h"

#include <string>

#include "base/app_state.h"
#include "course/stage.h"
#include "race/ghost.h"
#include "race/race_state.h"
#include "race/replay_state.h"

namespace {

void Float(std::FILE* out, float value) {
    std::fprintf(out, ",%.9g", double(value));
}
void Double(std::FILE* out, double value) {
    std::fprintf(out, ",%.17g", value);
}
void Int(std::FILE* out, int32_t value) {
    std::fprintf(out, ",%d", value);
}

std::string BuildHeader() {
    std::string header =
        "frame,scene,race_frame,replay_mode,steer,stage_number,player_x,player_y,player_z,"
        "player_heading,player_speed,player_vx,player_vy,player_vz,player_airborne,player_roll,"
        "player_pitch,pitch_spring,pitch_rate,player_rock,next_checkpoint,lap,lap_time_1,"
        "lap_time_2,lap_time_3,lap_time_4,finished_opponents,place,best_lap_1,best_lap_2,"
        "best_lap_3,best_total_1,best_total_2,best_total_3";
    static const char* const kOpponentColumns[] = {"x",    "y",       "z",     "vx",     "vy",
                                                   "vz",   "heading", "speed", "cruise", "airborne",
                                                   "next", "lap",     "bob"};
    for (int i = 0; i < kOpponentCount; ++i) {
        for (const char* column : kOpponentColumns) {
            header += ",opp" + std::to_string(i) + "_" + column;
        }
    }
    return header;
}

// The ghost after the race frame just run, printed as the player is; empty where none races.
void GhostColumns(std::FILE* out, bool raceFrameRan) {
    GhostPose pose;
    if (raceFrameRan && GhostAfterFrame(RaceFrame - 1, pose)) {
        Float(out, pose.x);
        Float(out, pose.y);
        Float(out, pose.z);
        Int(out, pose.heading);
    } else {
        std::fputs(",,,,", out);
    }
    char split[16] = "";
    if (raceFrameRan && SplitOnShow != 0) FormatSplit(split, sizeof split, SplitFrames);
    std::fprintf(out, ",%s", split);
}

}  // namespace

const char* TraceHeader(bool ghostColumns) {
    static const std::string header = BuildHeader();
    static const std::string withGhost = header + ",ghost_x,ghost_y,ghost_z,ghost_heading,split";
    return ghostColumns ? withGhost.c_str() : header.c_str();
}

void WriteTraceRow(std::FILE* out, int32_t frame, int32_t sceneThatRan, bool ghostColumns) {
    const bool raceFrameRan = sceneThatRan == kSceneRace;
    // The race frame read its steering before it counted itself.
    const int32_t steerFrame = RaceFrame - 1;
    const int32_t steer = raceFrameRan && steerFrame >= 0 && steerFrame < kReplayFrames
                              ? ReplayInputs[steerFrame]
                              : 0;

    std::fprintf(out, "%d,%d", frame, sceneThatRan);
    Int(out, RaceFrame);
    Int(out, ReplayMode);
    Int(out, steer);
    Int(out, StageNumber);
    Float(out, PlayerX);
    Float(out, PlayerY);
    Float(out, PlayerZ);
    for (const int32_t value :
         {PlayerHeading, PlayerSpeed, PlayerVX, PlayerVY, PlayerVZ, PlayerAirborne, PlayerRoll,
          PlayerPitch, PitchSpring, PitchRate, PlayerRock, NextCheckpoint, Lap}) {
        Int(out, value);
    }
    for (const double time : LapTimes) Double(out, time);
    Int(out, FinishedOpponents);
    Int(out, raceFrameRan ? RacePlace : 0);
    for (const double time : BestLaps) Double(out, time);
    for (const double time : BestTotals) Double(out, time);
    for (int i = 0; i < kOpponentCount; ++i) {
        Float(out, OpponentX[i]);
        Float(out, OpponentY[i]);
        Float(out, OpponentZ[i]);
        Float(out, OpponentVX[i]);
        Float(out, OpponentVY[i]);
        Float(out, OpponentVZ[i]);
        Int(out, OpponentHeading[i]);
        Int(out, OpponentSpeed[i]);
        Int(out, OpponentCruise[i]);
        Int(out, OpponentAirborne[i]);
        Int(out, OpponentNextCheckpoint[i]);
        Int(out, OpponentLap[i]);
        Float(out, OpponentBob[i]);
    }
    if (ghostColumns) GhostColumns(out, raceFrameRan);
    std::fputc('\n', out);
}
