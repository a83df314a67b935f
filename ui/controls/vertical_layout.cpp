// CVerticalLayoutUI: two-pass top-to-bottom placement and the separator drag.
#include "ui/controls/vertical_layout.h"

#include <climits>

#include "ui/controls/attribute_values.h"
#include "ui/controls/render.h"
#include "ui/controls/scroll_bar.h"
#include "ui/core/paint_manager.h"

namespace SkinUI {

namespace {
const UINT kStateCaptured = 0x40;
}

CVerticalLayoutUI::CVerticalLayoutUI()
    : m_iSepHeight(0), m_uButtonState(0), m_ptLastMouse{0, 0}, m_bImmMode(false) {}

const wchar_t* CVerticalLayoutUI::GetClass() const { return L"VerticalLayoutUI"; }

void* CVerticalLayoutUI::GetInterface(const wchar_t* name) {
    if (name != nullptr && ::_wcsicmp(name, L"VerticalLayout") == 0) return this;
    return CContainerUI::GetInterface(name);
}

UINT CVerticalLayoutUI::GetControlFlags() const {
    return (IsEnabled() && m_iSepHeight != 0) ? static_cast<UINT>(UIFLAG_SETCURSOR) : 0u;
}

void CVerticalLayoutUI::PlaceAt(CUIRect rc, bool invalidate) {
    // The box places its children itself: only the control's own placement is wanted.
    CControlUI::PlaceAt(rc, invalidate);  // NOLINT(bugprone-parent-virtual-call)
    rc = GetClientPos();
    if (m_items.IsEmpty()) {
        UpdateScrollBars(rc, 0, 0);
        return;
    }
    // With a bar the children are laid out over the whole scroll range, shifted by the position.
    SIZE scroll;
    SIZE range;
    VisibleScroll(scroll, range);
    const SIZE available = {rc.GetWidth() + range.cx, rc.GetHeight() + range.cy};
    const bool vbar = m_pVerticalScrollBar != nullptr && m_pVerticalScrollBar->IsVisible();
    const int gap = GetChildPadding();

    // First pass: fixed heights, adjustable children, needed width.
    int adjustables = 0;
    int cyFixed = 0;
    int estimated = 0;
    int cxNeeded = 0;
    for (int i = 0; i < m_items.GetSize(); ++i) {
        CControlUI* child = GetItemAt(i);
        if (!child->IsVisible() || child->IsFloat()) continue;
        const CUIRect pad = child->GetPadding();
        SIZE avail = {available.cx - pad.left - pad.right, available.cy};
        int maxW = child->GetFixedWidth();
        int maxH = child->GetFixedHeight();
        if (maxW <= 0) maxW = child->GetMaxWidth();
        if (maxH <= 0) maxH = child->GetMaxHeight();
        if (avail.cx > maxW) avail.cx = maxW;
        if (avail.cy > maxH) avail.cy = maxH;
        SIZE sz = child->MeasureDesired(avail);
        if (sz.cy == 0) {
            ++adjustables;
        } else {
            if (sz.cy < child->GetMinHeight()) sz.cy = child->GetMinHeight();
            if (sz.cy > child->GetMaxHeight()) sz.cy = child->GetMaxHeight();
        }
        cyFixed += sz.cy + pad.top + pad.bottom;
        if (sz.cx < 0) sz.cx = 0;
        if (sz.cx < child->GetMinWidth()) sz.cx = child->GetMinWidth();
        if (sz.cx > child->GetMaxWidth()) sz.cx = child->GetMaxWidth();
        if (sz.cx + pad.left + pad.right > cxNeeded) cxNeeded = sz.cx + pad.left + pad.right;
        ++estimated;
    }
    cyFixed += (estimated - 1) * gap;

    int cyExpand = 0;
    if (adjustables > 0) {
        cyExpand = (available.cy - cyFixed) / adjustables;
        if (cyExpand < 0) cyExpand = 0;
    }

    int y = rc.top - scroll.cy;
    if (adjustables == 0 && !vbar) {
        if (m_iChildVAlign == 4) {
            y += (available.cy - cyFixed) / 2;
        } else if (m_iChildVAlign == 8) {
            y += available.cy - cyFixed;
        }
    }

    // Second pass: place each child.
    int adjustable = 0;
    int placed = 0;
    int cyFixedRemaining = cyFixed;
    int cyRemaining = available.cy;
    int cyNeeded = 0;
    bool inOrder = true;  // every child visible, in flow, each below the one before
    CUIRect last(INT_MIN, INT_MIN, INT_MIN, INT_MIN);
    for (int i = 0; i < m_items.GetSize(); ++i) {
        CControlUI* child = GetItemAt(i);
        if (!child->IsVisible()) {
            inOrder = false;
            continue;
        }
        if (child->IsFloat()) {
            inOrder = false;
            PlaceFloatChild(i);
            continue;
        }
        ++placed;
        const CUIRect pad = child->GetPadding();
        cyRemaining -= pad.top;
        SIZE avail = {available.cx - pad.left - pad.right, cyRemaining};
        int maxW = child->GetFixedWidth();
        int maxH = child->GetFixedHeight();
        if (maxW <= 0) maxW = child->GetMaxWidth();
        if (maxH <= 0) maxH = child->GetMaxHeight();
        if (avail.cx > maxW) avail.cx = maxW;
        if (avail.cy > maxH) avail.cy = maxH;
        cyFixedRemaining -= pad.top + pad.bottom;
        if (placed > 1) cyFixedRemaining -= gap;
        SIZE sz = child->MeasureDesired(avail);
        if (sz.cy == 0) {
            ++adjustable;
            sz.cy = cyExpand;
            // The last adjustable child takes the rounding remainder.
            if (adjustable == adjustables) {
                sz.cy = cyRemaining - pad.bottom - cyFixedRemaining;
                if (sz.cy < 0) sz.cy = 0;
            }
            if (sz.cy < child->GetMinHeight()) sz.cy = child->GetMinHeight();
            if (sz.cy > child->GetMaxHeight()) sz.cy = child->GetMaxHeight();
        } else {
            if (sz.cy < child->GetMinHeight()) sz.cy = child->GetMinHeight();
            if (sz.cy > child->GetMaxHeight()) sz.cy = child->GetMaxHeight();
            cyFixedRemaining -= sz.cy;
        }
        if (sz.cx < 0) sz.cx = 0;
        if (sz.cx == 0) sz.cx = available.cx - pad.left - pad.right;
        if (sz.cx > avail.cx) sz.cx = avail.cx;
        if (sz.cx < child->GetMinWidth()) sz.cx = child->GetMinWidth();

        CUIRect place;
        place.top = y + pad.top;
        place.bottom = place.top + sz.cy;
        if (m_iChildAlign == 1) {
            const int centre = (rc.left + rc.right) / 2 + range.cx / 2 - scroll.cx;
            place.left = centre - sz.cx / 2;
            place.right = centre + sz.cx - sz.cx / 2;
        } else if (m_iChildAlign == 2) {
            place.right = rc.right + range.cx - scroll.cx - pad.right;
            place.left = place.right - sz.cx;
        } else {
            place.left = rc.left - scroll.cx + pad.left;
            place.right = place.left + sz.cx;
        }
        child->PlaceAt(place, false);
        const CUIRect& now = child->GetPos();
        if (now.top < last.top || now.bottom < last.bottom) inOrder = false;
        last = now;

        y += sz.cy + gap + pad.top + pad.bottom;
        cyNeeded += sz.cy + pad.top + pad.bottom;
        cyRemaining -= sz.cy + gap + pad.bottom;
    }
    cyNeeded += (estimated - 1) * gap;
    m_nFlowAxis = inOrder ? 1 : 0;
    UpdateScrollBars(rc, cxNeeded, cyNeeded);
}

// ---- separator ----

void CVerticalLayoutUI::SetSepHeight(int height) { m_iSepHeight = height; }
int CVerticalLayoutUI::GetSepHeight() const { return Scale(m_iSepHeight); }
void CVerticalLayoutUI::SetSepImmMode(bool immediately) { m_bImmMode = immediately; }

CUIRect CVerticalLayoutUI::GetThumbRect(bool useNew) const {
    const CUIRect& rc = useNew ? m_rcNewPos : m_rcItem;
    const int sep = GetSepHeight();
    if (sep == 0) return CUIRect();
    if (sep > 0) {
        const LONG top = rc.bottom - sep > rc.top ? rc.bottom - sep : rc.top;
        return CUIRect(rc.left, top, rc.right, rc.bottom);
    }
    const LONG bottom = rc.top - sep < rc.bottom ? rc.top - sep : rc.bottom;
    return CUIRect(rc.left, rc.top, rc.right, bottom);
}

void CVerticalLayoutUI::HandleEvent(TUIEvent& event) {
    if (m_iSepHeight != 0) {
        if (event.Type == UIEVENT_BUTTONDOWN && IsEnabled()) {
            if (GetThumbRect(false).PtInRect(event.ptMouse)) {
                m_uButtonState |= kStateCaptured;
                m_ptLastMouse = event.ptMouse;
                m_rcNewPos = m_rcItem;
                if (!m_bImmMode && m_pManager != nullptr) m_pManager->AddPostPaint(this);
                return;
            }
        }
        if (event.Type == UIEVENT_BUTTONUP) {
            if ((m_uButtonState & kStateCaptured) != 0) {
                m_uButtonState &= ~kStateCaptured;
                m_rcItem = m_rcNewPos;
                if (!m_bImmMode && m_pManager != nullptr) m_pManager->RemovePostPaint(this);
                MarkParentDirty();
                return;
            }
        }
        if (event.Type == UIEVENT_MOUSEMOVE && (m_uButtonState & kStateCaptured) != 0) {
            const LONG dy = event.ptMouse.y - m_ptLastMouse.y;
            m_ptLastMouse = event.ptMouse;
            CUIRect rc = m_rcNewPos;
            if (GetSepHeight() >= 0) {
                rc.bottom += dy;
            } else {
                rc.top += dy;
            }
            // Keep the length between the minimum and maximum height.
            int length = rc.GetHeight();
            if (length < GetMinHeight()) length = GetMinHeight();
            if (length > GetMaxHeight()) length = GetMaxHeight();
            if (GetSepHeight() >= 0) {
                rc.bottom = rc.top + length;
            } else {
                rc.top = rc.bottom - length;
            }
            CUIRect damage = GetThumbRect(true);
            m_rcNewPos = rc;
            m_cxyFixed.cy = m_pManager != nullptr ? m_pManager->GetDPIObj()->ScaleBack(length) : length;
            if (m_bImmMode) {
                m_rcItem = m_rcNewPos;
                MarkParentDirty();
            } else {
                damage.Join(GetThumbRect(true));
                if (m_pManager != nullptr) m_pManager->Invalidate(damage);
            }
            return;
        }
        if (event.Type == UIEVENT_SETCURSOR && GetThumbRect(false).PtInRect(event.ptMouse)) {
            ::SetCursor(::LoadCursorW(nullptr, MAKEINTRESOURCEW(32645)));
            return;
        }
    }
    CContainerUI::HandleEvent(event);
}

void CVerticalLayoutUI::DrawOverlay(HDC dc) {
    if ((m_uButtonState & kStateCaptured) != 0 && !m_bImmMode) {
        CUIRender::FillSolid(dc, GetThumbRect(true), 0xAA000000);
    }
}

void CVerticalLayoutUI::ApplyAttribute(const wchar_t* name, const wchar_t* value) {
    if (name != nullptr && attr::NameIs(name, L"sepheight")) {
        SetSepHeight(attr::ToCoord(value));
    } else if (name != nullptr && attr::NameIs(name, L"sepimm")) {
        SetSepImmMode(attr::IsTrue(value));
    } else {
        CContainerUI::ApplyAttribute(name, value);
    }
}

}  // namespace SkinUI
