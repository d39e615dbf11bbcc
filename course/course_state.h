// The loaded stage: where the stage files are, which one is loaded, its texts, the opponents'
// pace, the six checkpoints with their camera stands, the jump ramp, the speed pad and the
// records. A stage load rewrites all of it; positions are world units.
#pragma once

#include <cstdint>

#include "course/stage_file.h"

constexpr int kStagePathSize = 1024;

// The checkpoints, then a copy of the first that closes the circuit, then one spare slot, as the
// game has always had.
constexpr int kCheckpointSlots = kStageCheckpoints + 2;

// Folder the courses are read from, ending with '/': ./stage/ when the current folder has one,
// else the player's own copy of the courses (see ChooseStageFolder).
extern char StageFolder[kStagePathSize];
// The one stage file played when the player named a course file (tidewake --course), a name
// within StageFolder; empty when the game offers the stage folder's courses.
extern char OnlyCourseName[kStagePathSize];
// Number of stage files found at start-up, at least 1.
extern int32_t StageCount;
// Stage chosen on the selection screen, 1..StageCount.
extern int32_t StageNumber;
// StageFolder and the loaded file's name; the records are written back to it.
extern char StagePath[kStagePathSize];
// Name of the loaded stage, code page 932 bytes.
extern char StageName[kStageNameSize];
// First description line of the loaded stage, code page 932; empty for a version 1 file.
extern char StageInfo1[kStageTextSize];
// Second description line, code page 932; empty for a version 1 file.
extern char StageInfo2[kStageTextSize];
// Byte length of StageName, which the stage select centres it by.
extern int32_t StageNameLen;
// Byte length of StageInfo1.
extern int32_t StageInfo1Len;
// Byte length of StageInfo2.
extern int32_t StageInfo2Len;
// English name of the loaded stage as the screen shows it, ASCII with the file's '_' as spaces;
// empty when the file gives none (or gives it malformed).
extern char StageNameEn[kStageNameSize];
// First English description line as shown, '_' as spaces; empty when the file gives none.
extern char StageInfo1En[kStageTextSize];
// Second English description line as shown, '_' as spaces; empty when the file gives none.
extern char StageInfo2En[kStageTextSize];
// Byte length of StageNameEn.
extern int32_t StageNameEnLen;
// Byte length of StageInfo1En.
extern int32_t StageInfo1EnLen;
// Byte length of StageInfo2En.
extern int32_t StageInfo2EnLen;
// The opponents' pace in tenths: 10 leaves their speeds as they are.
extern int32_t OpponentPace;
// Checkpoint buoys' x; slot 6 is rewritten with checkpoint 0's every frame the course lives.
extern int32_t CheckpointX[kCheckpointSlots];
// Checkpoint buoys' y; slot 6 as CheckpointX.
extern int32_t CheckpointY[kCheckpointSlots];
// Per checkpoint: x of the trackside camera the replay's director films it from.
extern double CameraStandX[kStageCheckpoints];
// Per checkpoint: y of its trackside camera.
extern double CameraStandY[kStageCheckpoints];
// Per checkpoint: height of its trackside camera.
extern double CameraStandZ[kStageCheckpoints];
// Centre x of the jump ramp.
extern int32_t JumpRampX;
// Centre y of the jump ramp.
extern int32_t JumpRampY;
// Centre x of the speed pad.
extern int32_t BoostPadX;
// Centre y of the speed pad.
extern int32_t BoostPadY;
// The stage's three best lap times, seconds, best first.
extern double BestLaps[kStageRecords];
// The stage's three best race totals, seconds, best first.
extern double BestTotals[kStageRecords];
