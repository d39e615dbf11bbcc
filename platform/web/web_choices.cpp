// The page's side of the settings: the browser sizes its picture, and its settings are kept in
// the browser with the courses (the keys are web_keys.cpp's).
#include "platform/platform.h"

namespace platform {

// The page keeps this folder in the browser beside the courses.
const char* SettingsFolder() {
    return "/settings/";
}

int LargestWindowScale() {
    return 0;
}
int WindowScale() {
    return kFullScreen;
}
void SetWindowScale(int) {}

}  // namespace platform
