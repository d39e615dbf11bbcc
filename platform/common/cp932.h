// Code page 932 (Japanese Windows) text to UTF-8, for fonts, message boxes and the terminal.
#pragma once

#include <cstddef>
#include <string>

namespace platform {

// Converts the bytes; a byte sequence that is not valid code page 932 becomes '?'.
std::string Cp932ToUtf8(const char* text, size_t length);

}  // namespace platform
