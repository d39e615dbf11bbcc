// Reading a whole small file (a stage, a replay) with a cap on its size, so that a huge or
// endless file is noticed rather than read.
#pragma once

#include <cstddef>
#include <string>

enum class WholeFile { Read, CannotOpen, CannotRead, TooLarge };

// Reads the file at `path` into `bytes`, at most `limit` bytes: TooLarge when it holds more.
// `errorNumber` is the system's reason for CannotOpen and CannotRead.
WholeFile ReadWholeFile(const char* path, size_t limit, std::string& bytes, int& errorNumber);
