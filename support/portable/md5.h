// MD5 message digest (RFC 1321). Portable: no platform headers.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace qvx {

using TMd5Digest = std::array<std::uint8_t, 16>;

// Incremental MD5: Update any number of times, then Finish once.
class CMd5 {
public:
    CMd5();
    void Update(const void* data, std::size_t size);
    TMd5Digest Finish();

private:
    void Transform(const std::uint8_t block[64]);

    std::uint32_t m_state[4];
    std::uint64_t m_bitCount;
    std::uint8_t m_buffer[64];
    std::size_t m_buffered;
};

TMd5Digest Md5(const void* data, std::size_t size);

// 32 lower-case hexadecimal characters, high nibble first.
std::string Md5Hex(const std::string& text);
std::string DigestToHex(const TMd5Digest& digest);

} // namespace qvx
