// Path helpers: registry strings, drives, directories, module paths and user names.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <string>

#include "support/path_utils.h"
#include "tests/common/test_env.h"
#include "tests/support/support_test_util.h"

namespace {

const wchar_t kScratchKey[] = L"Software\\QvxPathTest";

// A drive letter that is not mapped in this prefix.
wchar_t UnusedDriveLetter()
{
    const DWORD mask = GetLogicalDrives();
    for (int i = 25; i >= 3; --i) {
        if (!(mask & (1u << i)))
            return wchar_t(L'A' + i);
    }
    return 0;
}

class RegReadStringTest : public ::testing::Test {
protected:
    void SetUp() override { TearDown(); }
    void TearDown() override
    {
        supporttest::DeleteTree(HKEY_CURRENT_USER, kScratchKey);
        supporttest::DeleteTree(HKEY_LOCAL_MACHINE, kScratchKey);
    }
};

TEST_F(RegReadStringTest, ReadsStringsAndYieldsEmptyWhenMissing)
{
    ASSERT_TRUE(supporttest::SetString(HKEY_CURRENT_USER, kScratchKey, L"Name", L"C:\\Games\\Tavrel"));
    EXPECT_EQ(RegReadString(HKEY_CURRENT_USER, kScratchKey, L"Name"), L"C:\\Games\\Tavrel");
    EXPECT_EQ(RegReadString(HKEY_CURRENT_USER, kScratchKey, L"Absent"), L"");
    EXPECT_EQ(RegReadString(HKEY_CURRENT_USER, L"Software\\QvxNoSuchKey", L"Name"), L"");

    ASSERT_TRUE(supporttest::SetString(HKEY_LOCAL_MACHINE, kScratchKey, L"Name", L"machine"));
    EXPECT_EQ(RegReadString(HKEY_LOCAL_MACHINE, kScratchKey, L"Name"), L"machine");
    EXPECT_EQ(RegReadString(HKEY_LOCAL_MACHINE, kScratchKey, L"Absent"), L"");
}

TEST_F(RegReadStringTest, NeverReadsPastItsBuffer)
{
    // 259 characters and the terminator fill the 520-byte buffer.
    const std::wstring fits(259, L'f');
    ASSERT_TRUE(supporttest::SetString(HKEY_CURRENT_USER, kScratchKey, L"Fits", fits));
    EXPECT_EQ(RegReadString(HKEY_CURRENT_USER, kScratchKey, L"Fits"), fits);

    const std::wstring tooLong(400, L'l');
    ASSERT_TRUE(supporttest::SetString(HKEY_CURRENT_USER, kScratchKey, L"TooLong", tooLong));
    EXPECT_EQ(RegReadString(HKEY_CURRENT_USER, kScratchKey, L"TooLong"), L"");
    ASSERT_TRUE(supporttest::SetString(HKEY_LOCAL_MACHINE, kScratchKey, L"TooLong", tooLong));
    EXPECT_EQ(RegReadString(HKEY_LOCAL_MACHINE, kScratchKey, L"TooLong"), L"");

    // Stored without a terminator: still a terminated text.
    const std::wstring bare(259, L'b');
    ASSERT_TRUE(supporttest::SetRawValue(HKEY_CURRENT_USER, kScratchKey, L"Bare", REG_SZ, bare.data(),
                                         DWORD(bare.size() * sizeof(wchar_t))));
    EXPECT_EQ(RegReadString(HKEY_CURRENT_USER, kScratchKey, L"Bare"), bare);
    const std::wstring bareFull(260, L'c'); // 520 bytes, no room for a terminator
    ASSERT_TRUE(supporttest::SetRawValue(HKEY_CURRENT_USER, kScratchKey, L"BareFull", REG_SZ, bareFull.data(),
                                         DWORD(bareFull.size() * sizeof(wchar_t))));
    // 520 bytes without a terminator: either the whole text, terminated, or nothing.
    const std::wstring full = RegReadString(HKEY_CURRENT_USER, kScratchKey, L"BareFull");
    EXPECT_TRUE(full == bareFull || full.empty()) << full.size();
}

TEST(PathUtils, ExistingDriveIsTheFirstLetterOfAMappedDrive)
{
    EXPECT_EQ(GetExistingDrive(L"C:\\Games"), L"C");
    EXPECT_EQ(GetExistingDrive(L"c:\\games"), L"c");
    const wchar_t unused = UnusedDriveLetter();
    ASSERT_NE(unused, 0);
    EXPECT_EQ(GetExistingDrive(std::wstring(1, unused) + L":\\Game"), L"");
    EXPECT_EQ(GetExistingDrive(L"\\\\server\\share\\Game"), L"");
    EXPECT_EQ(GetExistingDrive(L""), L"");
}

TEST(PathUtils, CreateDirectoriesCreatesParentsUpToTheLastSeparator)
{
    const std::wstring base = testenv::MakeTempDir(L"mkdirs");
    const std::wstring deep = base + L"one\\two\\three\\";
    EXPECT_TRUE(CreateDirectories(deep));
    EXPECT_NE(GetFileAttributesW(deep.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(CreateDirectories(deep)); // existing: left alone

    EXPECT_TRUE(CreateDirectories(base + L"one\\four\\last"));
    EXPECT_NE(GetFileAttributesW((base + L"one\\four").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesW((base + L"one\\four\\last").c_str()), INVALID_FILE_ATTRIBUTES);

    const wchar_t unused = UnusedDriveLetter();
    EXPECT_FALSE(CreateDirectories(std::wstring(1, unused) + L":\\x\\y\\"));
    EXPECT_FALSE(CreateDirectories(L"\\GameQVX\\"));
    testenv::RemoveTree(base);
}

TEST(PathUtils, ModuleDirAndShellFolders)
{
    const std::wstring dir = GetModuleDir(nullptr);
    ASSERT_TRUE(HasTrailingSlash(dir));
    wchar_t exe[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    EXPECT_EQ(std::wstring(exe).rfind(dir, 0), 0u);
    EXPECT_EQ(std::wstring(exe).find(L'\\', dir.size()), std::wstring::npos);

    EXPECT_FALSE(GetShellFolder(CSIDL_APPDATA, false).empty());
    EXPECT_FALSE(GetShellFolder(CSIDL_LOCAL_APPDATA, false).empty());
    EXPECT_EQ(GetShellFolder(0x7fff, false), L"");
}

TEST(PathUtils, TrailingSeparators)
{
    EXPECT_TRUE(HasTrailingSlash(L"C:\\"));
    EXPECT_TRUE(HasTrailingSlash(L"C:/a/"));
    EXPECT_FALSE(HasTrailingSlash(L"C:\\a"));
    EXPECT_FALSE(HasTrailingSlash(L""));
    EXPECT_EQ(EnsureTrailingSeparator(L"C:\\a"), L"C:\\a\\");
    EXPECT_EQ(EnsureTrailingSeparator(L"C:\\a/"), L"C:\\a/");
    EXPECT_EQ(EnsureTrailingSeparator(L""), L"\\");
}

TEST(PathUtils, UserNamesMatchByCaseInsensitivePrefix)
{
    EXPECT_TRUE(UserNameMatches(L"ann", L"anna"));
    EXPECT_TRUE(UserNameMatches(L"ANN", L"anna"));
    EXPECT_FALSE(UserNameMatches(L"anna", L"ann"));
    EXPECT_FALSE(UserNameMatches(L"bob", L"anna"));
    EXPECT_TRUE(UserNameMatches(L"", L"anna"));
    EXPECT_TRUE(UserNameMatches(nullptr, nullptr));
    EXPECT_FALSE(UserNameMatches(nullptr, L"anna"));
    EXPECT_FALSE(UserNameMatches(L"anna", nullptr));
    // Only the first 1024 characters of the first name count.
    const std::wstring longName(1100, L'x');
    EXPECT_TRUE(UserNameMatches(longName.c_str(), std::wstring(1024, L'X').c_str()));
}

} // namespace
