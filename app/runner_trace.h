// The runner's per-frame CSV trace: which scene ran, and what the game state was after it.
#pragma once

#include <cstdint>
#include <cstdio>

// The header row, without the line end.
const char* TraceHeader();

// One row for the frame just run.
void WriteTraceRow(std::FILE* out, int32_t frame, int32_t sceneThatRan);
