// The repair window's worker thread: runs the runtime installer, records the repair and
// closes the window.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

struct RepairWorkerServices {
    std::function<DWORD()> tickCount;
    std::function<std::wstring()> installDirectory;  // from the software configuration, may be empty
    std::function<std::wstring()> launcherDirectory;  // the launcher's own directory
    std::function<bool(const std::wstring& path)> fileExists;
    // Runs the installer and waits for it without limit; true when it was started.
    std::function<bool(const std::wstring& exe, const wchar_t* params)> runAndWait;
    std::function<void()> recordRepair;  // writes the marker "1"
    std::function<void(DWORD ms)> sleep;
    std::function<void(HWND)> postClose;
};

inline constexpr wchar_t kRuntimeInstaller[] = L"runtime\\runtime.exe";
inline constexpr wchar_t kRuntimeInstallerParams[] = L"/quiet";
inline constexpr DWORD kShortRunDelayMs = 1000;

// The installer path under a directory that may lack its trailing separator.
std::wstring RuntimeInstallerPath(std::wstring dir);

void RepairWorker(HWND window, const RepairWorkerServices& s);
// The worker with the real services (own CSoftConfigure for the marker write).
void RepairWorker(HWND window);
RepairWorkerServices DefaultRepairWorkerServices();
