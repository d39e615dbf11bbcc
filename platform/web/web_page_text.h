// A text the page hands the game through a bridge function that writes it into a buffer and
// says how long it is (web_bridge.h).
#pragma once

#include <string>

namespace web {

// The text `write(out, size)` gives, however long.
template <typename Write>
std::string PageText(Write write) {
    std::string text(64, '\0');
    int length = write(text.data(), static_cast<int>(text.size()) + 1);
    if (length > static_cast<int>(text.size())) {
        text.assign(static_cast<size_t>(length), '\0');
        length = write(text.data(), length + 1);
    }
    if (length < 0) length = 0;
    if (length < static_cast<int>(text.size())) text.resize(static_cast<size_t>(length));
    return text;
}

}  // namespace web
