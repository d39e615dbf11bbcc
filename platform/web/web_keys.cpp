// The player's choice of keys on the page. The page keeps the choice (key_choice.js), since it
// turns the browser's keys into the game's; keys.ini is written here as every settings file is.
#include "platform/platform.h"
#include "platform/web/web_bridge.h"
#include "platform/web/web_page_text.h"

namespace platform {

bool KeysChoosable() {
    return true;
}

std::string KeyNames(Key key) {
    const int k = static_cast<int>(key);
    if (k < 0 || k >= kChoosableKeys) return "";
    return web::PageText([k](char* out, int size) { return tw_key_names(k, out, size); });
}

void ListenForKey(Key key) {
    tw_listen_for_key(static_cast<int>(key));
}

bool ListeningForKey() {
    return tw_listening_for_key() != 0;
}

void StopListeningForKey() {
    tw_stop_listening_for_key();
}

void RestoreGameKey(Key key) {
    tw_restore_game_key(static_cast<int>(key));
}

bool SaveKeys(std::string& error) {
    return WriteSettingsFile("keys.ini", web::PageText(tw_keys_text), error);
}

}  // namespace platform
