// The window-level settings of a skin's Window element (the skin builder sets
// them; the window base and the paint code read them).
#include "ui/controls/control.h"
#include "ui/controls/render.h"
#include "ui/core/paint_manager.h"

namespace SkinUI {

namespace {

typedef BOOL(WINAPI* SetLayeredWindowAttributesFn)(HWND, COLORREF, BYTE, DWORD);

// User32's layered-window routines, looked up at run time (they may be absent).
void* User32Proc(const char* name) {
    HMODULE user32 = ::GetModuleHandleW(L"User32.dll");
    return user32 != nullptr ? reinterpret_cast<void*>(::GetProcAddress(user32, name)) : nullptr;
}

}  // namespace

SIZE CPaintManagerUI::GetInitSize() { return ScaleSize(m_szInitWindowSize); }

RECT CPaintManagerUI::GetSizeBox() {
    return RECT{ScaleValue(m_rcSizeBox.left), ScaleValue(m_rcSizeBox.top), ScaleValue(m_rcSizeBox.right),
                ScaleValue(m_rcSizeBox.bottom)};
}

RECT CPaintManagerUI::GetCaptionRect() {
    const LONG bottom = m_rcCaption.bottom == -1 ? -1 : ScaleValue(m_rcCaption.bottom);
    return RECT{ScaleValue(m_rcCaption.left), ScaleValue(m_rcCaption.top), ScaleValue(m_rcCaption.right), bottom};
}

SIZE CPaintManagerUI::GetRoundCorner() { return ScaleSize(m_szRoundCorner); }
SIZE CPaintManagerUI::GetMinInfo() { return ScaleSize(m_szMinWindow); }
SIZE CPaintManagerUI::GetMaxInfo() { return ScaleSize(m_szMaxWindow); }

void CPaintManagerUI::SetInitSize(int cx, int cy) {
    m_szInitWindowSize.cx = cx;
    m_szInitWindowSize.cy = cy;
    if (m_pRoot == nullptr && m_hWndPaint != nullptr) {
        const SIZE scaled = GetInitSize();
        ::SetWindowPos(m_hWndPaint, nullptr, 0, 0, scaled.cx, scaled.cy, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
    }
}

void CPaintManagerUI::SetSizeBox(const RECT& rc) { m_rcSizeBox = rc; }

void CPaintManagerUI::SetCaptionRect(const RECT& rc) { m_rcCaption = rc; }

void CPaintManagerUI::SetRoundCorner(int cx, int cy) {
    m_szRoundCorner.cx = cx;
    m_szRoundCorner.cy = cy;
}

void CPaintManagerUI::SetMinInfo(int cx, int cy) {
    m_szMinWindow.cx = cx;
    m_szMinWindow.cy = cy;
}

void CPaintManagerUI::SetMaxInfo(int cx, int cy) {
    m_szMaxWindow.cx = cx;
    m_szMaxWindow.cy = cy;
}

void CPaintManagerUI::SetShowUpdateRect(bool show) { m_bShowUpdateRect = show; }

void CPaintManagerUI::SetNoActivate(bool noActivate) { m_bNoActivate = noActivate; }

void CPaintManagerUI::SetOpacity(BYTE opacity) {
    m_nOpacity = opacity;
    if (m_hWndPaint == nullptr) return;
    auto setAttributes = reinterpret_cast<SetLayeredWindowAttributesFn>(User32Proc("SetLayeredWindowAttributes"));
    if (setAttributes == nullptr) return;
    const LONG_PTR exStyle = ::GetWindowLongPtrW(m_hWndPaint, GWL_EXSTYLE);
    ::SetWindowLongPtrW(m_hWndPaint, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
    setAttributes(m_hWndPaint, 0, opacity, LWA_ALPHA);
}

void CPaintManagerUI::SetLayeredOpacity(BYTE opacity) {
    m_nOpacity = opacity;
    m_bLayeredChanged = true;
    Invalidate();
}

void CPaintManagerUI::SetLayered(bool layered) {
    if (m_hWndPaint == nullptr || layered == m_bLayered) return;
    if ((::GetWindowLongPtrW(m_hWndPaint, GWL_STYLE) & WS_CHILD) != 0) return;
    if (User32Proc("UpdateLayeredWindow") == nullptr) return;
    m_bLayered = layered;
    if (m_pRoot != nullptr) m_pRoot->MarkDirty();
    Invalidate();
}

void CPaintManagerUI::SetLayeredInset(const RECT& rc) {
    m_rcLayeredInset = rc;
    m_bLayeredChanged = true;
    Invalidate();
}

void CPaintManagerUI::SetLayeredImage(const wchar_t* image) {
    m_sLayeredImage = image;
    SetLayered(true);
    // Load the image now so that the first layered paint does not wait for it.
    if (const TUIImageSpec* parsed = GetImageSpec(m_sLayeredImage)) {
        if (!parsed->sImageName.IsEmpty()) {
            GetImageEx(parsed->sImageName, parsed->sResType.IsEmpty() ? nullptr : parsed->sResType.GetData(),
                       parsed->dwMask);
        }
    }
    m_bLayeredChanged = true;
    Invalidate();
}

void CPaintManagerUI::SetUseGdiplusText(bool use) { m_bUseGdiplusText = use; }

void CPaintManagerUI::SetGdiplusTextRenderingHint(int hint) { m_trh = hint; }

void CPaintManagerUI::SetHoverTime(DWORD ms) { m_dwHoverTime = ms; }

}  // namespace SkinUI
