// tidewake-stage: checks stage files and draws their courses, for stage authors.
//
//   tidewake-stage check FILE...    every problem as FILE:LINE: ...; exit 0 only without errors
//   tidewake-stage check            the same for every course the game would offer (./stage, or
//                                   the player's own stage folder)
//   tidewake-stage map FILE OUT.png the course seen from above
//   tidewake-stage new FILE         writes a new course to start from (never over a file)
#include <fcntl.h>
#include <strings.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "author/stage_check.h"
#include "author/stage_map.h"
#include "base/program_dir.h"
#include "course/stage.h"
#include "course/stage_writer.h"
#include "media/palette.h"
#include "platform/common/png_file.h"
#include "platform/headless/executable_folder.h"
#include "platform/headless/headless.h"
#include "platform/platform.h"

namespace {

constexpr char kUsage[] =
    "usage: tidewake-stage check [FILE...]   check stage files (none: the courses the game plays)\n"
    "       tidewake-stage map FILE OUT.png  draw the course's map\n"
    "       tidewake-stage new FILE          write a new course to start from\n"
    "       tidewake-stage --help            show this\n"
    "       tidewake-stage --version         show the version\n";

int Usage() {
    std::fputs(kUsage, stderr);
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

// The courses the game would offer, found as the game finds them.
int CheckCourseFolder(const char* argv0) {
    headless::SetExecutableDir(headless::ExecutableFolder(argv0));
    headless::UsePlayerDataFolder();
    GetProgramDir();
    ChooseStageFolder();
    std::vector<std::string> names;
    platform::ListDirectory(StageFolder, names);
    std::vector<std::string> paths;
    for (const std::string& name : names) {
        if (name.size() > 4 && strcasecmp(name.c_str() + name.size() - 4, ".dat") == 0) {
            paths.push_back(StageFolder + name);
        }
    }
    if (paths.empty()) {
        std::fprintf(stderr, "no course found in %s\n", StageFoldersTried());
        return 1;
    }
    std::sort(paths.begin(), paths.end());
    std::vector<char*> files;
    for (std::string& path : paths) files.push_back(path.data());
    const int status = Check(static_cast<int>(files.size()), files.data());
    std::printf("checked %zu courses in %s\n", files.size(), StageFolder);
    for (const std::string& path : paths) std::printf("  %s\n", path.c_str());
    return status;
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

    std::vector<uint8_t> pixels(stage_tool::kMapSize * stage_tool::kMapSize);
    stage_tool::RenderStageMap(stage, pixels.data());
    std::string error;
    if (!platform::WriteIndexedPng(out, pixels.data(), stage_tool::kMapSize, stage_tool::kMapSize,
                                   stage_tool::kMapSize, GamePalette.data(), error)) {
        std::fprintf(stderr, "%s: %s\n", out, error.c_str());
        return 1;
    }
    return 0;
}

int New(const char* file) {
    const int fd = open(file, O_WRONLY | O_CREAT | O_EXCL, 0644);
    if (fd < 0) {
        std::fprintf(stderr, "%s: %s\n", file,
                     errno == EEXIST ? "already exists; a new course is never written over a file"
                                     : std::strerror(errno));
        return 1;
    }
    const std::string text = NewStageText();
    const bool written = write(fd, text.data(), text.size()) == ssize_t(text.size());
    if (close(fd) != 0 || !written) {
        std::fprintf(stderr, "%s: cannot be written whole\n", file);
        unlink(file);
        return 1;
    }
    std::printf("%s: a new course; edit it, then run tidewake-stage check %s\n", file, file);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("tidewake-stage %s\n", TIDEWAKE_VERSION);
        return 0;
    }
    if (argc >= 3 && std::strcmp(argv[1], "check") == 0) return Check(argc - 2, argv + 2);
    if (argc == 2 && std::strcmp(argv[1], "check") == 0) return CheckCourseFolder(argv[0]);
    if (argc == 4 && std::strcmp(argv[1], "map") == 0) return Map(argv[2], argv[3]);
    if (argc == 3 && std::strcmp(argv[1], "new") == 0) return New(argv[2]);
    return Usage();
}
