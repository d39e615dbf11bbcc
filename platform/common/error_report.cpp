#include "platform/common/error_report.h"

#include <cstdio>
#include <cstring>

#include "platform/common/cp932.h"

namespace platform {

std::string ReportError(const char* caption, const char* text, const char* detail) {
    std::string message = Cp932ToUtf8(text, std::strlen(text));
    if (detail != nullptr) {
        std::fprintf(stderr, "tidewake: %s\n", detail);
    } else {
        std::fprintf(stderr, "tidewake: %s: %s\n", caption, message.c_str());
    }
    return message;
}

}  // namespace platform
