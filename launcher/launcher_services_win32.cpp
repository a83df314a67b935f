// The run sequence bound to Win32, the support services and the framework.
#include <windows.h>
#include <msi.h>
#include <objbase.h>
#include <ole2.h>

#include <memory>

#include "launcher/instance_guard.h"
#include "launcher/launcher_services.h"
#include "launcher/process_utils.h"

namespace {

std::wstring ModuleDirectory(HMODULE module) {
    wchar_t path[MAX_PATH] = {};
    DWORD n = GetModuleFileNameW(module, path, MAX_PATH);
    std::wstring dir(path, n);
    size_t slash = dir.find_last_of(L"\\/");
    dir = slash == std::wstring::npos ? std::wstring() : dir.substr(0, slash + 1);
    return dir;
}

}  // namespace

LauncherServices DefaultLauncherServices() {
    LauncherServices s;
    auto guard = std::make_shared<std::unique_ptr<InstanceGuard>>();

    s.initCom = [] { return SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)); };
    s.uninitCom = [] { CoUninitialize(); };
    s.initOle = [] { OleInitialize(nullptr); };
    s.uninitOle = [] { OleUninitialize(); };
    s.acquireGuard = [guard](const wchar_t* name) {
        *guard = std::make_unique<InstanceGuard>(name);
        return (*guard)->AlreadyRunning();
    };
    s.releaseGuard = [guard] {
        if (*guard) (*guard)->Release();
    };

    // Support services not bound here yet fall back to their documented absence:
    // no configuration, default names and values.
    s.loadConfiguration = [](HINSTANCE) {};
    s.initLogging = [] {};
    s.initPaths = [](HINSTANCE) {};
    s.initFramework = [](HINSTANCE) {};
    s.termFramework = [] {};

    s.isSystemSupported = [] { return true; };
    s.readRepairMarker = [] { return std::wstring(L"0"); };
    s.productState = [](const wchar_t* code) { return static_cast<int>(MsiQueryProductStateW(code)); };

    // Window phases whose window cannot be created are skipped.
    s.runRepairWindow = [](HINSTANCE, const std::wstring&) {};
    s.runNoticeWindow = [](HINSTANCE, const std::wstring&) {};

    s.installDirectory = [] { return std::wstring(); };
    s.launcherDirectory = [] { return ModuleDirectory(nullptr); };
    s.launchProcess = [](const std::wstring& exe) { return LaunchProcess(exe, nullptr, false, 0); };
    s.findWindow = [](const wchar_t* cls, const wchar_t* title) { return FindWindowW(cls, title); };
    s.isWindowVisible = [](HWND w) { return IsWindowVisible(w) != FALSE; };
    s.isWindowMinimised = [](HWND w) { return IsIconic(w) != FALSE; };
    s.showAndRaise = [](HWND w) {
        // SW_SHOW alone leaves a minimised window an icon; restore that one instead.
        ShowWindow(w, IsIconic(w) ? SW_RESTORE : SW_SHOW);
        SetForegroundWindow(w);
    };
    return s;
}
