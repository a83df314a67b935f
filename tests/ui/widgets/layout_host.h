// For the layout tests: a window that hands its messages to its paint manager and
// writes down the "tabselect" notifications it gets, and a canvas to paint into.
#pragma once

#include <windows.h>

#include <cwchar>
#include <string>

#include "ui/controls/control.h"
#include "ui/core/paint_manager.h"
#include "ui/core/skin_builder.h"
#include "ui/core/window_wnd.h"
#include "ui/widgets/widget_registry.h"

namespace layouttest {

inline std::string Narrow(const wchar_t* s) { return s != nullptr ? std::string(s, s + wcslen(s)) : ""; }

class CHost final : public SkinUI::CWindowWnd, public SkinUI::INotifyUI {
public:
    ~CHost() { ::DestroyWindow(m_hWnd); }
    LPCWSTR ClassName() const override { return L"LayoutTestHost"; }
    LRESULT ProcessMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        LRESULT result = 0;
        if (pm.MessageHandler(msg, wParam, lParam, result)) return result;
        return SkinUI::CWindowWnd::ProcessMessage(msg, wParam, lParam);
    }
    void ReceiveNotify(SkinUI::TUINotify& msg) override {
        if (msg.sType == L"tabselect") {
            notes += Narrow(msg.pSender->GetName()) + ":" + std::to_string(msg.wParam) + ":" +
                     std::to_string(msg.lParam) + " ";
        }
    }
    // Builds `markup` in a window of the client size cx x cy, shown or not, and lays it out.
    bool Open(const wchar_t* markup, int cx, int cy, bool show, int percent = 100) {
        SkinUI::RegisterWidgetControls();
        if (CreateWnd(nullptr, L"layouts", WS_POPUP, WS_EX_TOOLWINDOW, 10, 10, cx, cy) == nullptr) return false;
        pm.Init(m_hWnd);
        pm.SetDpiScale(percent);
        SkinUI::CSkinBuilder builder;
        if (!pm.AttachRoot(builder.Create(markup, nullptr, nullptr, &pm, nullptr))) return false;
        pm.AddNotifier(this);
        if (show) ::ShowWindow(m_hWnd, SW_SHOWNOACTIVATE);
        Place();
        return true;
    }
    void Place() {
        RECT rc;
        ::GetClientRect(m_hWnd, &rc);
        pm.GetRoot()->PlaceAt(rc, false);
    }
    SkinUI::CControlUI* Find(const wchar_t* name) const { return pm.FindControlByName(name); }
    void Click(const wchar_t* name) {
        const RECT rc = Find(name)->GetPos();
        const LPARAM at = MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
        ::SendMessageW(m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::SendMessageW(m_hWnd, WM_LBUTTONUP, 0, at);
    }

    SkinUI::CPaintManagerUI pm;
    std::string notes;
};

// A 32-bit bitmap (0x00RRGGBB pixels) filled with one colour, to see where a control tree paints.
class CCanvas {
public:
    static constexpr DWORD kUntouched = 0x123456;
    CCanvas(int cx, int cy) : m_cx(cx), m_cy(cy) {
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = cx;
        bi.bmiHeader.biHeight = -cy;  // top-down rows
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        m_bitmap = ::CreateDIBSection(m_dc, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_bits), nullptr, 0);
        m_old = ::SelectObject(m_dc, m_bitmap);
        for (int i = 0; i < cx * cy; ++i) m_bits[i] = kUntouched;
    }
    ~CCanvas() {
        ::SelectObject(m_dc, m_old);
        ::DeleteObject(m_bitmap);
        ::DeleteDC(m_dc);
    }
    CCanvas(const CCanvas&) = delete;
    CCanvas& operator=(const CCanvas&) = delete;

    HDC dc() const { return m_dc; }
    DWORD At(int x, int y) const { return m_bits[y * m_cx + x] & 0xFFFFFF; }
    // Painted pixels outside `rc`.
    int ChangedOutside(const RECT& rc) const {
        int changed = 0;
        for (int y = 0; y < m_cy; ++y) {
            for (int x = 0; x < m_cx; ++x) {
                const POINT pt = {x, y};
                changed += !::PtInRect(&rc, pt) && At(x, y) != kUntouched;
            }
        }
        return changed;
    }

private:
    int m_cx, m_cy;
    HDC m_dc = ::CreateCompatibleDC(nullptr);
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
    DWORD* m_bits = nullptr;
};

}  // namespace layouttest
