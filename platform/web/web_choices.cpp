// The page's side of the settings: the browser sizes its picture, and its settings are kept in
// the browser with the courses.
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

// The page's keys are the browser's own names for them, given to the game as its six keys.
bool KeysChoosable() {
    return false;
}
std::string KeyNames(Key) {
    return "";
}
void ListenForKey(Key) {}
bool ListeningForKey() {
    return false;
}
void StopListeningForKey() {}
void RestoreGameKey(Key) {}
bool SaveKeys(std::string& error) {
    error = "the page's keys cannot be chosen yet";
    return false;
}

}  // namespace platform
