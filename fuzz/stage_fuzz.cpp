// The stage reader and the record writer's scan on arbitrary bytes: neither may read or write
// outside its buffers, and a stage that reads must keep its texts within their sizes.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "course/stage_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* text = reinterpret_cast<const char*>(data);
    StageFile stage;
    StageFileError error;
    if (ParseStageFile(text, size, stage, error)) {
        if (std::strlen(stage.name) >= sizeof stage.name) __builtin_trap();
        if (std::strlen(stage.info1) >= sizeof stage.info1) __builtin_trap();
        if (std::strlen(stage.info2) >= sizeof stage.info2) __builtin_trap();
    } else if (error.line < 1 || error.message[0] == '\0') {
        __builtin_trap();
    }
    bool found = false;
    int line = 0;
    const size_t at = FindRecordPosition(text, size, found, line);
    if (at > size || line < 1) __builtin_trap();
    return 0;
}
