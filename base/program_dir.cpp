#include "base/program_dir.h"

#include <cstdio>

#include "platform/platform.h"

char ProgramDir[kProgramDirSize] = "";

const char* GetProgramDir() {
    // A folder too long for the buffer would lose its tail; an empty name (the current folder)
    // is better than a wrong one.
    const int written =
        std::snprintf(ProgramDir, sizeof ProgramDir, "%s", platform::ExecutableDir());
    if (written < 0 || written >= kProgramDirSize) ProgramDir[0] = '\0';
    return ProgramDir;
}
