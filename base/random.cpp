#include "base/random.h"

namespace {

// The generator's whole state; a draw depends on nothing else.
uint32_t RandomState = 1;

}  // namespace

void SeedRandom(uint32_t seed) {
    RandomState = seed;
}

int32_t Random() {
    RandomState = RandomState * 214013u + 2531011u;
    return static_cast<int32_t>((RandomState >> 16) & 0x7FFF);
}
