#include <dirent.h>
#include <sys/stat.h>

#include <string>

#include "platform/files.h"

namespace platform {

bool ListDirectory(const char* folder, std::vector<std::string>& names) {
    names.clear();
    DIR* dir = opendir(folder);
    if (dir == nullptr) return false;
    const std::string prefix = std::string(folder) + "/";
    while (const dirent* entry = readdir(dir)) {
        const std::string path = prefix + entry->d_name;
        struct stat info;
        if (stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode)) names.push_back(entry->d_name);
    }
    closedir(dir);
    return true;
}

}  // namespace platform
