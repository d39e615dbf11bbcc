// The shapes of texts already rendered: the lap list and the place are drawn with the same words
// frame after frame, and shaping them again each time is most of what text costs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <list>
#include <string>
#include <vector>

namespace platform {

// Which pixels of a rendered text are glyph (non-zero) and which are background (zero).
struct TextMask {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;  // width x height, row by row
};

// Masks by text and cell height, the least recently drawn forgotten first once `capacity` are
// kept. The colour is not part of the key: the mask is written in whatever colour is asked.
class TextMaskCache {
  public:
    explicit TextMaskCache(size_t capacity) : capacity_(capacity) {}

    // The mask drawn before for this text at this height, or null; a hit counts as a use.
    const TextMask* Find(const std::string& text, int cellHeight);

    // Keeps the mask (forgetting the least recently used beyond capacity) and returns it.
    const TextMask& Keep(const std::string& text, int cellHeight, TextMask mask);

    void Clear() { entries_.clear(); }
    size_t size() const { return entries_.size(); }

  private:
    struct Entry {
        std::string text;
        int cellHeight;
        TextMask mask;
    };
    size_t capacity_;
    std::list<Entry> entries_;  // most recently used first; a few dozen at most, so a walk is fine
};

}  // namespace platform
