// The loaded stage: its texts, the opponents' pace, the six checkpoints with their camera
// stands, the jump ramp, the speed pad and the records. Stage files live in StageFolder as
// *.dat; stage n is the n-th file name in name order.
#pragma once

#include <cstdint>
#include <string>

#include "course/course_state.h"
#include "course/stage_file.h"

// The courses of the folder the game was started in, where stage authors work.
inline constexpr char kLocalStageFolder[] = "./stage/";

// The largest stage file the loader accepts; a stage needs well under a kilobyte.
constexpr int kStageFileLimit = 1 << 20;

// Copies checkpoint 0 into the slot after the last, so the course can be walked round as a
// closed circuit.
void CloseCircuit();

// Makes `number` the stage the selection screen shows; LoadStage loads it.
void SetStageNumber(int32_t number);

// Makes `pace` (tenths) the opponents' pace, as a replay's race had it.
void SetOpponentPace(int32_t pace);

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

// Reads stage `number` as LoadStage does, and fails as it does, without making it the loaded
// stage; `path` is where it was read from.
bool ReadStage(int32_t number, StageFile& stage, std::string& path);

// Reads and parses the stage file at `path`. False with the reason in `error` (line 0 when the
// file itself cannot be read or is larger than kStageFileLimit).
bool ReadStageFile(const char* path, StageFile& stage, StageFileError& error);

// Makes `stage`, read from the file at `path`, the loaded stage: its texts (the English ones
// empty where it has none), pace, checkpoints, stands, ramp, pad and records, and the path its
// records are written back to.
void UseStage(const StageFile& stage, const char* path);

// The three texts the stage select shows of the loaded stage.
enum class StageTextKind { Name, Info1, Info2 };

// The text of the loaded stage to show for `which`, and its byte length in `length`: in English
// the file's English text where it gives one (its '_' shown as spaces), else, and always in
// Japanese, the file's own code page 932 text.
const char* StageTextFor(StageTextKind which, bool english, int32_t& length);

// The number LoadStage knows the stage file `fileName` by (a name as listed in the stage
// folder, without a folder), or 0 when no stage file has that name.
int32_t FindStageNumber(const char* fileName);

// Writes BestLaps and BestTotals back into the loaded stage's file. A file that cannot be
// written is left as it was, with one line on stderr; the records stay in memory.
void SaveStageRecords();
