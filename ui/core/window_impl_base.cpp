#include "ui/core/window_impl_base.h"

#include <windowsx.h>

#include <cwchar>

#include "ui/controls/control.h"
#include "ui/core/ui_handles.h"

namespace SkinUI {

namespace {

const wchar_t* const kCaptionPassThroughClasses[] = {
    L"controlui",          L"textui",         L"labelui",       L"containerui",
    L"horizontallayoutui", L"verticallayoutui", L"tablayoutui",   L"childlayoutui",
    L"dialoglayoutui",     L"progresscontainerui", L"gifanimui", L"multilabellabelui",
};

}  // namespace

SKINUI_BEGIN_NOTIFY_MAP(WindowImplBase, CNotifyPump)
SKINUI_NOTIFY_TYPE_HANDLER(L"click", WindowImplBase, HandleClick)
SKINUI_END_NOTIFY_MAP()

bool IsCaptionPassThroughClass(const wchar_t* className) {
    if (className == nullptr) return false;
    CUIString lower(className);
    lower.MakeLower();
    for (const wchar_t* listed : kCaptionPassThroughClasses) {
        if (lower == listed) return true;
    }
    return false;
}

CUIString WindowImplBase::SkinLoadFailureText(const wchar_t* skinFile) {
    // "加载资源文件失败：" followed by the file name.
    CUIString text(L"\u52A0\u8F7D\u8D44\u6E90\u6587\u4EF6\u5931\u8D25\uFF1A");
    text += skinFile;
    return text;
}

WindowImplBase::WindowImplBase() = default;

WindowImplBase::~WindowImplBase() {
    // A window that outlives its object would call into freed memory.
    if (m_hWnd != nullptr && ::IsWindow(m_hWnd)) ::DestroyWindow(m_hWnd);
}

void WindowImplBase::OnPrepareHook() {}
void WindowImplBase::OnWindowReady() {}

void WindowImplBase::HandleClick(TUINotify& msg) {
    if (msg.pSender == nullptr) return;
    const CUIString name = msg.pSender->GetName();
    if (name == L"closebtn") {
        PostClose(1);
    } else if (name == L"minbtn") {
        SendMsg(WM_SYSCOMMAND, SC_MINIMIZE, 0);
    } else if (name == L"maxbtn") {
        SendMsg(WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    } else if (name == L"restorebtn") {
        SendMsg(WM_SYSCOMMAND, SC_RESTORE, 0);
    }
}

bool WindowImplBase::IsStaticClassControl(CControlUI* control) {
    if (control == nullptr) return false;
    for (CControlUI* c = control; c != nullptr; c = c->GetParent()) {
        if (!IsCaptionPassThroughClass(c->GetClass())) return false;
    }
    return true;
}

CUIString WindowImplBase::SkinResourceType() const { return CUIString(); }
CUIString WindowImplBase::SkinFileName() const { return CUIString(); }
LPCWSTR WindowImplBase::PaintManagerName() const { return nullptr; }

LRESULT WindowImplBase::AnswerDefaultKey(WPARAM vk) { return vk == VK_ESCAPE ? TRUE : FALSE; }

LRESULT WindowImplBase::HandleWmClose(UINT, WPARAM, LPARAM, bool& bHandled) {
    bHandled = false;
    return 0;
}

LRESULT WindowImplBase::HandleWmDestroy(UINT, WPARAM, LPARAM, bool& bHandled) {
    bHandled = false;
    return 0;
}

LRESULT WindowImplBase::HandleWmNcActivate(UINT, WPARAM wParam, LPARAM, bool& bHandled) {
    if (::IsIconic(m_hWnd)) bHandled = false;
    return wParam == 0 ? TRUE : FALSE;
}

LRESULT WindowImplBase::HandleWmNcCalcSize(UINT, WPARAM, LPARAM, bool&) { return 0; }

LRESULT WindowImplBase::HandleWmNcPaint(UINT, WPARAM, LPARAM, bool&) { return 0; }

LRESULT WindowImplBase::HandleWmNcHitTest(UINT, WPARAM, LPARAM lParam, bool&) {
    POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ::ScreenToClient(m_hWnd, &pt);
    RECT rc = {};
    ::GetClientRect(m_hWnd, &rc);

    if (!::IsZoomed(m_hWnd)) {
        const RECT& box = m_pm.GetSizeBox();
        if (pt.y < rc.top + box.top) {
            if (pt.x < rc.left + box.left) return HTTOPLEFT;
            if (pt.x > rc.right - box.right) return HTTOPRIGHT;
            return HTTOP;
        }
        if (pt.y > rc.bottom - box.bottom) {
            if (pt.x < rc.left + box.left) return HTBOTTOMLEFT;
            if (pt.x > rc.right - box.right) return HTBOTTOMRIGHT;
            return HTBOTTOM;
        }
        if (pt.x < rc.left + box.left) return HTLEFT;
        if (pt.x > rc.right - box.right) return HTRIGHT;
    }

    const RECT& caption = m_pm.GetCaptionRect();
    const LONG captionBottom = caption.bottom == -1 ? rc.bottom : caption.bottom;
    if (pt.x >= rc.left + caption.left && pt.x < rc.right - caption.right && pt.y >= caption.top &&
        pt.y < captionBottom) {
        if (IsStaticClassControl(m_pm.FindControlAt(pt))) return HTCAPTION;
    }
    return HTCLIENT;
}

LRESULT WindowImplBase::HandleWmGetMinMaxInfo(UINT, WPARAM, LPARAM lParam, bool&) {
    auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
    MONITORINFO mi = {};
    mi.cbSize = sizeof(mi);
    ::GetMonitorInfoW(::MonitorFromWindow(m_hWnd, MONITOR_DEFAULTTOPRIMARY), &mi);
    CUIRect work = mi.rcWork;
    if ((mi.dwFlags & MONITORINFOF_PRIMARY) == 0) work.ResetOffset();
    if (info == nullptr) return 0;
    info->ptMaxPosition = POINT{work.left, work.top};
    info->ptMaxSize = POINT{work.GetWidth(), work.GetHeight()};
    const SIZE maxInfo = m_pm.GetMaxInfo();
    const SIZE minInfo = m_pm.GetMinInfo();
    info->ptMaxTrackSize.x = maxInfo.cx != 0 ? maxInfo.cx : work.GetWidth();
    info->ptMaxTrackSize.y = maxInfo.cy != 0 ? maxInfo.cy : work.GetHeight();
    info->ptMinTrackSize.x = minInfo.cx;
    info->ptMinTrackSize.y = minInfo.cy;
    return 0;
}

LRESULT WindowImplBase::HandleWmMouseWheel(UINT, WPARAM, LPARAM, bool& bHandled) {
    bHandled = false;
    return 0;
}

LRESULT WindowImplBase::HandleWmMouseHover(UINT, WPARAM, LPARAM, bool& bHandled) {
    bHandled = false;
    return 0;
}

LRESULT WindowImplBase::HandleWmSize(UINT, WPARAM, LPARAM, bool& bHandled) {
    if (!::IsIconic(m_hWnd)) {
        CUIRect rc;
        ::GetWindowRect(m_hWnd, &rc);
        rc.ResetOffset();
        const SIZE corner = m_pm.GetRoundCorner();
        HRGN region = ::CreateRoundRectRgn(rc.left, rc.top, rc.right + 1, rc.bottom + 1, corner.cx, corner.cy);
        // The window owns the region once it is set; it is deleted here only when it was refused.
        if (region != nullptr && ::SetWindowRgn(m_hWnd, region, TRUE) == 0) ::DeleteObject(region);
    }
    bHandled = false;
    return 0;
}

LRESULT WindowImplBase::HandleWmChar(UINT, WPARAM, LPARAM, bool& bHandled) {
    bHandled = false;
    return 0;
}

LRESULT WindowImplBase::HandleWmSysCommand(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) {
    if (wParam == SC_CLOSE) {
        bHandled = true;
        SendMsg(WM_CLOSE, 0, 0);
        return 0;
    }
    const bool wasZoomed = ::IsZoomed(m_hWnd) != FALSE;
    const LRESULT result = ::CallWindowProcW(m_prevWndProc, m_hWnd, uMsg, wParam, lParam);
    if (m_hWnd != nullptr && wasZoomed != (::IsZoomed(m_hWnd) != FALSE)) {
        const bool zoomed = !wasZoomed;
        CControlUI* maxButton = m_pm.FindControlByName(L"maxbtn");
        CControlUI* restoreButton = m_pm.FindControlByName(L"restorebtn");
        if (maxButton != nullptr) maxButton->SetVisible(!zoomed);
        if (restoreButton != nullptr) restoreButton->SetVisible(zoomed);
    }
    return result;
}

LRESULT WindowImplBase::HandleWmCreate(UINT, WPARAM, LPARAM, bool&) {
    LONG_PTR style = ::GetWindowLongPtrW(m_hWnd, GWL_STYLE);
    style &= ~static_cast<LONG_PTR>(WS_CAPTION);
    ::SetWindowLongPtrW(m_hWnd, GWL_STYLE, style | WS_CLIPSIBLINGS | WS_CLIPCHILDREN);

    m_pm.Init(m_hWnd, PaintManagerName());
    m_pm.AddPreMessageFilter(this);

    const CUIString skinFile = SkinFileName();
    const CUIString skinType = SkinResourceType();
    CSkinBuilder builder;
    CControlUI* root = nullptr;
    if (skinType.IsEmpty()) {
        root = builder.Create(skinFile, nullptr, this, &m_pm, nullptr);
    } else {
        const int id = static_cast<int>(std::wcstol(skinFile, nullptr, 10));
        root = builder.Create(MAKEINTRESOURCEW(id), skinType, this, &m_pm, nullptr);
    }
    if (root == nullptr) {
        ::MessageBoxW(nullptr, SkinLoadFailureText(skinFile), L"SkinUI", MB_OK | MB_ICONHAND);
        ::ExitProcess(1);
    }
    m_pm.AttachRoot(root);
    m_pm.AddNotifier(this);
    OnWindowReady();
    return 0;
}

LRESULT WindowImplBase::HandleWmKeyDown(UINT, WPARAM, LPARAM, bool& bHandled) {
    bHandled = false;
    return 0;
}

LRESULT WindowImplBase::HandleWmKillFocus(UINT, WPARAM, LPARAM, bool& bHandled) {
    bHandled = false;
    return 0;
}

LRESULT WindowImplBase::HandleWmSetFocus(UINT, WPARAM, LPARAM, bool& bHandled) {
    bHandled = false;
    return 0;
}

LRESULT WindowImplBase::HandleWmLButtonDown(UINT, WPARAM, LPARAM, bool& bHandled) {
    bHandled = false;
    return 0;
}

LRESULT WindowImplBase::HandleWmLButtonUp(UINT, WPARAM, LPARAM, bool& bHandled) {
    bHandled = false;
    return 0;
}

LRESULT WindowImplBase::HandleWmMouseMove(UINT, WPARAM, LPARAM, bool& bHandled) {
    bHandled = false;
    return 0;
}

LRESULT WindowImplBase::HandleOtherMessage(UINT, WPARAM, LPARAM, bool& bHandled) {
    bHandled = false;
    return 0;
}

UINT WindowImplBase::WindowStyle() const {
    return static_cast<UINT>(::GetWindowLongPtrW(m_hWnd, GWL_STYLE)) & ~static_cast<UINT>(WS_CAPTION);
}

UINT WindowImplBase::ClassStyle() const { return CS_DBLCLKS; }

LRESULT WindowImplBase::ProcessMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    bool handled = true;
    switch (uMsg) {
    case WM_CREATE: result = HandleWmCreate(uMsg, wParam, lParam, handled); break;
    case WM_DESTROY: result = HandleWmDestroy(uMsg, wParam, lParam, handled); break;
    case WM_SIZE: result = HandleWmSize(uMsg, wParam, lParam, handled); break;
    case WM_SETFOCUS: result = HandleWmSetFocus(uMsg, wParam, lParam, handled); break;
    case WM_KILLFOCUS: result = HandleWmKillFocus(uMsg, wParam, lParam, handled); break;
    case WM_CLOSE: result = HandleWmClose(uMsg, wParam, lParam, handled); break;
    case WM_GETMINMAXINFO: result = HandleWmGetMinMaxInfo(uMsg, wParam, lParam, handled); break;
    case WM_NCCALCSIZE: result = HandleWmNcCalcSize(uMsg, wParam, lParam, handled); break;
    case WM_NCHITTEST: result = HandleWmNcHitTest(uMsg, wParam, lParam, handled); break;
    case WM_NCPAINT: result = HandleWmNcPaint(uMsg, wParam, lParam, handled); break;
    case WM_NCACTIVATE: result = HandleWmNcActivate(uMsg, wParam, lParam, handled); break;
    case WM_KEYDOWN: result = HandleWmKeyDown(uMsg, wParam, lParam, handled); break;
    case WM_CHAR: result = HandleWmChar(uMsg, wParam, lParam, handled); break;
    case WM_SYSCOMMAND: result = HandleWmSysCommand(uMsg, wParam, lParam, handled); break;
    case WM_MOUSEMOVE: result = HandleWmMouseMove(uMsg, wParam, lParam, handled); break;
    case WM_LBUTTONDOWN: result = HandleWmLButtonDown(uMsg, wParam, lParam, handled); break;
    case WM_LBUTTONUP: result = HandleWmLButtonUp(uMsg, wParam, lParam, handled); break;
    case WM_MOUSEWHEEL: result = HandleWmMouseWheel(uMsg, wParam, lParam, handled); break;
    case WM_MOUSEHOVER: result = HandleWmMouseHover(uMsg, wParam, lParam, handled); break;
    default: handled = false; break;
    }
    if (handled) return result;

    result = HandleOtherMessage(uMsg, wParam, lParam, handled);
    if (handled) return result;
    if (m_pm.MessageHandler(uMsg, wParam, lParam, result)) return result;
    return CWindowWnd::ProcessMessage(uMsg, wParam, lParam);
}

void WindowImplBase::OnLastMessage(HWND) {
    m_pm.RemovePreMessageFilter(this);
    m_pm.RemoveNotifier(this);
    m_pm.FlushDelayedCleanup();
}

void WindowImplBase::ReceiveNotify(TUINotify& msg) { DispatchNotify(msg); }

LRESULT WindowImplBase::FilterMessage(UINT uMsg, WPARAM wParam, LPARAM, bool&) {
    if (uMsg == WM_KEYDOWN && (wParam == VK_RETURN || wParam == VK_ESCAPE)) return AnswerDefaultKey(wParam);
    return 0;
}

CControlUI* WindowImplBase::CreateControl(const wchar_t*) { return nullptr; }

const wchar_t* WindowImplBase::QueryText(const wchar_t*, const wchar_t*) { return nullptr; }

}  // namespace SkinUI
