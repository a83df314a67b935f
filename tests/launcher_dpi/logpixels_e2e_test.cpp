// The launcher at the display scale that the system reports: LogPixels in the
// prefix's HKCU\Control Panel\Desktop changes the DPI of every process started
// afterwards, so these tests run alone and put the value back.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "support/desktop_user.h"
#include "tests/common/test_env.h"

namespace {

const wchar_t kDesktopKey[] = L"Control Panel\\Desktop";

// Sets LogPixels for the test's lifetime; the earlier value (or its absence) comes back.
class LogPixels {
public:
    explicit LogPixels(DWORD dpi) {
        RegCreateKeyExW(HKEY_CURRENT_USER, kDesktopKey, 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr,
                        &m_key, nullptr);
        DWORD size = sizeof(m_old);
        m_had = m_key != nullptr &&
                RegQueryValueExW(m_key, L"LogPixels", nullptr, nullptr, reinterpret_cast<BYTE*>(&m_old), &size) ==
                    ERROR_SUCCESS;
        if (m_key != nullptr) RegSetValueExW(m_key, L"LogPixels", 0, REG_DWORD, reinterpret_cast<BYTE*>(&dpi), 4);
    }
    ~LogPixels() {
        if (m_key == nullptr) return;
        if (m_had)
            RegSetValueExW(m_key, L"LogPixels", 0, REG_DWORD, reinterpret_cast<BYTE*>(&m_old), 4);
        else
            RegDeleteValueW(m_key, L"LogPixels");
        RegCloseKey(m_key);
    }

private:
    HKEY m_key = nullptr;
    DWORD m_old = 0;
    bool m_had = false;
};

std::wstring ConfigName(const wchar_t* key) {
    wchar_t buf[256] = {};
    const std::wstring ini = testenv::SourceDir() + L"resources\\config.ini";
    for (const wchar_t* section : {L"Soft", L"SoftParam"}) {
        GetPrivateProfileStringW(section, key, L"", buf, 256, ini.c_str());
        if (*buf) break;
    }
    return buf;
}

std::wstring StateKey() {
    return GetDesktopUserSid() + L"\\SoftWare\\" + ConfigName(L"SOFT_NAME_EN") + L"\\" + ConfigName(L"KEY_MAIN_NAME");
}

void SetState(const wchar_t* valueKey, const std::wstring& data) {
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_USERS, StateKey().c_str(), 0, nullptr, 0,
                                             KEY_SET_VALUE | KEY_WOW64_64KEY, nullptr, &key, nullptr));
    RegSetValueExW(key, ConfigName(valueKey).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                   static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
}

}  // namespace

// A first start without the runtime installer: the repair window shows for about a
// second at the bottom right, then the game starts.
TEST(LauncherAtSystemDpi, RepairWindowIsScaledAndKeepsItsScaledMarginFromTheWorkArea) {
    for (DWORD dpi : {120u, 144u, 192u}) {
        const int percent = MulDiv(static_cast<int>(dpi), 100, 96);
        const std::wstring dir = testenv::MakeTempDir(L"dpi_game");
        ASSERT_TRUE(testenv::CopyInto(testenv::LauncherExe(), dir + L"TavrelStart.exe"));
        ASSERT_TRUE(testenv::CopyInto(testenv::FixtureFile(L"qvx.exe"), dir + L"qvx.exe"));
        testenv::WriteFile(dir + L"qvx.ini", "[fixture]\r\nexit_after=1000\r\n");
        SetState(L"SAVE_KEY_Install_Path", dir);
        SetState(L"SAVE_KEY_MAIN_FIX_TIME", L"0");
        {
            LogPixels scale(dpi);
            HANDLE launcher = testenv::Start(L"\"" + dir + L"TavrelStart.exe\"", dir);
            ASSERT_NE(launcher, nullptr);
            HWND w = nullptr;
            testenv::WaitFor([&] { return (w = FindWindowW(L"Start", L"Tavrel")) != nullptr && IsWindowVisible(w); },
                             30000);
            ASSERT_NE(w, nullptr) << dpi;
            MONITORINFO mi{};
            mi.cbSize = sizeof(mi);
            GetMonitorInfoW(MonitorFromWindow(w, MONITOR_DEFAULTTONEAREST), &mi);
            const LONG margin = MulDiv(50, percent, 100);
            RECT r{};
            testenv::WaitFor([&] { return GetWindowRect(w, &r) && r.right == mi.rcWork.right - margin; }, 3000);
            EXPECT_EQ(r.right - r.left, MulDiv(300, percent, 100)) << dpi;
            EXPECT_EQ(r.bottom - r.top, MulDiv(100, percent, 100)) << dpi;
            EXPECT_EQ(r.right, mi.rcWork.right - margin) << dpi;
            EXPECT_EQ(r.bottom, mi.rcWork.bottom - margin) << dpi;
            if (WaitForSingleObject(launcher, 30000) != WAIT_OBJECT_0) TerminateProcess(launcher, 9);
            CloseHandle(launcher);
        }
        testenv::CloseAll(L"GLFW30", L"Tavrel");
        RegDeleteTreeW(HKEY_USERS, StateKey().c_str());
        testenv::RemoveTree(dir);
    }
}
