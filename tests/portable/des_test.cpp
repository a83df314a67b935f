#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "support/portable/config_cipher.h"
#include "support/portable/des.h"

namespace {

std::vector<std::uint8_t> FromHex(const std::string& hex)
{
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes.push_back(static_cast<std::uint8_t>(std::stoul(hex.substr(i, 2), nullptr, 16)));
    return bytes;
}

std::string ToHex(const std::uint8_t* bytes, std::size_t size)
{
    static const char kHex[] = "0123456789ABCDEF";
    std::string hex;
    for (std::size_t i = 0; i < size; ++i) {
        hex.push_back(kHex[bytes[i] >> 4]);
        hex.push_back(kHex[bytes[i] & 15]);
    }
    return hex;
}

struct TKnownAnswer {
    const char* key;
    const char* plain;
    const char* cipher;
};

TEST(Des, KnownAnswersInBothDirections)
{
    const TKnownAnswer answers[] = {
        {"133457799BBCDFF1", "0123456789ABCDEF", "85E813540F0AB405"},
        {"0000000000000000", "0000000000000000", "8CA64DE9C1B123A7"},
        {"FFFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFFF", "7359B2163E4EDC58"},
        {"3000000000000000", "1000000000000001", "958E6E627A05557B"},
        {"0123456789ABCDEF", "1111111111111111", "17668DFC7292532D"},
        {"0123456789ABCDEF", "4E6F772069732074", "3FA40E8A984D4815"},
    };
    for (const TKnownAnswer& answer : answers) {
        const qvx::CDes des(FromHex(answer.key).data());
        std::uint8_t out[8];
        des.EncryptBlock(FromHex(answer.plain).data(), out);
        EXPECT_EQ(ToHex(out, 8), answer.cipher) << "key " << answer.key;
        des.DecryptBlock(FromHex(answer.cipher).data(), out);
        EXPECT_EQ(ToHex(out, 8), answer.plain) << "key " << answer.key;
    }
}

TEST(Des, ParityBitsDoNotChangeTheKey)
{
    // Flipping the low bit of every key byte leaves the schedule unchanged.
    const qvx::CDes a(FromHex("133457799BBCDFF1").data());
    const qvx::CDes b(FromHex("123556789ABDDEF0").data());
    std::uint8_t outA[8], outB[8];
    const std::vector<std::uint8_t> plain = FromHex("0123456789ABCDEF");
    a.EncryptBlock(plain.data(), outA);
    b.EncryptBlock(plain.data(), outB);
    EXPECT_EQ(ToHex(outA, 8), ToHex(outB, 8));
}

TEST(Des, EcbCopiesTrailingBytesAndRoundTrips)
{
    const qvx::CDes des(FromHex("133457799BBCDFF1").data());
    for (std::size_t size : {0u, 1u, 7u, 8u, 9u, 15u, 16u, 23u}) {
        std::vector<std::uint8_t> plain(size);
        for (std::size_t i = 0; i < size; ++i)
            plain[i] = static_cast<std::uint8_t>(i * 37 + 1);
        std::vector<std::uint8_t> cipher(size), back(size);
        des.EncryptEcb(plain.data(), cipher.data(), size);
        const std::size_t whole = size - size % 8;
        for (std::size_t i = whole; i < size; ++i)
            EXPECT_EQ(cipher[i], plain[i]) << "trailing byte " << i << " of " << size;
        if (whole > 0) {
            EXPECT_NE(std::vector<std::uint8_t>(cipher.begin(), cipher.begin() + whole),
                      std::vector<std::uint8_t>(plain.begin(), plain.begin() + whole));
        }
        des.DecryptEcb(cipher.data(), back.data(), size);
        EXPECT_EQ(back, plain) << "size " << size;
    }
}

TEST(Des, EcbBlocksAreIndependentAndWorkInPlace)
{
    const qvx::CDes des(FromHex("133457799BBCDFF1").data());
    std::vector<std::uint8_t> data = FromHex("0123456789ABCDEF0123456789ABCDEF");
    des.EncryptEcb(data.data(), data.data(), data.size());
    EXPECT_EQ(ToHex(data.data(), 16), "85E813540F0AB40585E813540F0AB405");
}

TEST(ConfigCipher, KeyIsFirstEightHexDigitsOfPassPhraseDigest)
{
    // md5("abc") = 900150983cd24fb0...
    const qvx::TDesKey key = qvx::DeriveConfigKey("abc");
    EXPECT_EQ(std::string(key.begin(), key.end()), "90015098");
}

TEST(ConfigCipher, RoundTripWithPassPhraseAndWrongPhraseGarbles)
{
    const std::string text = "[Soft]\nSOFT_NAME_EN=GameQVX\n[SoftParam]\nKEY_MAIN_NAME=Tavrel\n";
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    const std::vector<std::uint8_t> cipher = qvx::EncipherConfig(bytes, text.size(), "MirthTallowRun");
    ASSERT_EQ(cipher.size(), text.size());
    EXPECT_EQ(qvx::DecipherConfigText(cipher.data(), cipher.size(), "MirthTallowRun"), text);
    EXPECT_NE(qvx::DecipherConfigText(cipher.data(), cipher.size(), "MirthTallowRuN"), text);
}

TEST(ConfigCipher, DecipheredTextEndsAtFirstZeroByte)
{
    const std::string text("ab\0cdefghij", 11);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    const std::vector<std::uint8_t> cipher = qvx::EncipherConfig(bytes, text.size(), "pass");
    EXPECT_EQ(qvx::DecipherConfigText(cipher.data(), cipher.size(), "pass"), "ab");
    EXPECT_EQ(qvx::DecipherConfigText(nullptr, 0, "pass"), "");
}

} // namespace
