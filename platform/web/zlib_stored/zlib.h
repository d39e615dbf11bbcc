// The few zlib calls the runner's PNG writer makes, for the web build, which has no zlib of its
// own: the image goes into stored (uncompressed) deflate blocks, which every PNG reader takes.
#pragma once

#include <cstddef>
#include <cstdint>

using uLong = unsigned long;
using uLongf = unsigned long;
using uInt = unsigned int;
using Bytef = uint8_t;

constexpr int Z_OK = 0;
constexpr int Z_BUF_ERROR = -5;

uLong crc32(uLong crc, const Bytef* data, uInt length);
uLong compressBound(uLong sourceLength);
// `level` is ignored: the blocks are always stored.
int compress2(Bytef* dest, uLongf* destLength, const Bytef* source, uLong sourceLength, int level);
