// Files the game keeps without the player naming them (replays, screenshots): STEM.EXT in a
// folder, or STEM-2.EXT, STEM-3.EXT... when that name is taken, never replacing a file.
#pragma once

#include <string>

// Writes `bytes` whole into `folder` (created when missing) under the first free name. False
// with `error` saying why (and `path` the last name tried) when nothing was written.
bool WriteNumberedFile(const std::string& folder, const std::string& stem, const char* extension,
                       const std::string& bytes, std::string& path, std::string& error);
