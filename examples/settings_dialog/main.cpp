// SkinUI example: a settings dialog drawn from the skin in the "skin" folder beside the exe.
//   settings_dialog.exe [--settings FILE] [--self-test]
// The settings live in FILE (default settings.ini beside the exe). --self-test drives the
// dialog as a user would (types a name, ticks the check box, moves the slider, clicks Save)
// without showing it, reads the file back and exits 0 when it holds what was entered.
#include <windows.h>
#include <ole2.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "SkinUI/SkinUI.h"
#include "SkinUI/Widgets.h"
#include "settings_window.h"
#include "swatch.h"

namespace {

std::wstring ExeFolder() {
    wchar_t path[MAX_PATH] = L"";
    const DWORD n = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, n);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

void Pump() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

int SelfTest(SettingsWindow& window, const std::wstring& file) {
    SkinUI::CPaintManagerUI& pm = window.GetPaintManager();
    pm.FindControlByName(L"nickname")->SetText(L"Ada");
    pm.FindControlByName(L"autoupdate")->Activate();  // a click: "selectchanged"
    static_cast<SkinUI::CSliderUI*>(pm.FindControlByName(L"volume"))->SetValue(75);
    pm.FindControlByName(L"save")->Activate();  // a click: "click", answered by OnSave
    Pump();
    Settings expected;
    expected.nickname = L"Ada";
    expected.autoUpdate = true;
    expected.volume = 75;
    const bool ok = window.Saved() && Settings::Load(file) == expected &&
                    pm.FindControlByName(L"status")->GetText() == L"Saved.";
    std::printf("self-test: %s\n", ok ? "settings saved and read back" : "FAILED");
    return ok ? 0 : 1;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    std::wstring file = ExeFolder() + L"settings.ini";
    bool selfTest = false;
    for (int i = 1; i < __argc; ++i) {
        const std::wstring arg = __wargv[i];
        if (arg == L"--self-test") selfTest = true;
        if (arg == L"--settings" && i + 1 < __argc) file = __wargv[++i];
    }
    if (selfTest) ::DeleteFileW(file.c_str());

    // OLE on the UI thread: hosted ActiveX controls and screen readers need it.
    const bool ole = SUCCEEDED(::OleInitialize(nullptr));
    // [guide:startup]
    SkinUI::CPaintManagerUI::SetInstance(instance);
    // Folder mode: the skin and its images are files in this folder.
    SkinUI::CPaintManagerUI::SetResourcePath((ExeFolder() + L"skin\\").c_str());
    SkinUI::RegisterWidgetControls();  // Edit, CheckBox, Slider, ...
    RegisterSwatch();                  // and the program's own class

    SettingsWindow window(file);
    // The skin gives the size; the self-test leaves the window hidden.
    const DWORD style = selfTest ? WS_OVERLAPPEDWINDOW : WS_OVERLAPPEDWINDOW | WS_VISIBLE;
    if (window.CreateWnd(nullptr, L"Settings", style, 0, 0, 0, 360, 240) == nullptr) return 2;
    // [/guide:startup]
    int code = 0;
    if (selfTest) {
        code = SelfTest(window, file);
        ::DestroyWindow(window.GetHWND());
        Pump();
    } else {
        // [guide:show]
        window.CenterOnOwner();
        window.ShowWnd(true);
        SkinUI::CPaintManagerUI::RunMessageLoop();  // until the window is destroyed
        // [/guide:show]
    }
    SkinUI::CPaintManagerUI::TermFramework();
    if (ole) ::OleUninitialize();
    return code;
}
