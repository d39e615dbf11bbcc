#include "records/frames.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>

namespace records {
namespace {

std::string LengthBytes(uint32_t length) {
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[static_cast<size_t>(i)] = static_cast<char>(length >> (8 * i));
    return bytes;
}

uint32_t LengthOf(const std::string& bytes, size_t at) {
    uint32_t length = 0;
    for (int i = 0; i < 4; ++i) {
        length |=
            static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + static_cast<size_t>(i)]))
            << (8 * i);
    }
    return length;
}

bool WriteAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t written = write(fd, data, size);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        data += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

bool ReadAll(int fd, char* data, size_t size, std::chrono::steady_clock::time_point deadline,
             bool& timedOut) {
    while (size > 0) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            timedOut = true;
            return false;
        }
        pollfd wanted = {fd, POLLIN, 0};
        // A minute at most a wait, so that a far deadline fits poll's int.
        const int wait = left.count() > 60000 ? 60000 : static_cast<int>(left.count());
        const int ready = poll(&wanted, 1, wait);
        if (ready < 0 && errno == EINTR) continue;
        if (ready < 0) return false;
        if (ready == 0) continue;  // the deadline is checked above
        const ssize_t got = read(fd, data, size);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        data += got;
        size -= static_cast<size_t>(got);
    }
    return true;
}

}  // namespace

bool WriteFrame(int fd, const std::string& bytes) {
    if (bytes.size() > kLargestFrame) return false;
    const std::string length = LengthBytes(static_cast<uint32_t>(bytes.size()));
    return WriteAll(fd, length.data(), length.size()) && WriteAll(fd, bytes.data(), bytes.size());
}

bool ReadFrame(int fd, std::string& bytes, std::chrono::steady_clock::time_point deadline,
               bool& timedOut) {
    timedOut = false;
    std::string length(4, '\0');
    if (!ReadAll(fd, length.data(), 4, deadline, timedOut)) return false;
    const uint32_t size = LengthOf(length, 0);
    if (size > kLargestFrame) return false;
    bytes.assign(size, '\0');
    return ReadAll(fd, bytes.data(), size, deadline, timedOut);
}

std::string PackPair(const std::string& first, const std::string& second) {
    return LengthBytes(static_cast<uint32_t>(first.size())) + first + second;
}

bool UnpackPair(const std::string& bytes, std::string& first, std::string& second) {
    if (bytes.size() < 4) return false;
    const uint32_t size = LengthOf(bytes, 0);
    if (size > bytes.size() - 4) return false;
    first = bytes.substr(4, size);
    second = bytes.substr(4 + size);
    return true;
}

}  // namespace records
