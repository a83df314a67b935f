// An installed game for tests that run the real launcher: its folder with the launcher, the
// game stand-in and, when wanted, the runtime installer stand-in, and the launcher's registry
// state in the desktop user's hive.
#pragma once
#include <windows.h>

#include <string>

#include "tests/common/test_env.h"

namespace launchertest {

// A value of resources/config.ini, the text the launcher carries enciphered.
std::wstring ConfigName(const wchar_t* key);
std::wstring StateKey();
void SetState(const wchar_t* valueKey, const std::wstring& data);
// The repair marker, or "<absent>".
std::wstring Marker();
void ClearState();

class InstalledGame {
public:
    // `launcher`: the exe put in the folder (the build's own by default).
    explicit InstalledGame(bool withRuntime, DWORD installerMs = 0, const std::wstring& launcher = L"");
    ~InstalledGame();
    InstalledGame(const InstalledGame&) = delete;
    InstalledGame& operator=(const InstalledGame&) = delete;

    void SetInstallerTime(DWORD ms);
    void Register(const std::wstring& installDir, const wchar_t* marker);
    void Start();
    // The launcher's exit code; 99 when it had to be ended.
    int Finish(DWORD timeoutMs = 30000);
    bool GameStarted() const;
    bool InstallerRan() const;
    HWND WaitForWindow(DWORD ms = 30000) const;

    std::wstring dir = testenv::MakeTempDir(L"game");
    HANDLE launcher = nullptr;
};

}  // namespace launchertest
