// The game in its window. `tidewake --course FILE` plays that stage file as the only course;
// `tidewake --replay FILE` starts in a saved replay.
#include <cstdio>
#include <cstring>
#include <string>

#include "course/stage.h"
#include "shell/main_loop.h"

namespace {

// A bad argument or a course file the game cannot load ends it as an unplayable replay does.
constexpr int kUsageError = kReplayRefused;

int Usage() {
    std::fprintf(stderr, "usage: tidewake [--course FILE] [--replay FILE]\n");
    return kUsageError;
}

}  // namespace

int main(int argc, char** argv) {
    const char* replay = nullptr;
    const char* course = nullptr;
    for (int i = 1; i < argc; i += 2) {
        if (i + 1 >= argc) return Usage();
        if (std::strcmp(argv[i], "--replay") == 0 && replay == nullptr) {
            replay = argv[i + 1];
        } else if (std::strcmp(argv[i], "--course") == 0 && course == nullptr) {
            course = argv[i + 1];
        } else {
            return Usage();
        }
    }
    if (course != nullptr) {
        std::string message;
        if (!PlayOnlyCourse(course, message)) {
            std::fprintf(stderr, "tidewake: %s\n", message.c_str());
            return kUsageError;
        }
    }
    return RunGame(nullptr, nullptr, replay);
}
