#include "watch_mode.h"

#include <windows.h>

#include <memory>

#include "preview_window.h"
#include "skinview_io.h"
#include "ui/core/paint_manager.h"

namespace skinview {

namespace {

// A change notification handle (FindFirstChangeNotification, Windows XP on).
class ChangeNotification {
public:
    explicit ChangeNotification(const std::wstring& folder)
        : m_h(::FindFirstChangeNotificationW(folder.c_str(), TRUE,
                                             FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME |
                                                 FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE)) {}
    ~ChangeNotification() {
        if (Valid()) ::FindCloseChangeNotification(m_h);
    }
    ChangeNotification(const ChangeNotification&) = delete;
    ChangeNotification& operator=(const ChangeNotification&) = delete;
    bool Valid() const { return m_h != INVALID_HANDLE_VALUE && m_h != nullptr; }
    HANDLE Get() const { return m_h; }

private:
    HANDLE m_h;
};

// After the first change, further changes within this time belong to the same save.
const DWORD kSettleMs = 150;

// Pumps messages; false once WM_QUIT arrived.
bool Pump() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) return false;
        if (!SkinUI::CPaintManagerUI::TranslateUIMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    return true;
}

std::unique_ptr<PreviewWindow> OpenWindow(const Options& options, const std::wstring& skinName, const POINT* at) {
    std::unique_ptr<PreviewWindow> window(new PreviewWindow(skinName, options.width, options.height));
    window->GetPaintManager().SetDpiScale(options.dpiPercent);
    if (window->CreateWnd(nullptr, L"skinview", WS_POPUP | WS_CLIPCHILDREN, WS_EX_TOOLWINDOW, 0, 0, 300, 200) ==
        nullptr) {
        return nullptr;
    }
    if (at != nullptr) {
        ::SetWindowPos(window->GetHWND(), nullptr, at->x, at->y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ::SetWindowTextW(window->GetHWND(), (L"skinview: " + skinName).c_str());
    window->ShowWnd(true, false);
    ::UpdateWindow(window->GetHWND());
    return window;
}

// The error over the bottom of the last good picture, and in the title.
void ShowProblem(HWND window, HWND& overlay, const std::wstring& skinName, const std::wstring& problem) {
    const std::wstring text = L"skinview: " + skinName + L" does not build: " + problem;
    ::SetWindowTextW(window, text.c_str());
    RECT client = {};
    ::GetClientRect(window, &client);
    const int height = 36;
    if (overlay == nullptr) {
        overlay = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | WS_BORDER | SS_LEFT, 0,
                                    client.bottom - height, client.right, height, window, nullptr,
                                    ::GetModuleHandleW(nullptr), nullptr);
    }
    if (overlay != nullptr) ::SetWindowTextW(overlay, text.c_str());
}

}  // namespace

int RunWatch(const Options& options, const std::wstring& skinName, const std::wstring& folder,
             const WatchCallbacks& callbacks) {
    ChangeNotification changes(folder);
    if (!changes.Valid()) {
        WriteUtf8(stderr, L"skinview: cannot watch \"" + folder + L"\" for changes\n");
        return 3;
    }
    callbacks.beforeBuild();
    std::unique_ptr<PreviewWindow> window = OpenWindow(options, skinName, nullptr);
    if (!window) {
        WriteUtf8(stderr, L"skinview: cannot create the window\n");
        return 5;
    }
    Pump();
    callbacks.afterBuild(window.get());
    HWND overlay = nullptr;
    for (;;) {
        HANDLE wait = changes.Get();
        const DWORD woken = ::MsgWaitForMultipleObjects(1, &wait, FALSE, INFINITE, QS_ALLINPUT);
        if (woken == WAIT_OBJECT_0 + 1) {
            if (!Pump()) break;
            continue;
        }
        if (woken != WAIT_OBJECT_0) break;
        // Let the save finish: wait until the folder stays quiet for a moment.
        do {
            ::FindNextChangeNotification(changes.Get());
        } while (::WaitForSingleObject(changes.Get(), kSettleMs) == WAIT_OBJECT_0);

        WriteUtf8(stdout, L"-- rebuilding " + skinName + L"\n");
        callbacks.beforeBuild();
        std::wstring problem = callbacks.reload() ? callbacks.buildProblem() : L"its source cannot be read";
        if (!problem.empty()) {
            WriteUtf8(stderr, L"skinview: " + skinName + L" does not build: " + problem + L"\n");
            ShowProblem(window->GetHWND(), overlay, skinName, problem);
            continue;
        }
        RECT at = {};
        ::GetWindowRect(window->GetHWND(), &at);
        const POINT topLeft = {at.left, at.top};
        std::unique_ptr<PreviewWindow> rebuilt = OpenWindow(options, skinName, &topLeft);
        if (!rebuilt) {
            ShowProblem(window->GetHWND(), overlay, skinName, L"the window cannot be created");
            continue;
        }
        window->SetQuitOnDestroy(false);
        ::DestroyWindow(window->GetHWND());
        window = std::move(rebuilt);
        overlay = nullptr;
        if (!Pump()) break;
        callbacks.afterBuild(window.get());
    }
    if (window && ::IsWindow(window->GetHWND())) {
        window->SetQuitOnDestroy(false);
        ::DestroyWindow(window->GetHWND());
    }
    Pump();
    return 0;
}

}  // namespace skinview
