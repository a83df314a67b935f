#include "tests/launcher/installed_game.h"

#include <string>

#include <gtest/gtest.h>

#include "launcher/process_utils.h"
#include "support/desktop_user.h"

namespace launchertest {

// A value of resources/config.ini, the text the launcher carries enciphered.
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

std::wstring Marker() {
    wchar_t buf[64] = {};
    DWORD size = sizeof(buf) - sizeof(wchar_t);
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_USERS, StateKey().c_str(), 0, KEY_QUERY_VALUE | KEY_WOW64_64KEY, &key) != ERROR_SUCCESS)
        return L"<absent>";
    const LONG rc = RegQueryValueExW(key, ConfigName(L"SAVE_KEY_MAIN_FIX_TIME").c_str(), nullptr, nullptr,
                                     reinterpret_cast<BYTE*>(buf), &size);
    RegCloseKey(key);
    return rc == ERROR_SUCCESS ? std::wstring(buf) : std::wstring(L"<absent>");
}

void ClearState() { RegDeleteTreeW(HKEY_USERS, StateKey().c_str()); }

InstalledGame::InstalledGame(bool withRuntime, DWORD installerMs, const std::wstring& launcherExe) {
    testenv::CopyInto(launcherExe.empty() ? testenv::LauncherExe() : launcherExe, dir + L"TavrelStart.exe");
    testenv::CopyInto(testenv::FixtureFile(L"qvx.exe"), dir + L"qvx.exe");
    testenv::WriteFile(dir + L"qvx.ini", "[fixture]\r\nexit_after=3000\r\n");
    if (withRuntime) {
        CreateDirectoryW((dir + L"runtime").c_str(), nullptr);
        testenv::CopyInto(testenv::FixtureFile(L"runtime.exe"), dir + L"runtime\\runtime.exe");
        SetInstallerTime(installerMs);
    }
    ClearState();
}

InstalledGame::~InstalledGame() {
    if (launcher) {
        if (WaitForSingleObject(launcher, 20000) != WAIT_OBJECT_0) TerminateProcess(launcher, 9);
        CloseHandle(launcher);
    }
    testenv::CloseAll(L"GLFW30", L"Tavrel");
    testenv::WaitFor([] { return !IsProcessRunning(L"runtime.exe"); }, 20000);
    ClearState();
    testenv::RemoveTree(dir);
}

void InstalledGame::SetInstallerTime(DWORD ms) {
    testenv::WriteFile(dir + L"runtime\\runtime.ini", "[fixture]\r\ndelay_ms=" + std::to_string(ms) + "\r\n");
}

void InstalledGame::Register(const std::wstring& installDir, const wchar_t* marker) {
    SetState(L"SAVE_KEY_Install_Path", installDir);
    if (marker) SetState(L"SAVE_KEY_MAIN_FIX_TIME", marker);
}

void InstalledGame::Start() { launcher = testenv::Start(L"\"" + dir + L"TavrelStart.exe\"", dir); }
int InstalledGame::Finish(DWORD timeoutMs) {
    DWORD code = 99;
    if (WaitForSingleObject(launcher, timeoutMs) == WAIT_OBJECT_0) {
        GetExitCodeProcess(launcher, &code);
    } else {
        // A launcher left running would hold the guard: every later test's launcher
        // would take itself for a second copy and end at once.
        TerminateProcess(launcher, 9);
        WaitForSingleObject(launcher, 5000);
    }
    CloseHandle(launcher);
    launcher = nullptr;
    return static_cast<int>(code);
}

bool InstalledGame::GameStarted() const { return testenv::FileExists(dir + L"qvx.started"); }
bool InstalledGame::InstallerRan() const { return testenv::FileExists(dir + L"runtime\\runtime.log"); }
HWND InstalledGame::WaitForWindow(DWORD ms) const {
    HWND w = nullptr;
    testenv::WaitFor([&] { return (w = FindWindowW(L"Start", L"Tavrel")) != nullptr && IsWindowVisible(w); }, ms);
    return w;
}

}  // namespace launchertest
