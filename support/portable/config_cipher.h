// The enciphered configuration resource format: DES-ECB over the UTF-8 text, keyed by the
// first 8 characters of the lower-case hex MD5 digest of a pass phrase. Bytes past the last
// whole 8-byte block are stored in plain. Portable: no platform headers.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace qvx {

using TDesKey = std::array<std::uint8_t, 8>;

TDesKey DeriveConfigKey(const std::string& passPhrase);

std::vector<std::uint8_t> EncipherConfig(const std::uint8_t* data, std::size_t size, const std::string& passPhrase);
std::vector<std::uint8_t> DecipherConfig(const std::uint8_t* data, std::size_t size, const std::string& passPhrase);

// Deciphers and takes the result as a zero-terminated text (ends at the first zero byte).
std::string DecipherConfigText(const std::uint8_t* data, std::size_t size, const std::string& passPhrase);

} // namespace qvx
