#include "course/course_state.h"

int32_t StageCount = 1;
int32_t StageNumber = 1;
char StagePath[kStagePathSize] = {};
char StageName[kStageNameSize] = {};
char StageInfo1[kStageTextSize] = {};
char StageInfo2[kStageTextSize] = {};
int32_t StageNameLen = 0;
int32_t StageInfo1Len = 0;
int32_t StageInfo2Len = 0;
int32_t OpponentPace = 10;
int32_t CheckpointX[kCheckpointSlots] = {};
int32_t CheckpointY[kCheckpointSlots] = {};
double CameraStandX[kStageCheckpoints] = {};
double CameraStandY[kStageCheckpoints] = {};
double CameraStandZ[kStageCheckpoints] = {};
int32_t JumpRampX = 0;
int32_t JumpRampY = 0;
int32_t BoostPadX = 0;
int32_t BoostPadY = 0;
double BestLaps[kStageRecords] = {};
double BestTotals[kStageRecords] = {};
char StageFolder[kStagePathSize] = "./stage/";
char OnlyCourseName[kStagePathSize] = {};
