// A player's name on the table: 1 to 24 characters, each a letter of any script, a digit, or
// one of - _ . ; no blanks, no control characters.
#pragma once

#include <string>

namespace records {

// Empty when `name` (UTF-8) is a name a player may take, else why not.
std::string PlayerNameProblem(const std::string& name);

}  // namespace records
