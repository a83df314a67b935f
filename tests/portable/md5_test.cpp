#include <gtest/gtest.h>

#include <string>

#include "support/portable/md5.h"

namespace {

TEST(Md5, Rfc1321Suite)
{
    EXPECT_EQ(qvx::Md5Hex(""), "d41d8cd98f00b204e9800998ecf8427e");
    EXPECT_EQ(qvx::Md5Hex("a"), "0cc175b9c0f1b6a831c399e269772661");
    EXPECT_EQ(qvx::Md5Hex("abc"), "900150983cd24fb0d6963f7d28e17f72");
    EXPECT_EQ(qvx::Md5Hex("message digest"), "f96b697d7cb7938d525a2f31aaf161d0");
    EXPECT_EQ(qvx::Md5Hex("abcdefghijklmnopqrstuvwxyz"), "c3fcd3d76192e4007dfb496cca67e13b");
    EXPECT_EQ(qvx::Md5Hex("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"),
              "d174ab98d277d9f5a5611c2c9f419d9f");
    EXPECT_EQ(qvx::Md5Hex("1234567890123456789012345678901234567890"
                          "1234567890123456789012345678901234567890"),
              "57edf4a22be3c955ac49da2e2107b67a");
}

TEST(Md5, IncrementalUpdatesAcrossBlockBoundariesMatchOneShot)
{
    std::string text;
    for (int i = 0; i < 300; ++i)
        text.push_back(char('a' + i % 26));
    const qvx::TMd5Digest whole = qvx::Md5(text.data(), text.size());
    for (std::size_t split : {1u, 55u, 56u, 63u, 64u, 65u, 128u, 299u}) {
        qvx::CMd5 md5;
        md5.Update(text.data(), split);
        md5.Update(text.data() + split, text.size() - split);
        EXPECT_EQ(md5.Finish(), whole) << "split at " << split;
    }
}

TEST(Md5, HexIsLowerCaseHighNibbleFirst)
{
    qvx::TMd5Digest digest{};
    digest[0] = 0xAB;
    digest[15] = 0x0F;
    EXPECT_EQ(qvx::DigestToHex(digest), "ab00000000000000000000000000000f");
}

} // namespace
