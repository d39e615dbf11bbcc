#include "app/runner_trace.h"

const char* TraceHeader() {
    return "frame,scene";
}

void WriteTraceRow(std::FILE* out, int32_t frame, int32_t sceneThatRan) {
    std::fprintf(out, "%d,%d\n", frame, sceneThatRan);
}
