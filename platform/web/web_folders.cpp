// The page's folders: its files sit at the root of its file system, the effects beside the
// program and the courses (the player's own, kept in the browser) in ./stage.
#include "platform/platform.h"
#include "platform/web/web_bridge.h"
#include "platform/web/web_page_text.h"

namespace platform {

const char* ExecutableDir() {
    return "/";
}

// The page always has ./stage, so the game never looks for a folder of its own.
const char* UserDataDir() {
    return "";
}

bool OfferFile(const char* name, const std::string& bytes) {
    tw_offer_file(name, bytes.data(), static_cast<int>(bytes.size()));
    return true;
}

// The browser's language, as the player set it.
std::string SystemLocale() {
    return web::PageText(tw_system_locale);
}

// The page keeps this folder in the browser's IndexedDB beside the courses.
const char* GhostFolder() {
    return "/ghosts/";
}

}  // namespace platform
