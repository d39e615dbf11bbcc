#include "records/secrets.h"

#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <openssl/rand.h>

namespace records {
namespace {

std::string Hex(const unsigned char* bytes, size_t size) {
    static const char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (size_t i = 0; i < size; ++i) {
        hex += kDigits[bytes[i] >> 4];
        hex += kDigits[bytes[i] & 15];
    }
    return hex;
}

}  // namespace

std::string Sha256Hex(const std::string& bytes) {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int size = 0;
    if (EVP_Digest(bytes.data(), bytes.size(), digest, &size, EVP_sha256(), nullptr) != 1) {
        return "";
    }
    return Hex(digest, size);
}

std::string NewToken() {
    unsigned char bytes[16];
    if (RAND_bytes(bytes, sizeof bytes) != 1) return "";
    return Hex(bytes, sizeof bytes);
}

bool WellFormedToken(const std::string& token) {
    if (token.size() != 32) return false;
    for (char c : token) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
    }
    return true;
}

bool SameSecret(const std::string& a, const std::string& b) {
    // Hashed first, so that the lengths tell nothing either.
    const std::string ha = Sha256Hex(a);
    const std::string hb = Sha256Hex(b);
    return !ha.empty() && ha.size() == hb.size() &&
           CRYPTO_memcmp(ha.data(), hb.data(), ha.size()) == 0;
}

}  // namespace records
