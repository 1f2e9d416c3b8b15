// SHA-256 (FIPS 180-4), for the password verifier of the database file.
#pragma once

#include <string>
#include <string_view>

namespace qinghe {

// The SHA-256 digest of `data` as 64 lower-case hexadecimal digits.
std::string Sha256Hex(std::string_view data);

}  // namespace qinghe
