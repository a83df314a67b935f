// The questions and actions of the run sequence, as one table of callables. The Win32
// binding (DefaultLauncherServices) is what the exe uses; tests substitute fakes to walk
// every branch of the decisions.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

struct LauncherServices {
    // Process set-up and teardown.
    std::function<bool()> initCom;              // false: leave at once
    std::function<void()> uninitCom;
    std::function<void()> initOle;
    std::function<void()> uninitOle;
    // Single-instance guard: acquire answers "already running"; release closes the mutex.
    std::function<bool(const wchar_t* name)> acquireGuard;
    std::function<void()> releaseGuard;

    // Start-up of the support services and the framework.
    std::function<void(HINSTANCE)> loadConfiguration;
    std::function<void()> initLogging;
    std::function<void(HINSTANCE)> initPaths;
    std::function<void(HINSTANCE)> initFramework;
    std::function<void()> termFramework;

    // Decisions.
    std::function<bool()> isSystemSupported;
    std::function<std::wstring()> readRepairMarker;         // stored marker, "0" when absent
    std::function<int(const wchar_t* productCode)> productState;
    std::function<void()> productQueriesDone;  // optional: the queries' library may be unloaded

    // Window phases. Each returns after its window is gone (or could not be created).
    std::function<void(HINSTANCE, const std::wstring& title)> runRepairWindow;
    std::function<void(HINSTANCE, const std::wstring& title)> runNoticeWindow;

    // Game start.
    std::function<std::wstring()> installDirectory;   // with a trailing separator, or empty
    std::function<std::wstring()> launcherDirectory;  // the launcher's own directory
    std::function<bool(const std::wstring& exe)> launchProcess;
    std::function<HWND(const wchar_t* cls, const wchar_t* title)> findWindow;
    std::function<bool(HWND)> isWindowVisible;
    std::function<bool(HWND)> isWindowMinimised;
    std::function<void(HWND)> showAndRaise;
};

// The real services, bound to Win32 and the support and framework singletons.
LauncherServices DefaultLauncherServices();
