// tidewake-stage: checks stage files and draws their courses, for stage authors.
//
//   tidewake-stage check FILE...    every problem as FILE:LINE: ...; exit 0 only without errors
//   tidewake-stage map FILE OUT.png the course seen from above
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "course/stage.h"
#include "tools/stage/stage_check.h"
#include "tools/stage/stage_map.h"

namespace {

int Usage() {
    std::fprintf(stderr,
                 "usage: tidewake-stage check FILE...\n"
                 "       tidewake-stage map FILE OUT.png\n");
    return 2;
}

int Check(int count, char** files) {
    int failed = 0;
    for (int i = 0; i < count; ++i) {
        std::vector<stage_tool::Problem> problems;
        if (!stage_tool::CheckStageFile(files[i], problems)) ++failed;
        for (const stage_tool::Problem& problem : problems) {
            std::printf("%s\n", stage_tool::FormatProblem(problem).c_str());
        }
    }
    if (failed > 0) std::printf("%d of %d stage files have errors\n", failed, count);
    return failed > 0 ? 1 : 0;
}

int Map(const char* file, const char* out) {
    std::vector<stage_tool::Problem> problems;
    const bool valid = stage_tool::CheckStageFile(file, problems);
    for (const stage_tool::Problem& problem : problems) {
        std::fprintf(stderr, "%s\n", stage_tool::FormatProblem(problem).c_str());
    }
    if (!valid) return 1;

    std::FILE* in = std::fopen(file, "rb");
    if (in == nullptr) return 1;
    static char text[kStageFileLimit + 1];
    const size_t size = std::fread(text, 1, sizeof text, in);
    std::fclose(in);
    StageFile stage;
    StageFileError failure;
    if (!ParseStageFile(text, size, stage, failure)) return 1;

    std::string error;
    if (!stage_tool::WriteStageMap(stage, out, error)) {
        std::fprintf(stderr, "%s: %s\n", out, error.c_str());
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::strcmp(argv[1], "check") == 0) return Check(argc - 2, argv + 2);
    if (argc == 4 && std::strcmp(argv[1], "map") == 0) return Map(argv[2], argv[3]);
    return Usage();
}
