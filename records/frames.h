// The server and its verification workers talk through pipes in frames: a 4-byte length, little
// end first, then that many bytes.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

namespace records {

// The largest frame either side sends: a course and a replay, each within the server's limits.
constexpr uint32_t kLargestFrame = 4u << 20;

// Writes one frame to `fd`. False when the other end is gone.
bool WriteFrame(int fd, const std::string& bytes);

// Reads one frame from `fd`, waiting until `deadline` at most. False when the other end is gone,
// the frame is too large, or the deadline passed (`timedOut` then says so).
bool ReadFrame(int fd, std::string& bytes, std::chrono::steady_clock::time_point deadline,
               bool& timedOut);

// A course and a replay as one frame's bytes, and back. False when the bytes are not such a pair.
std::string PackPair(const std::string& first, const std::string& second);
bool UnpackPair(const std::string& bytes, std::string& first, std::string& second);

}  // namespace records
