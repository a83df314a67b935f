// DES block cipher (FIPS 46). Portable: no platform headers.
#pragma once

#include <cstddef>
#include <cstdint>

namespace qvx {

class CDes {
public:
    // Builds the 16 encryption subkeys from 8 key bytes; parity bits play no part.
    // The decryption subkeys are the same keys in reverse order.
    explicit CDes(const std::uint8_t key[8]);

    void EncryptBlock(const std::uint8_t in[8], std::uint8_t out[8]) const;
    void DecryptBlock(const std::uint8_t in[8], std::uint8_t out[8]) const;

    // ECB over whole 8-byte blocks; the trailing size % 8 bytes are copied unchanged.
    // `out` must hold `size` bytes and may equal `in`.
    void EncryptEcb(const std::uint8_t* in, std::uint8_t* out, std::size_t size) const;
    void DecryptEcb(const std::uint8_t* in, std::uint8_t* out, std::size_t size) const;

private:
    static std::uint64_t Crypt(std::uint64_t block, const std::uint64_t subkeys[16]);

    std::uint64_t m_encryptKeys[16]; // 48-bit subkeys, right-aligned
    std::uint64_t m_decryptKeys[16];
};

} // namespace qvx
