// The game in its window; `tidewake --replay FILE` starts in a saved replay.
#include <cstdio>
#include <cstring>

#include "shell/main_loop.h"

int main(int argc, char** argv) {
    if (argc == 1) return RunGame();
    if (argc == 3 && std::strcmp(argv[1], "--replay") == 0) {
        return RunGame(nullptr, nullptr, argv[2]);
    }
    std::fprintf(stderr, "usage: tidewake [--replay FILE]\n");
    return kReplayRefused;
}
