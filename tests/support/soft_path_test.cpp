// Software paths: install directory sources, application-data directories.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <string>

#include "support/path_utils.h"
#include "support/soft_path.h"
#include "tests/common/test_env.h"
#include "tests/support/support_test_util.h"

namespace {

const wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

wchar_t UnusedDriveLetter()
{
    const DWORD mask = GetLogicalDrives();
    for (int i = 25; i >= 3; --i) {
        if (!(mask & (1u << i)))
            return wchar_t(L'A' + i);
    }
    return 0;
}

class SoftPathTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(supporttest::EnsureDesktopShell()); }
    void SetUp() override { TearDown(); }
    void TearDown() override
    {
        supporttest::DeleteValue(HKEY_LOCAL_MACHINE, kUninstallKey, L"InstallLocation");
        supporttest::DeleteValue(HKEY_CURRENT_USER, kUninstallKey, L"InstallLocation");
    }
};

TEST_F(SoftPathTest, ProductDataDirectoryIsCreatedUnderRoamingAppData)
{
    const std::wstring roaming = EnsureTrailingSeparator(GetShellFolder(CSIDL_APPDATA, false));
    testenv::RemoveTree(roaming + L"GameQVX");

    CSoftPath paths;
    EXPECT_TRUE(paths.Init(nullptr, false, false));
    EXPECT_EQ(paths.GetRoamingAppDataDir(), roaming);
    EXPECT_EQ(paths.GetLocalAppDataDir(), EnsureTrailingSeparator(GetShellFolder(CSIDL_LOCAL_APPDATA, false)));
    EXPECT_EQ(paths.GetProductDataDir(), roaming + L"GameQVX\\");
    const DWORD attributes = GetFileAttributesW(paths.GetProductDataDir().c_str());
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

TEST_F(SoftPathTest, DesktopHiveFlagReadsTheShellFoldersKey)
{
    // The desktop user is the current user here, so both routes must agree.
    CSoftPath paths;
    paths.Init(nullptr, true, false);
    EXPECT_EQ(paths.GetRoamingAppDataDir(), EnsureTrailingSeparator(GetShellFolder(CSIDL_APPDATA, false)));
    EXPECT_EQ(paths.GetLocalAppDataDir(), EnsureTrailingSeparator(GetShellFolder(CSIDL_LOCAL_APPDATA, false)));
}

TEST_F(SoftPathTest, MachineInstallLocationWins)
{
    ASSERT_TRUE(supporttest::SetString(HKEY_LOCAL_MACHINE, kUninstallKey, L"InstallLocation", L"C:\\Games\\Tavrel"));
    ASSERT_TRUE(supporttest::SetString(HKEY_CURRENT_USER, kUninstallKey, L"InstallLocation", L"C:\\User\\Tavrel"));
    CSoftPath paths;
    paths.Init(nullptr, false, false);
    EXPECT_EQ(paths.GetInstallDir(), L"C:\\Games\\Tavrel\\");
}

TEST_F(SoftPathTest, LocationOnAMissingDriveFallsThrough)
{
    const std::wstring missing = std::wstring(1, UnusedDriveLetter()) + L":\\Game";
    ASSERT_TRUE(supporttest::SetString(HKEY_LOCAL_MACHINE, kUninstallKey, L"InstallLocation", missing));
    ASSERT_TRUE(supporttest::SetString(HKEY_CURRENT_USER, kUninstallKey, L"InstallLocation", L"C:\\User\\Tavrel/"));
    {
        CSoftPath paths;
        paths.Init(nullptr, false, false);
        EXPECT_EQ(paths.GetInstallDir(), L"C:\\User\\Tavrel/");
    }
    // The user's entry on a missing drive too: the local application-data default.
    ASSERT_TRUE(supporttest::SetString(HKEY_CURRENT_USER, kUninstallKey, L"InstallLocation", missing));
    {
        CSoftPath paths;
        paths.Init(nullptr, false, false);
        EXPECT_EQ(paths.GetInstallDir(),
                  EnsureTrailingSeparator(GetShellFolder(CSIDL_LOCAL_APPDATA, false)) + L"GameQVX\\");
    }
}

TEST_F(SoftPathTest, WithTheDesktopHiveFlagTheUserEntryIsNotAsked)
{
    ASSERT_TRUE(supporttest::SetString(HKEY_CURRENT_USER, kUninstallKey, L"InstallLocation", L"C:\\User\\Tavrel"));
    CSoftPath paths;
    paths.Init(nullptr, true, false);
    EXPECT_EQ(paths.GetInstallDir(), EnsureTrailingSeparator(GetShellFolder(CSIDL_LOCAL_APPDATA, false)) + L"GameQVX\\");
}

TEST_F(SoftPathTest, OnlyTheFirstInitCounts)
{
    CSoftPath paths;
    paths.Init(nullptr, false, false);
    const std::wstring first = paths.GetInstallDir();
    ASSERT_TRUE(supporttest::SetString(HKEY_LOCAL_MACHINE, kUninstallKey, L"InstallLocation", L"C:\\Later"));
    EXPECT_TRUE(paths.Init(nullptr, false, false));
    EXPECT_EQ(paths.GetInstallDir(), first);
    EXPECT_EQ(CSoftPath::GetInstance(), CSoftPath::GetInstance());
}

} // namespace
