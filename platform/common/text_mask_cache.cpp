#include "platform/common/text_mask_cache.h"

#include <utility>

namespace platform {

const TextMask* TextMaskCache::Find(const std::string& text, int cellHeight) {
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
        if (it->cellHeight == cellHeight && it->text == text) {
            entries_.splice(entries_.begin(), entries_, it);
            return &entries_.front().mask;
        }
    }
    return nullptr;
}

const TextMask& TextMaskCache::Keep(const std::string& text, int cellHeight, TextMask mask) {
    entries_.push_front(Entry{text, cellHeight, std::move(mask)});
    while (entries_.size() > capacity_ && entries_.size() > 1) entries_.pop_back();
    return entries_.front().mask;
}

}  // namespace platform
