// The loaded stage: its texts, the opponents' pace, the six checkpoints with their camera
// stands, the jump ramp, the speed pad and the records. Stage files live in StageFolder as
// *.dat; stage n is the n-th file name in name order.
#pragma once

#include <cstdint>
#include <string>

#include "course/stage_file.h"

constexpr int kStagePathSize = 1024;

// The courses of the folder the game was started in, where stage authors work.
inline constexpr char kLocalStageFolder[] = "./stage/";

// The largest stage file the loader accepts; a stage needs well under a kilobyte.
constexpr int kStageFileLimit = 1 << 20;

// Folder the courses are read from, ending with '/': ./stage/ when the current folder has one,
// else the player's own copy of the courses (see ChooseStageFolder).
extern char StageFolder[kStagePathSize];
// The one stage file played when the player named a course file (tidewake --course), a name
// within StageFolder; empty when the game offers the stage folder's courses.
extern char OnlyCourseName[kStagePathSize];
extern int32_t StageCount;              // number of stage files found at start-up, at least 1
extern int32_t StageNumber;             // stage chosen on the selection screen, 1..StageCount
extern char StagePath[kStagePathSize];  // StageFolder and the loaded file's name
extern char StageName[kStageNameSize];
extern char StageInfo1[kStageTextSize];  // empty for a version 1 file
extern char StageInfo2[kStageTextSize];
extern int32_t StageNameLen;  // byte lengths, which the texts are centred by
extern int32_t StageInfo1Len;
extern int32_t StageInfo2Len;
extern int32_t OpponentPace;  // tenths: 10 leaves the opponents' speeds as they are
// The checkpoints, then a copy of the first that closes the circuit (the course world writes it
// every frame), then one spare slot, as the game has always had.
constexpr int kCheckpointSlots = kStageCheckpoints + 2;
extern int32_t CheckpointX[kCheckpointSlots];
extern int32_t CheckpointY[kCheckpointSlots];
extern double CameraStandX[kStageCheckpoints];
extern double CameraStandY[kStageCheckpoints];
extern double CameraStandZ[kStageCheckpoints];
extern int32_t JumpRampX;
extern int32_t JumpRampY;
extern int32_t BoostPadX;
extern int32_t BoostPadY;
extern double BestLaps[kStageRecords];  // seconds, best first
extern double BestTotals[kStageRecords];

// Chooses StageFolder: ./stage/ when the current folder has a stage folder; otherwise the
// player's stage folder in their data folder, created and filled with copies of the shipped
// courses when it holds none, so that records are always written into the player's own files.
void ChooseStageFolder();

// Makes the stage file at `path` the only course the game offers: the stage select shows it, races
// use it and its records are written into it, and a replay of any course plays on it when the
// checksums agree. False, with the reason as "FILE:LINE: message" (or "FILE: message") in
// `message`, when the game could not load it.
bool PlayOnlyCourse(const char* path, std::string& message);

// The folders ChooseStageFolder looked in, for the message when no course is found.
const char* StageFoldersTried();

// Chooses the folder and counts its stage files, once at start-up. 1 when there are none: the
// first load then fails.
void CountStages();

// Loads stage `number` (1-based; beyond the last file the last one loads). When the file is
// missing or cannot be read the player is told why and the game ends; the result is then false
// and the stage data is left as it was.
bool LoadStage(int32_t number);

// Reads and parses the stage file at `path`. False with the reason in `error` (line 0 when the
// file itself cannot be read or is larger than kStageFileLimit).
bool ReadStageFile(const char* path, StageFile& stage, StageFileError& error);

// Makes `stage`, read from the file at `path`, the loaded stage: its texts, pace, checkpoints,
// stands, ramp, pad and records, and the path its records are written back to.
void UseStage(const StageFile& stage, const char* path);

// The number LoadStage knows the stage file `fileName` by (a name as listed in the stage
// folder, without a folder), or 0 when no stage file has that name.
int32_t FindStageNumber(const char* fileName);

// Writes BestLaps and BestTotals back into the loaded stage's file. A file that cannot be
// written is left as it was, with one line on stderr; the records stay in memory.
void SaveStageRecords();
