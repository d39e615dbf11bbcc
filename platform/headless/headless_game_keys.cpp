// The keys of the runner built for the browser's tools: the script's keys are the game's own,
// and the player's choice of keys is left to the page.
#include <string>

#include "platform/headless/headless.h"
#include "platform/headless/headless_keys.h"

namespace headless {

void ResetKeys() {}
void ReadKeysFile(const std::string&) {}
bool NamedKeyHolds(platform::Key) {
    return false;
}
bool SetNamedKey(const std::string&, bool) {
    return false;
}

}  // namespace headless

namespace platform {

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
    error = "keys cannot be chosen here";
    return false;
}

}  // namespace platform
