// The error box's words on stderr, as every desktop backend says them before it shows the box
// (a box may fail to show, and the runner has none).
#pragma once

#include <string>

namespace platform {

// Writes "tidewake: DETAIL", or "tidewake: CAPTION: TEXT" without a detail, to stderr and
// returns TEXT (code page 932) as UTF-8, for the box itself.
std::string ReportError(const char* caption, const char* text, const char* detail);

}  // namespace platform
