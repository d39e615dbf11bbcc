#include "base/whole_file.h"

#include <cerrno>
#include <cstdio>

WholeFile ReadWholeFile(const char* path, size_t limit, std::string& bytes, int& errorNumber) {
    bytes.clear();
    errorNumber = 0;
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) {
        errorNumber = errno;
        return WholeFile::CannotOpen;
    }
    // One byte more than the limit tells a file that is too large.
    char chunk[4096];
    size_t got = 0;
    errno = 0;
    while (bytes.size() <= limit && (got = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
        bytes.append(chunk, got);
    }
    const bool readError = std::ferror(file) != 0;
    errorNumber = errno;
    std::fclose(file);
    if (readError) return WholeFile::CannotRead;
    if (bytes.size() > limit) return WholeFile::TooLarge;
    errorNumber = 0;
    return WholeFile::Read;
}
