// Just enough JSON for the editor's answers to the page: numbers, byte lists and strings.
#pragma once

#include <cstdint>
#include <string>

namespace editor {

// `text` as a JSON string; bytes outside ASCII pass through, so UTF-8 stays UTF-8.
std::string JsonString(const std::string& text);
// The bytes of a zero-terminated text as a JSON list of numbers, for code page 932 texts the
// page decodes itself.
std::string JsonBytes(const char* text);
std::string JsonNumbers(const int32_t* values, int count);

}  // namespace editor
