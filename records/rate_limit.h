// How many runs one address may send a minute: a window that slides with the clock.
#pragma once

#include <chrono>
#include <deque>
#include <map>
#include <mutex>
#include <string>

namespace records {

class RateLimit {
  public:
    explicit RateLimit(int perMinute) : perMinute_(perMinute) {}

    // Counts a request from `address` at `now`. False when it is one too many; `retryAfter`
    // then says in how many seconds the next is taken.
    bool Take(const std::string& address, std::chrono::steady_clock::time_point now,
              int& retryAfter);

  private:
    int perMinute_;
    std::mutex mutex_;
    std::map<std::string, std::deque<std::chrono::steady_clock::time_point>> seen_;
    std::chrono::steady_clock::time_point lastSweep_{};
};

}  // namespace records
