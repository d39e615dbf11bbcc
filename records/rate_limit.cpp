#include "records/rate_limit.h"

namespace records {

bool RateLimit::Take(const std::string& address, std::chrono::steady_clock::time_point now,
                     int& retryAfter) {
    const auto minute = std::chrono::minutes(1);
    std::lock_guard<std::mutex> lock(mutex_);
    // Addresses quiet for a minute are forgotten, so that the map does not grow without end.
    if (now - lastSweep_ > minute) {
        for (auto it = seen_.begin(); it != seen_.end();) {
            it = it->second.empty() || now - it->second.back() > minute ? seen_.erase(it) : ++it;
        }
        lastSweep_ = now;
    }
    std::deque<std::chrono::steady_clock::time_point>& times = seen_[address];
    while (!times.empty() && now - times.front() >= minute) times.pop_front();
    if (static_cast<int>(times.size()) >= perMinute_) {
        const auto wait =
            std::chrono::duration_cast<std::chrono::seconds>(minute - (now - times.front()));
        retryAfter = static_cast<int>(wait.count()) + 1;
        return false;
    }
    times.push_back(now);
    return true;
}

}  // namespace records
