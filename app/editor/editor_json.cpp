#include "app/editor/editor_json.h"

#include <cstdio>

namespace editor {

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20 || byte == 0x7f) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", byte);
            out += escape;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string JsonBytes(const char* text) {
    std::string out = "[";
    for (const char* p = text; *p != '\0'; ++p) {
        if (p != text) out += ',';
        out += std::to_string(static_cast<unsigned char>(*p));
    }
    return out + "]";
}

std::string JsonNumbers(const int32_t* values, int count) {
    std::string out = "[";
    for (int i = 0; i < count; ++i) {
        if (i > 0) out += ',';
        out += std::to_string(values[i]);
    }
    return out + "]";
}

}  // namespace editor
