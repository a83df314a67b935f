// Paint manager: the window's accessibility tree (WM_GETOBJECT), accessibility
// events, default actions from clients, and the keyboard focus cue.
#include <oleacc.h>

#include "ui/controls/control.h"
#include "ui/controls/gdi_guards.h"
#include "ui/controls/render.h"
#include "ui/core/accessible_element.h"
#include "ui/core/accessible_hub.h"
#include "ui/core/paint_manager.h"
#include "ui/core/system_library.h"

namespace SkinUI {

namespace {

bool IsNavigationKey(WPARAM key) {
    return key == VK_TAB || key == VK_MENU || key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN;
}

// Alternating dark and light pixels with opaque alpha, so that the cue shows on
// any background and keeps layered windows opaque where it is drawn.
HBRUSH CreateDottedBrush() {
    struct {
        BITMAPINFOHEADER header;
        DWORD pixels[4];
    } packed = {};
    packed.header.biSize = sizeof(BITMAPINFOHEADER);
    packed.header.biWidth = 2;
    packed.header.biHeight = 2;
    packed.header.biPlanes = 1;
    packed.header.biBitCount = 32;
    packed.header.biCompression = BI_RGB;
    packed.pixels[0] = packed.pixels[3] = 0xFF000000;
    packed.pixels[1] = packed.pixels[2] = 0xFFFFFFFF;
    return ::CreateDIBPatternBrushPt(&packed, DIB_RGB_COLORS);
}

}  // namespace

CAccessibleHub* CPaintManagerUI::GetAccessibleHub() {
    if (m_pAccessible == nullptr && m_hWndPaint != nullptr && !m_bAccessibleGone) {
        m_pAccessible = new CAccessibleHub(this);
    }
    return m_pAccessible != nullptr && m_pAccessible->IsConnected() ? m_pAccessible : nullptr;
}

void CPaintManagerUI::ReleaseAccessible() {
    m_bAccessibleGone = true;
    if (m_pAccessible == nullptr) return;
    m_pAccessible->Detach();
    m_pAccessible->Release();
    m_pAccessible = nullptr;
}

void CPaintManagerUI::NotifyAccessible(DWORD event, CControlUI* control) {
    if (CAccessibleHub* hub = GetAccessibleHub()) hub->Notify(event, control);
}

void CPaintManagerUI::ForgetAccessible(CControlUI* control) {
    if (m_pAccessible != nullptr) m_pAccessible->Forget(control);
}

bool CPaintManagerUI::AccessibleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lRes) {
    if (uMsg == WM_GETOBJECT) {
        if (static_cast<LONG>(static_cast<DWORD>(lParam)) != OBJID_CLIENT) return false;
        // Without the accessibility library the system's default object answers.
        if (!DelayImportsReady("oleacc.dll")) return false;
        CAccessibleHub* hub = GetAccessibleHub();
        CAccessibleElement* client = hub != nullptr ? hub->ElementFor(0) : nullptr;
        if (client == nullptr) return false;
        const LRESULT result = ::LresultFromObject(kIIDAccessible, wParam, static_cast<IAccessible*>(client));
        client->Release();
        if (result < 0) return false;  // COM is not available: the system's default object answers
        lRes = result;
        return true;
    }
    if (uMsg == AccessibleActionMessage() && uMsg != 0) {
        CAccessibleHub* hub = GetAccessibleHub();
        CControlUI* control = hub != nullptr ? hub->ControlOf(static_cast<LONG>(wParam)) : nullptr;
        if (control != nullptr && control->GetManager() == this) control->Activate();
        lRes = 0;
        return true;
    }
    switch (uMsg) {
    case WM_SHOWWINDOW:
        if (wParam != 0) {
            NotifyAccessible(EVENT_OBJECT_SHOW, nullptr);
            if (m_pFocus != nullptr) NotifyAccessible(EVENT_OBJECT_FOCUS, m_pFocus);
        }
        return false;
    case WM_SETFOCUS:
        NotifyAccessible(EVENT_OBJECT_FOCUS, m_pFocus);
        return false;
    case WM_DESTROY:
        ReleaseAccessible();
        return false;
    default:
        return false;
    }
}

// ---- focus cue ----

bool CPaintManagerUI::IsFocusCueShown() const { return m_bFocusCue; }

void CPaintManagerUI::NoteKeyboardUse(WPARAM key) {
    if (m_bFocusCue || !IsNavigationKey(key)) return;
    m_bFocusCue = true;
    if (m_pFocus != nullptr) Invalidate(m_pFocus->GetPos());
}

void CPaintManagerUI::FocusMoved(CControlUI* from, CControlUI* to) {
    if (IsFocusCueShown()) {
        if (from != nullptr) Invalidate(from->GetPos());
        if (to != nullptr) Invalidate(to->GetPos());
    }
    if (to != nullptr) NotifyAccessible(EVENT_OBJECT_FOCUS, to);
}

void CPaintManagerUI::PaintFocusCue(HDC dc, const RECT& rcPaint) {
    if (m_pFocus == nullptr || !m_pFocus->IsVisible() || !IsFocusCueShown()) return;
    CUIRect rc = m_pFocus->GetPos();
    const int inset = ScaleValue(3);
    rc.Deflate(inset, inset);
    if (rc.GetWidth() < 2 || rc.GetHeight() < 2) rc = m_pFocus->GetPos();
    CUIRect visible = rc;
    if (!visible.Intersect(rcPaint)) return;
    // A control scrolled partly out of its container shows its cue only where it shows.
    const CControlUI* below = m_pFocus;
    for (CControlUI* p = m_pFocus->GetParent(); p != nullptr; below = p, p = p->GetParent()) {
        if (!visible.Intersect(below->IsFloat() ? p->GetPos() : p->GetClientPos())) return;
    }
    CUIClip clip(dc, visible);
    CGdiObject<HBRUSH> brush(CreateDottedBrush());
    if (!brush) return;
    const int line = ScaleValue(1) > 0 ? ScaleValue(1) : 1;
    const RECT edges[4] = {
        {rc.left, rc.top, rc.right, rc.top + line},
        {rc.left, rc.bottom - line, rc.right, rc.bottom},
        {rc.left, rc.top, rc.left + line, rc.bottom},
        {rc.right - line, rc.top, rc.right, rc.bottom},
    };
    for (const RECT& edge : edges) ::FillRect(dc, &edge, brush.Get());
}

}  // namespace SkinUI
