#include "platform/common/cp932.h"

#include <iconv.h>

#include <cerrno>

namespace platform {

std::string Cp932ToUtf8(const char* text, size_t length) {
    std::string out;
    // "CP932" keeps 0x5C a backslash, where "SHIFT_JIS" would turn it into a yen sign.
    iconv_t cd = iconv_open("UTF-8", "CP932");
    // musl (the web build's C library) knows no CP932; its Shift_JIS keeps 0x5C a backslash too
    // and lacks only the vendor extensions.
    if (cd == reinterpret_cast<iconv_t>(-1)) cd = iconv_open("UTF-8", "SHIFT_JIS");
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(text, length);
    char* in = const_cast<char*>(text);
    size_t inLeft = length;
    char buffer[256];
    while (inLeft > 0) {
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        const size_t result = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, outPtr - buffer);
        if (result == static_cast<size_t>(-1) && errno != E2BIG) {
            // An invalid or cut-off character: show a '?' and go on after its first byte.
            out.push_back('?');
            ++in;
            --inLeft;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
    iconv_close(cd);
    return out;
}

}  // namespace platform
