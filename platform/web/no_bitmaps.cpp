// The browser build reads no BMP files (it has no SDL): a sprite sheet file is reported as
// unreadable and the built-in one stays.
#include "platform/common/bmp_indices.h"

namespace platform {

bool ReadBmpAsIndices(const char*, const Rgb[256], std::vector<uint8_t>&, int&, int&,
                      std::string& error) {
    error = "the browser build reads no BMP files";
    return false;
}

}  // namespace platform
