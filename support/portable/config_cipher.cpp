#include "support/portable/config_cipher.h"

#include <cstring>

#include "support/portable/des.h"
#include "support/portable/md5.h"

namespace qvx {

TDesKey DeriveConfigKey(const std::string& passPhrase)
{
    const std::string hex = Md5Hex(passPhrase);
    TDesKey key{};
    std::memcpy(key.data(), hex.data(), key.size());
    return key;
}

std::vector<std::uint8_t> EncipherConfig(const std::uint8_t* data, std::size_t size, const std::string& passPhrase)
{
    std::vector<std::uint8_t> out(size);
    if (size == 0)
        return out;
    const CDes des(DeriveConfigKey(passPhrase).data());
    des.EncryptEcb(data, out.data(), size);
    return out;
}

std::vector<std::uint8_t> DecipherConfig(const std::uint8_t* data, std::size_t size, const std::string& passPhrase)
{
    std::vector<std::uint8_t> out(size);
    if (size == 0)
        return out;
    const CDes des(DeriveConfigKey(passPhrase).data());
    des.DecryptEcb(data, out.data(), size);
    return out;
}

std::string DecipherConfigText(const std::uint8_t* data, std::size_t size, const std::string& passPhrase)
{
    const std::vector<std::uint8_t> plain = DecipherConfig(data, size, passPhrase);
    std::size_t length = 0;
    while (length < plain.size() && plain[length] != 0)
        ++length;
    return std::string(reinterpret_cast<const char*>(plain.data()), length);
}

} // namespace qvx
