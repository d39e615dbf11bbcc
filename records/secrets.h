// Tokens and their hashes, from OpenSSL: the server keeps only a token's SHA-256.
#pragma once

#include <string>

namespace records {

// SHA-256 of the bytes, as 64 lowercase hex digits.
std::string Sha256Hex(const std::string& bytes);

// 128 random bits from the system's generator, as 32 lowercase hex digits. Empty when the
// generator fails.
std::string NewToken();

// Whether a player's token has the form NewToken makes.
bool WellFormedToken(const std::string& token);

// Compares two secrets in a time that does not depend on where they differ.
bool SameSecret(const std::string& a, const std::string& b);

}  // namespace records
