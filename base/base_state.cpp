#include "base/base_state.h"

float SinTable[kFullTurn];
float CosTable[kFullTurn];
char ProgramDir[kProgramDirSize] = "";
uint32_t FramePaceTick = 0;
