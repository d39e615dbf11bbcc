// Text for the runner under node, which has no fonts: nothing is drawn, as with --no-text.
#include "platform/common/ttf_text.h"

namespace platform {

void DrawTtfText(uint8_t*, int, int, int, int, int, const char*, size_t, int, uint8_t) {}

const char* TtfFacePath() {
    return "";
}

int TtfCellHeight(int) {
    return -1;
}

void ShutDownTtfText() {}

}  // namespace platform
