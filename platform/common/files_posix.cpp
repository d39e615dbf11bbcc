#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
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

namespace {

BeforeRenameHook beforeRename = nullptr;

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

bool WriteAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t written = write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

bool Fail(std::string& error, const std::string& what) {
    error = what + ": " + std::strerror(errno);
    return false;
}

// Where the file system has no hard links (some removable and network drives, the browser
// build's file systems), the file is made under its own name by a create that fails when the
// name is taken; a file that cannot be written whole is removed again.
bool WriteExclusive(const char* path, const char* data, size_t size, bool& existed,
                    std::string& error) {
    const int fd = open(path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
        existed = errno == EEXIST;
        return Fail(error, existed ? "the file exists already" : "cannot create the file");
    }
    bool ok = WriteAll(fd, data, size) || Fail(error, "cannot write the file");
    if (ok && fsync(fd) != 0) ok = Fail(error, "cannot flush the file");
    if (close(fd) != 0 && ok) ok = Fail(error, "cannot close the file");
    if (!ok) unlink(path);
    return ok;
}

// The file a path names in the end: a symbolic link is followed to its target, so that the
// link stays a link and the new contents land where the old ones were.
bool ResolveLinks(const char* path, std::string& target) {
    char* resolved = realpath(path, nullptr);
    if (resolved == nullptr) return false;
    target = resolved;
    std::free(resolved);
    return true;
}

}  // namespace

void SetBeforeRenameHook(BeforeRenameHook hook) {
    beforeRename = hook;
}

bool ReplaceFileContents(const char* path, const char* data, size_t size, std::string& error) {
    std::string target;
    if (!ResolveLinks(path, target)) return Fail(error, "cannot find the file");
    struct stat info;
    if (stat(target.c_str(), &info) != 0) return Fail(error, "cannot find the file");
    if (!S_ISREG(info.st_mode)) {
        error = "not a regular file";
        return false;
    }
    // The file is replaced only where the system would let the game update it in place: a
    // read-only file stays as it is for its player (the administrator may still write it).
    const int probe = open(target.c_str(), O_WRONLY | O_CLOEXEC);
    if (probe < 0) return Fail(error, "cannot write the file");
    close(probe);

    const std::string folder = FolderOf(target);
    std::string temp = target + ".XXXXXX";
    const int fd = mkstemp(temp.data());
    if (fd < 0) return Fail(error, "cannot create a temporary file in " + folder);

    bool ok = WriteAll(fd, data, size);
    if (!ok) Fail(error, "cannot write the temporary file");
    if (ok && fchmod(fd, info.st_mode & 07777) != 0) ok = Fail(error, "cannot set permissions");
    if (ok && fsync(fd) != 0) ok = Fail(error, "cannot flush the temporary file");
    if (close(fd) != 0 && ok) ok = Fail(error, "cannot close the temporary file");
    if (ok && beforeRename != nullptr && !beforeRename(temp.c_str())) {
        error = "interrupted before the rename";
        ok = false;
    }
    if (ok && rename(temp.c_str(), target.c_str()) != 0)
        ok = Fail(error, "cannot rename over the file");
    if (!ok) {
        unlink(temp.c_str());
        return false;
    }

    // The rename is only durable once the folder's entry is on the disk too.
    const int dir = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        fsync(dir);
        close(dir);
    }
    return true;
}

bool MakeFolder(const char* path, std::string& error) {
    if (mkdir(path, 0777) != 0 && errno != EEXIST) return Fail(error, "cannot create the folder");
    struct stat info;
    if (stat(path, &info) != 0) return Fail(error, "cannot find the folder");
    if (!S_ISDIR(info.st_mode)) {
        error = "not a folder";
        return false;
    }
    return true;
}

bool WriteNewFile(const char* path, const char* data, size_t size, bool& existed,
                  std::string& error) {
    existed = false;
    std::string temp = std::string(path) + ".XXXXXX";
    const int fd = mkstemp(temp.data());
    if (fd < 0) return Fail(error, "cannot create a temporary file in " + FolderOf(path));

    bool ok = WriteAll(fd, data, size);
    if (!ok) Fail(error, "cannot write the temporary file");
    if (ok && fsync(fd) != 0) ok = Fail(error, "cannot flush the temporary file");
    if (close(fd) != 0 && ok) ok = Fail(error, "cannot close the temporary file");
    // Unlike a rename, a link never replaces a file that is there already.
    bool noLinks = false;
    if (ok && link(temp.c_str(), path) != 0) {
        existed = errno == EEXIST;
        noLinks = !existed;
        if (existed) ok = Fail(error, "the file exists already");
    }
    unlink(temp.c_str());
    if (noLinks && !WriteExclusive(path, data, size, existed, error)) return false;
    if (!ok) return false;

    const int dir = open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        fsync(dir);
        close(dir);
    }
    return true;
}

}  // namespace platform
