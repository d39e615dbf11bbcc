// Writing mono 16-bit PCM WAVE files.
#pragma once

#include <string>
#include <vector>

namespace media_gen {

constexpr int kEffectRate = 22050;

// Writes samples (-1..1, clamped) as a mono 16-bit PCM WAVE file. False when it cannot be written.
bool WriteMonoWave(const std::string& path, const std::vector<double>& samples, int rate);

}  // namespace media_gen
