#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/common/test_env.h"
#include "tests/ui/core/core_test_util.h"
#include "ui/core/zip_archive.h"

using namespace SkinUI;
using coretest::BuildZip;
using coretest::ZipEntry;

namespace {

std::string Extracted(const CZipArchive& zip, int index, CZipArchive::EResult* result = nullptr) {
    CUIBuffer out;
    const CZipArchive::EResult r = zip.Extract(index, out);
    if (result) *result = r;
    return r == CZipArchive::kOk ? std::string(reinterpret_cast<const char*>(out.Data()), out.Size()) : "<fail>";
}

ZipEntry Entry(const std::string& name, const std::string& data, uint16_t method = 8) {
    ZipEntry e;
    e.name = name;
    e.data = data;
    e.method = method;
    return e;
}

}  // namespace

TEST(CZipArchiveTest, StoredAndDeflatedMembersByName) {
    const std::string big(100000, 'x');
    const std::string zip = BuildZip({Entry("skin/msg.xml", "<Window/>", 0), Entry("btn_close.png", big, 8),
                                      Entry("empty.txt", "", 0)});
    CZipArchive archive;
    ASSERT_TRUE(archive.OpenMemory(zip.data(), zip.size()));
    EXPECT_EQ(3, archive.GetMemberCount());
    // Names compare ignoring ASCII case; a backslash matches a slash.
    EXPECT_EQ(0, archive.FindMember(L"SKIN\\MSG.XML"));
    EXPECT_EQ(-1, archive.FindMember(L"SKIN\\MSG.XML", false));
    EXPECT_EQ(0, archive.FindMember(L"skin/msg.xml", false));
    EXPECT_EQ(1, archive.FindMember(L"BTN_CLOSE.PNG"));
    EXPECT_EQ(-1, archive.FindMember(L"missing.png"));
    EXPECT_EQ("<Window/>", Extracted(archive, 0));
    EXPECT_EQ(big, Extracted(archive, 1));
    EXPECT_EQ("", Extracted(archive, 2));
    CZipArchive::EResult r;
    Extracted(archive, 7, &r);
    EXPECT_EQ(CZipArchive::kNotFound, r);
}

TEST(CZipArchiveTest, UnicodeNamesAndTheNameLengthLimit) {
    const std::string longName(255, 'n');
    const std::string tooLong(256, 'm');
    const std::string zip = BuildZip({Entry("\xE7\x9A\xAE\xE8\x82\xA4.xml", "a"),  // 皮肤.xml
                                      Entry(longName, "b"), Entry(tooLong, "c")});
    CZipArchive archive;
    ASSERT_TRUE(archive.OpenMemory(zip.data(), zip.size()));
    EXPECT_EQ(0, archive.FindMember(L"\x76AE\x80A4.xml"));
    EXPECT_EQ(1, archive.FindMember(coretest::Widen(longName).c_str()));
    EXPECT_EQ(-1, archive.FindMember(coretest::Widen(tooLong).c_str()));
}

TEST(CZipArchiveTest, ReportedNamesLoseDrivesLeadingSlashesAndParentParts) {
    EXPECT_EQ("evil.txt", CZipArchive::SanitizeName("../../evil.txt"));
    EXPECT_EQ("win/evil.txt", CZipArchive::SanitizeName("C:\\..\\win\\evil.txt"));
    EXPECT_EQ("etc/passwd", CZipArchive::SanitizeName("///etc/passwd"));
    EXPECT_EQ("a/b/c.png", CZipArchive::SanitizeName("a/../b/./c.png"));
    EXPECT_EQ("dir/", CZipArchive::SanitizeName("dir/"));
    const std::string zip = BuildZip({Entry("../../evil.txt", "x"), Entry("/abs/name.xml", "y")});
    CZipArchive archive;
    ASSERT_TRUE(archive.OpenMemory(zip.data(), zip.size()));
    EXPECT_EQ("evil.txt", archive.GetMember(0)->name);
    EXPECT_EQ("../../evil.txt", archive.GetMember(0)->rawName);
    EXPECT_EQ(1, archive.FindMember(L"abs/name.xml"));
}

TEST(CZipArchiveTest, UnsupportedMethodIsRefused) {
    ZipEntry e = Entry("bz.bin", "data", 12);
    e.rawData = true;
    const std::string zip = BuildZip({e});
    CZipArchive archive;
    ASSERT_TRUE(archive.OpenMemory(zip.data(), zip.size()));
    CZipArchive::EResult r;
    Extracted(archive, 0, &r);
    EXPECT_EQ(CZipArchive::kUnsupported, r);
}

TEST(CZipArchiveTest, HostileHeadersAreCaught) {
    CZipArchive archive;
    CZipArchive::EResult r;

    // Wrong CRC.
    ZipEntry badCrc = Entry("a.xml", "hello world");
    badCrc.claimedCrc = 0x12345678;
    std::string zip = BuildZip({badCrc});
    ASSERT_TRUE(archive.OpenMemory(zip.data(), zip.size()));
    Extracted(archive, 0, &r);
    EXPECT_EQ(CZipArchive::kCorrupt, r);

    // Claimed size smaller or larger than what inflates.
    for (int64_t claimed : {5, 50}) {
        ZipEntry lie = Entry("a.xml", "hello world, hello world");
        lie.claimedSize = claimed;
        zip = BuildZip({lie});
        ASSERT_TRUE(archive.OpenMemory(zip.data(), zip.size()));
        Extracted(archive, 0, &r);
        EXPECT_EQ(CZipArchive::kCorrupt, r) << claimed;
    }
    // Stored member whose sizes disagree.
    ZipEntry stored = Entry("s.txt", "abcdef", 0);
    stored.claimedSize = 3;
    zip = BuildZip({stored});
    ASSERT_TRUE(archive.OpenMemory(zip.data(), zip.size()));
    Extracted(archive, 0, &r);
    EXPECT_EQ(CZipArchive::kCorrupt, r);

    // Compressed size or local offset running past the archive.
    ZipEntry pastEnd = Entry("p.txt", "abcdef");
    pastEnd.claimedCompressedSize = 0x7FFFFFF0;
    ZipEntry farOffset = Entry("o.txt", "abcdef");
    farOffset.claimedLocalOffset = 0xFFFFFF00;
    ZipEntry wrongOffset = Entry("w.txt", "abcdef");
    wrongOffset.claimedLocalOffset = 3;  // not a local header
    zip = BuildZip({pastEnd, farOffset, wrongOffset});
    ASSERT_TRUE(archive.OpenMemory(zip.data(), zip.size()));
    for (int i = 0; i < 3; ++i) {
        Extracted(archive, i, &r);
        EXPECT_EQ(CZipArchive::kCorrupt, r) << i;
    }

    // Garbage deflate data.
    ZipEntry garbage = Entry("g.bin", "\xFF\xFF\xFF\xFF\xFF\xFF", 8);
    garbage.rawData = true;
    garbage.claimedSize = 100;
    zip = BuildZip({garbage});
    ASSERT_TRUE(archive.OpenMemory(zip.data(), zip.size()));
    Extracted(archive, 0, &r);
    EXPECT_EQ(CZipArchive::kCorrupt, r);
}

TEST(CZipArchiveTest, ZipBombsFailWithoutHugeAllocations) {
    // 96 MiB of zeros, honestly declared: refused before extraction.
    ZipEntry honest;
    honest.name = "bomb.bin";
    honest.method = 8;
    honest.rawData = true;
    honest.data = coretest::DeflateZeros(96u << 20);
    honest.claimedSize = 96u << 20;
    honest.claimedCrc = 0;
    // The same stream declared as 1 KiB: inflating stops at the declared size.
    ZipEntry liar = honest;
    liar.name = "liar.bin";
    liar.claimedSize = 1024;
    const std::string zip = BuildZip({honest, liar});
    CZipArchive archive;
    ASSERT_TRUE(archive.OpenMemory(zip.data(), zip.size()));
    CZipArchive::EResult r;
    Extracted(archive, 0, &r);
    EXPECT_EQ(CZipArchive::kTooLarge, r);
    Extracted(archive, 1, &r);
    EXPECT_EQ(CZipArchive::kCorrupt, r);
}

TEST(CZipArchiveTest, TruncatedAndMalformedArchivesDoNotOpen) {
    const std::string zip = BuildZip({Entry("a.xml", std::string(5000, 'a')), Entry("b.xml", "bbb")});
    CZipArchive archive;
    EXPECT_FALSE(archive.OpenMemory(zip.data(), zip.size() / 2));
    EXPECT_FALSE(archive.OpenMemory(zip.data(), 10));
    EXPECT_FALSE(archive.OpenMemory(nullptr, 100));
    EXPECT_FALSE(archive.OpenMemory("not a zip at all, just text........", 35));
    EXPECT_FALSE(archive.IsOpen());
    // An end record that claims more entries than its directory holds.
    std::string lying = zip;
    const size_t eocd = lying.size() - 22;
    lying[eocd + 10] = static_cast<char>(0xFF);
    lying[eocd + 11] = static_cast<char>(0x7F);
    EXPECT_FALSE(archive.OpenMemory(lying.data(), lying.size()));
    // A directory offset beyond the end record.
    std::string distant = zip;
    distant[distant.size() - 22 + 16] = static_cast<char>(0xFF);
    distant[distant.size() - 22 + 19] = static_cast<char>(0x7F);
    EXPECT_FALSE(archive.OpenMemory(distant.data(), distant.size()));
}

TEST(CZipArchiveTest, RandomCorruptionNeverCrashes) {
    const std::string zip = BuildZip({Entry("skin/a.xml", std::string(3000, 'q')), Entry("b.png", "0123456789", 0),
                                      Entry("c.txt", std::string(700, 'z'))});
    unsigned seed = 12345;
    auto next = [&seed]() {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) & 0x7FFF;
    };
    for (int round = 0; round < 3000; ++round) {
        std::string bad = zip;
        const int flips = 1 + static_cast<int>(next() % 4);
        for (int i = 0; i < flips; ++i) bad[next() % bad.size()] = static_cast<char>(next() & 0xFF);
        if (next() % 5 == 0) bad.resize(next() % bad.size());
        CZipArchive archive;
        if (!archive.OpenMemory(bad.data(), bad.size())) continue;
        for (int i = 0; i < archive.GetMemberCount(); ++i) {
            CUIBuffer out;
            if (archive.Extract(i, out) == CZipArchive::kOk) {
                EXPECT_EQ(archive.GetMember(i)->uncompressedSize, out.Size());
            }
        }
    }
}

TEST(CZipArchiveTest, TraditionalPasswordFromZipTool) {
    // Made at build time with `zip -P`.
    const std::wstring path = testenv::BinaryDir() + L"ui_core_fixtures\\password.zip";
    ASSERT_TRUE(testenv::FileExists(path)) << "missing fixture";
    CZipArchive archive;
    ASSERT_TRUE(archive.OpenFile(path.c_str(), "Tavrel-2024"));
    const int index = archive.FindMember(L"secret.xml");
    ASSERT_GE(index, 0);
    EXPECT_TRUE(archive.GetMember(index)->IsEncrypted());
    const std::string text = Extracted(archive, index);
    EXPECT_NE(std::string::npos, text.find("<Window")) << text;

    CZipArchive wrong;
    ASSERT_TRUE(wrong.OpenFile(path.c_str(), "nope"));
    CZipArchive::EResult r;
    Extracted(wrong, wrong.FindMember(L"secret.xml"), &r);
    EXPECT_NE(CZipArchive::kOk, r);
    CZipArchive none;
    ASSERT_TRUE(none.OpenFile(path.c_str()));
    Extracted(none, none.FindMember(L"secret.xml"), &r);
    EXPECT_EQ(CZipArchive::kBadPassword, r);
}
