#include <ctime>
#include <string>

#include "platform/files.h"

namespace platform {

std::string LocalTimeStamp() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    char stamp[32] = "00000000-000000";
    if (localtime_r(&now, &local) != nullptr) {
        std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    }
    return stamp;
}

}  // namespace platform
