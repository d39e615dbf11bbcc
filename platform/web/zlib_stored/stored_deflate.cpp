#include "zlib.h"

namespace {

constexpr uLong kBlockLimit = 65535;  // a stored block's length field is 16 bits

uLong Adler32(const Bytef* data, uLong length) {
    uint32_t a = 1, b = 0;
    for (uLong i = 0; i < length; ++i) {
        a = (a + data[i]) % 65521;
        b = (b + a) % 65521;
    }
    return (uLong(b) << 16) | a;
}

}  // namespace

uLong crc32(uLong crc, const Bytef* data, uInt length) {
    static uint32_t table[256];
    if (table[1] == 0) {
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            table[n] = c;
        }
    }
    uint32_t c = uint32_t(crc) ^ 0xFFFFFFFFu;
    for (uInt i = 0; i < length; ++i) c = table[(c ^ data[i]) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

uLong compressBound(uLong sourceLength) {
    const uLong blocks = sourceLength / kBlockLimit + 1;
    return 2 + blocks * 5 + sourceLength + 4;
}

int compress2(Bytef* dest, uLongf* destLength, const Bytef* source, uLong sourceLength, int) {
    if (*destLength < compressBound(sourceLength)) return Z_BUF_ERROR;
    Bytef* out = dest;
    *out++ = 0x78;  // deflate, 32 KiB window
    *out++ = 0x01;  // no dictionary, fastest; 0x7801 is a multiple of 31
    uLong left = sourceLength;
    const Bytef* in = source;
    do {
        const uLong n = left < kBlockLimit ? left : kBlockLimit;
        left -= n;
        *out++ = left == 0 ? 1 : 0;  // the final block says so; type 00 is stored
        *out++ = Bytef(n);
        *out++ = Bytef(n >> 8);
        *out++ = Bytef(~n);
        *out++ = Bytef(~n >> 8);
        for (uLong i = 0; i < n; ++i) *out++ = in[i];
        in += n;
    } while (left > 0);
    const uLong adler = Adler32(source, sourceLength);
    for (int shift = 24; shift >= 0; shift -= 8) *out++ = Bytef(adler >> shift);
    *destLength = uLongf(out - dest);
    return Z_OK;
}
