// The game in its window. `tidewake --course FILE` plays that stage file as the only course;
// `tidewake --replay FILE` starts in a saved replay; `tidewake --ghost FILE` races against that
// replay's boat on its course; `--no-ghost` races without the kept best ghosts.
#include <cstdio>
#include <cstring>
#include <string>

#include "course/stage.h"
#include "race/ghost.h"
#include "shell/main_loop.h"

namespace {

// A bad argument or a course file the game cannot load ends it as an unplayable replay does.
constexpr int kUsageError = kReplayRefused;

int Usage() {
    std::fprintf(stderr,
                 "usage: tidewake [--course FILE] [--replay FILE] [--ghost FILE | --no-ghost]\n");
    return kUsageError;
}

struct Arguments {
    const char* replay = nullptr;
    const char* course = nullptr;
    const char* ghost = nullptr;
    bool noGhost = false;
};

// Each option at most once; --ghost and --no-ghost exclude each other.
bool ReadArguments(int argc, char** argv, Arguments& args) {
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strcmp(arg, "--no-ghost") == 0 && !args.noGhost) {
            args.noGhost = true;
            continue;
        }
        const char** slot = std::strcmp(arg, "--replay") == 0   ? &args.replay
                            : std::strcmp(arg, "--course") == 0 ? &args.course
                            : std::strcmp(arg, "--ghost") == 0  ? &args.ghost
                                                                : nullptr;
        if (slot == nullptr || *slot != nullptr || i + 1 >= argc) return false;
        *slot = argv[++i];
    }
    return !(args.noGhost && args.ghost != nullptr);
}

}  // namespace

int main(int argc, char** argv) {
    Arguments args;
    if (!ReadArguments(argc, argv, args)) return Usage();
    if (args.course != nullptr) {
        std::string message;
        if (!PlayOnlyCourse(args.course, message)) {
            std::fprintf(stderr, "tidewake: %s\n", message.c_str());
            return kUsageError;
        }
    }
    SetKeptGhostsRace(!args.noGhost);
    return RunGame(nullptr, nullptr, args.replay, args.ghost);
}
