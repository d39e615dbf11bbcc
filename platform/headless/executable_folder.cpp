#include "platform/headless/executable_folder.h"

#include <unistd.h>

namespace headless {

std::string ExecutableFolder(const std::string& argv0) {
    const size_t slash = argv0.rfind('/');
    if (slash != std::string::npos) return argv0.substr(0, slash + 1);
#ifndef __EMSCRIPTEN__
    // Under node /proc/self/exe would be node itself, so only a native program asks.
    char path[4096];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length > 0) {
        const std::string self(path, size_t(length));
        const size_t last = self.rfind('/');
        if (last != std::string::npos) return self.substr(0, last + 1);
    }
#endif
    return "./";
}

}  // namespace headless
