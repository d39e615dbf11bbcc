// File system services the game cannot get from the standard library alone.
// Included by platform.h.
#pragma once

#include <string>
#include <vector>

namespace platform {

// The names (not paths) of the regular files in a folder, in no particular order.
// False when the folder cannot be read.
bool ListDirectory(const char* folder, std::vector<std::string>& names);

}  // namespace platform
