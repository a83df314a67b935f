// Registry persistence in the desktop user's hive, against Wine's real registry.
#include <gtest/gtest.h>

#include <string>

#include "support/desktop_user.h"
#include "support/regedit_serialize.h"
#include "support/win/scoped_handle.h"
#include "tests/common/test_env.h"
#include "tests/support/support_test_util.h"

namespace {

const wchar_t kKey1[] = L"QvxSerializeTest";
const wchar_t kKey2[] = L"Main";

class RegeditSerializeTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(supporttest::EnsureDesktopShell()); }

    void SetUp() override
    {
        m_key1Path = supporttest::DesktopSoftwareKey() + L"\\" + kKey1;
        m_key2Path = m_key1Path + L"\\" + kKey2;
        supporttest::DeleteTree(HKEY_USERS, m_key1Path);
    }
    void TearDown() override { supporttest::DeleteTree(HKEY_USERS, m_key1Path); }

    std::wstring m_key1Path;
    std::wstring m_key2Path;
};

TEST_F(RegeditSerializeTest, DesktopUserIsTheShellOwner)
{
    EXPECT_NE(FindProcessByImage(L"EXPLORER.EXE"), 0u);
    // The image path is upper-cased before the search, so a lower-case text never matches.
    EXPECT_EQ(FindProcessByImage(L"explorer.exe"), 0u);
    EXPECT_EQ(FindProcessByImage(L"NO_SUCH_IMAGE_QVX.EXE"), 0u);
    EXPECT_EQ(FindProcessByImage(L""), 0u);

    const std::wstring sid = GetDesktopUserSid();
    EXPECT_EQ(sid.rfind(L"S-1-5-", 0), 0u) << sid;
    EXPECT_FALSE(GetDesktopUserName().empty());
    EXPECT_TRUE(supporttest::KeyExists(HKEY_USERS, sid + L"\\SoftWare"));
}

TEST_F(RegeditSerializeTest, ImagePathsAreMatchedUpperCasedAndBySubstring)
{
    const std::wstring dir = testenv::MakeTempDir(L"image");
    const std::wstring exe = dir + L"qvxprobe_Explorer.exe";
    ASSERT_TRUE(testenv::CopyInto(testenv::FixtureFile(L"qvx.exe"), exe));
    ScopedHandle process(testenv::Start(L"\"" + exe + L"\" --hidden --exit-after 60000", dir));
    ASSERT_TRUE(process);
    const DWORD pid = GetProcessId(process.get());
    EXPECT_TRUE(testenv::WaitFor([pid] { return FindProcessByImage(L"QVXPROBE_EXPLORER.EXE") == pid; }, 15000));
    EXPECT_EQ(FindProcessByImage(L"PROBE_EXPLORER"), pid);
    TerminateProcess(process.get(), 0);
    WaitForSingleObject(process.get(), 10000);
    EXPECT_EQ(FindProcessByImage(L"QVXPROBE_EXPLORER.EXE"), 0u);
    testenv::RemoveTree(dir);
}

TEST_F(RegeditSerializeTest, WriteCreatesBothLevelsAndOverwrites)
{
    CRegeditSerialize serialize;
    ASSERT_FALSE(supporttest::KeyExists(HKEY_USERS, m_key1Path));
    EXPECT_TRUE(serialize.Write(kKey1, kKey2, L"Marker", L"0"));
    EXPECT_FALSE(serialize.GetSid().empty());

    std::wstring stored;
    ASSERT_TRUE(supporttest::GetString(HKEY_USERS, m_key2Path, L"Marker", stored));
    EXPECT_EQ(stored, L"0");
    EXPECT_EQ(serialize.Read(kKey1, kKey2, L"Marker", L"x"), L"0");

    EXPECT_TRUE(serialize.Write(kKey1, kKey2, L"Marker", L"1"));
    EXPECT_EQ(serialize.Read(kKey1, kKey2, L"Marker", L"x"), L"1");

    // Another object (its own SID lookup) sees the same value.
    CRegeditSerialize other;
    EXPECT_EQ(other.Read(kKey1, kKey2, L"Marker", nullptr), L"1");
}

TEST_F(RegeditSerializeTest, MissingOrEmptyValuesReadAsTheFallback)
{
    CRegeditSerialize serialize;
    EXPECT_EQ(serialize.Read(kKey1, kKey2, L"Marker", L"0"), L"0"); // keys absent
    EXPECT_EQ(serialize.Read(kKey1, kKey2, L"Marker", nullptr), L"");

    ASSERT_TRUE(serialize.Write(kKey1, kKey2, L"Other", L"v"));
    EXPECT_EQ(serialize.Read(kKey1, kKey2, L"Marker", L"0"), L"0"); // value absent

    ASSERT_TRUE(serialize.Write(kKey1, kKey2, L"Marker", L""));
    EXPECT_EQ(serialize.Read(kKey1, kKey2, L"Marker", L"0"), L"0"); // value empty
    EXPECT_EQ(serialize.Read(kKey1, kKey2, L"Marker", nullptr), L"");
}

TEST_F(RegeditSerializeTest, UnnamedValueIsAddressedByAnEmptyName)
{
    CRegeditSerialize serialize;
    ASSERT_TRUE(serialize.Write(kKey1, kKey2, L"", L"D:\\Games\\X"));
    EXPECT_EQ(serialize.Read(kKey1, kKey2, L"", L"0"), L"D:\\Games\\X");
}

TEST_F(RegeditSerializeTest, ReadNeverReadsPastItsBuffer)
{
    CRegeditSerialize serialize;
    ASSERT_TRUE(serialize.Write(kKey1, kKey2, L"Probe", L"x"));

    // 511 characters and the terminator fill the query exactly.
    const std::wstring fits(511, L'a');
    ASSERT_TRUE(serialize.Write(kKey1, kKey2, L"Fits", fits.c_str()));
    EXPECT_EQ(serialize.Read(kKey1, kKey2, L"Fits", L"fallback"), fits);

    // Longer values do not fit the query: the fallback, never a partial or garbled text.
    const std::wstring tooLong(600, L'b');
    ASSERT_TRUE(serialize.Write(kKey1, kKey2, L"TooLong", tooLong.c_str()));
    EXPECT_EQ(serialize.Read(kKey1, kKey2, L"TooLong", L"fallback"), L"fallback");
    const std::wstring justOver(512, L'c');
    ASSERT_TRUE(serialize.Write(kKey1, kKey2, L"JustOver", justOver.c_str()));
    EXPECT_EQ(serialize.Read(kKey1, kKey2, L"JustOver", L"fallback"), L"fallback");

    // REG_SZ stored without its terminator still reads as a terminated text.
    const std::wstring bare = L"abc";
    ASSERT_TRUE(supporttest::SetRawValue(HKEY_USERS, m_key2Path, L"Bare", REG_SZ, bare.data(),
                                         DWORD(bare.size() * sizeof(wchar_t))));
    EXPECT_EQ(serialize.Read(kKey1, kKey2, L"Bare", L"fallback"), L"abc");
    const std::wstring bareFull(512, L'd'); // exactly 1024 bytes, no terminator
    ASSERT_TRUE(supporttest::SetRawValue(HKEY_USERS, m_key2Path, L"BareFull", REG_SZ, bareFull.data(),
                                         DWORD(bareFull.size() * sizeof(wchar_t))));
    // No room for a terminator in the query: either the whole text, terminated, or the fallback.
    const std::wstring full = serialize.Read(kKey1, kKey2, L"BareFull", L"fallback");
    EXPECT_TRUE(full == bareFull || full == L"fallback") << full.size();

    // An odd byte count leaves half a character; it is not taken.
    const char odd[] = {'x', 0, 'y'};
    ASSERT_TRUE(supporttest::SetRawValue(HKEY_USERS, m_key2Path, L"Odd", REG_SZ, odd, 3));
    EXPECT_EQ(serialize.Read(kKey1, kKey2, L"Odd", L"fallback"), L"x");
}

TEST_F(RegeditSerializeTest, DeleteRemovesTheTreeBeneathKey1)
{
    CRegeditSerialize serialize;
    ASSERT_TRUE(serialize.Write(kKey1, kKey2, L"Marker", L"1"));
    ASSERT_TRUE(serialize.Write(kKey1, L"Second", L"Marker", L"1"));

    EXPECT_TRUE(serialize.Delete(kKey1, L"Second", nullptr));
    EXPECT_FALSE(supporttest::KeyExists(HKEY_USERS, m_key1Path + L"\\Second"));
    EXPECT_TRUE(supporttest::KeyExists(HKEY_USERS, m_key2Path));

    EXPECT_TRUE(serialize.Delete(kKey1, nullptr, nullptr));
    EXPECT_FALSE(supporttest::KeyExists(HKEY_USERS, m_key1Path));
    EXPECT_EQ(serialize.Read(kKey1, kKey2, L"Marker", L"0"), L"0");

    // Deleting what is already gone still answers true.
    EXPECT_TRUE(serialize.Delete(kKey1, kKey2, L"Deeper"));
}

TEST_F(RegeditSerializeTest, DeleteWithoutKey1TouchesNothing)
{
    CRegeditSerialize serialize;
    ASSERT_TRUE(serialize.Write(kKey1, kKey2, L"Marker", L"1"));
    EXPECT_FALSE(serialize.Delete(nullptr, kKey2, nullptr));
    // An empty key1 would name the whole Software tree; it is refused as well.
    EXPECT_FALSE(serialize.Delete(L"", nullptr, nullptr));
    EXPECT_TRUE(supporttest::KeyExists(HKEY_USERS, supporttest::DesktopSoftwareKey()));
    EXPECT_EQ(serialize.Read(kKey1, kKey2, L"Marker", L"0"), L"1");
}

} // namespace
