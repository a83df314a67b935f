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

// The machine's uninstall registration in one registry view: KEY_WOW64_32KEY or KEY_WOW64_64KEY.
// A null text deletes the value; an empty one leaves the key without it.
void SetRegistration(REGSAM view, const wchar_t* location)
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kUninstallKey, 0, nullptr, 0, KEY_SET_VALUE | view, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    if (location == nullptr || *location == L'\0')
        RegDeleteValueW(key, L"InstallLocation");
    else
        RegSetValueExW(key, L"InstallLocation", 0, REG_SZ, reinterpret_cast<const BYTE*>(location),
                       DWORD((wcslen(location) + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
}

class SoftPathTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(supporttest::EnsureDesktopShell()); }
    void SetUp() override { TearDown(); }
    void TearDown() override
    {
        supporttest::DeleteValue(HKEY_LOCAL_MACHINE, kUninstallKey, L"InstallLocation");
        supporttest::DeleteValue(HKEY_CURRENT_USER, kUninstallKey, L"InstallLocation");
        SetRegistration(KEY_WOW64_32KEY, nullptr);
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

TEST_F(SoftPathTest, MachineRegistrationIsReadInTheOwnViewThenInThe64BitView)
{
    // A 32-bit process reads HKEY_LOCAL_MACHINE\Software through WoW64 redirection; a
    // 64-bit one has no other view, so what only the 32-bit view holds stays unseen.
    const bool wow64 = sizeof(void*) == 4;
    const struct {
        const wchar_t* in32;  // null: no value; empty: the key without the value
        const wchar_t* in64;
        const wchar_t* expected;
    } rows[] = {
        {nullptr, L"C:\\Games\\Sixty", L"C:\\Games\\Sixty\\"},
        {L"", L"C:\\Games\\Sixty", L"C:\\Games\\Sixty\\"},
        {L"C:\\Games\\Thirty", L"C:\\Games\\Sixty", wow64 ? L"C:\\Games\\Thirty\\" : L"C:\\Games\\Sixty\\"},
        {L"C:\\Games\\Thirty", nullptr, wow64 ? L"C:\\Games\\Thirty\\" : L"C:\\User\\Tavrel\\"},
    };
    ASSERT_TRUE(supporttest::SetString(HKEY_CURRENT_USER, kUninstallKey, L"InstallLocation", L"C:\\User\\Tavrel"));
    for (const auto& row : rows) {
        SetRegistration(KEY_WOW64_64KEY, row.in64);
        SetRegistration(KEY_WOW64_32KEY, row.in32);
        if (wow64 && row.in32 == nullptr) {
            // The redirection is real: the process's own view does not see the 64-bit value.
            std::wstring own;
            HKEY key = nullptr;
            if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kUninstallKey, 0, KEY_READ, &key) == ERROR_SUCCESS) {
                wchar_t buffer[MAX_PATH] = {};
                DWORD bytes = sizeof buffer - sizeof(wchar_t);
                if (RegQueryValueExW(key, L"InstallLocation", nullptr, nullptr, reinterpret_cast<BYTE*>(buffer),
                                     &bytes) == ERROR_SUCCESS)
                    own = buffer;
                RegCloseKey(key);
            }
            EXPECT_EQ(own, L"");
        }
        CSoftPath paths;
        paths.Init(nullptr, false, false);
        EXPECT_EQ(paths.GetInstallDir(), row.expected)
            << (row.in32 ? row.in32 : L"-") << " / " << (row.in64 ? row.in64 : L"-");
    }
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
