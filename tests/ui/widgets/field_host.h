// For the input field tests: a window that hands its messages to its paint manager,
// clips its children as the window base does, and writes down the notifications of
// the fields; keys typed the way the system delivers them to the focused window.
#pragma once

#include <windows.h>

#include <string>

#include "ui/controls/container.h"
#include "ui/core/paint_manager.h"
#include "ui/core/skin_builder.h"
#include "ui/core/window_wnd.h"
#include "ui/widgets/widget_registry.h"

namespace fieldtest {

inline std::string Narrow(const wchar_t* s) {
    std::string out;
    for (; s != nullptr && *s != 0; ++s) out.push_back(*s < 0x80 ? static_cast<char>(*s) : '?');
    return out;
}

// Every queued message, through the framework's pre-translation as its loop does.
inline void Pump() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (SkinUI::CPaintManagerUI::TranslateUIMessage(&msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

class CHost final : public SkinUI::CWindowWnd, public SkinUI::INotifyUI {
public:
    ~CHost() {
        if (m_hWnd != nullptr && ::IsWindow(m_hWnd)) ::DestroyWindow(m_hWnd);
    }
    LPCWSTR ClassName() const override { return L"FieldTestHost"; }
    LRESULT ProcessMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        LRESULT result = 0;
        if (pm.MessageHandler(msg, wParam, lParam, result)) return result;
        return SkinUI::CWindowWnd::ProcessMessage(msg, wParam, lParam);
    }
    void ReceiveNotify(SkinUI::TUINotify& msg) override {
        if (msg.sType == L"textchanged" || msg.sType == L"return") {
            notes += Narrow(msg.sType) + ":" + Narrow(msg.pSender->GetName()) + " ";
        }
        if (onNotify) onNotify(msg);
    }

    bool Open(const wchar_t* markup, int cx, int cy, int percent = 100, bool layered = false) {
        SkinUI::RegisterWidgetControls();
        if (CreateWnd(nullptr, L"fields", WS_POPUP | WS_CLIPCHILDREN, WS_EX_TOOLWINDOW, 20, 20, cx, cy) == nullptr)
            return false;
        pm.Init(m_hWnd);
        pm.SetDpiScale(percent);
        SkinUI::CSkinBuilder builder;
        if (!pm.AttachRoot(builder.Create(markup, nullptr, nullptr, &pm, nullptr))) return false;
        pm.AddNotifier(this);
        if (layered) pm.SetLayered(true);
        ::ShowWindow(m_hWnd, SW_SHOWNOACTIVATE);
        ::UpdateWindow(m_hWnd);
        Pump();
        return true;
    }
    SkinUI::CControlUI* Find(const wchar_t* name) const { return pm.FindControlByName(name); }
    // A click as the system routes it: the release goes to whichever window took the capture.
    void Click(const wchar_t* name, int dx = 0) {
        const RECT rc = Find(name)->GetPos();
        const LPARAM at = MAKELPARAM((rc.left + rc.right) / 2 + dx, (rc.top + rc.bottom) / 2);
        ::SendMessageW(m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
        HWND capture = ::GetCapture();
        if (capture != nullptr && capture != m_hWnd) {
            POINT pt = {GET_X(at), GET_Y(at)};
            ::MapWindowPoints(m_hWnd, capture, &pt, 1);
            ::SendMessageW(capture, WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
        } else {
            ::SendMessageW(m_hWnd, WM_LBUTTONUP, 0, at);
        }
        Pump();
    }
    // Characters as the keyboard (or an input method) delivers them to the focused window.
    static void Type(const std::wstring& text) {
        for (wchar_t ch : text) {
            ::PostMessageW(::GetFocus(), WM_CHAR, ch, 1);  // each to whichever window has the focus then
            Pump();
        }
    }
    static void Key(UINT vk) {
        ::PostMessageW(::GetFocus(), WM_KEYDOWN, vk, 1);
        ::PostMessageW(::GetFocus(), WM_KEYUP, vk, 0xC0000001);
        Pump();
    }

    SkinUI::CPaintManagerUI pm;
    std::string notes;
    void (*onNotify)(SkinUI::TUINotify&) = nullptr;

private:
    static int GET_X(LPARAM lp) { return static_cast<short>(LOWORD(lp)); }
    static int GET_Y(LPARAM lp) { return static_cast<short>(HIWORD(lp)); }
};

inline std::wstring WindowText(HWND hwnd) {
    wchar_t text[512] = {};
    ::GetWindowTextW(hwnd, text, 512);
    return text;
}

}  // namespace fieldtest
