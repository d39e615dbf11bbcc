// tidewake-tune-key: prints the key the game knows a tune's rendering by, for the build's
// rendering step.
#include <cstdio>
#include <string>

#include "platform/common/rendered_tune.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: tidewake-tune-key TUNE.mid\n");
        return 2;
    }
    const std::string key = platform::TuneKeyOfFile(argv[1]);
    if (key.empty()) {
        std::fprintf(stderr, "tidewake-tune-key: cannot read %s\n", argv[1]);
        return 1;
    }
    std::printf("%s\n", key.c_str());
    return 0;
}
