// CHorizontalLayoutUI: two-pass left-to-right placement and the separator drag.
#include "ui/controls/horizontal_layout.h"

#include <climits>

#include "ui/controls/attribute_values.h"
#include "ui/controls/render.h"
#include "ui/controls/scroll_bar.h"
#include "ui/core/paint_manager.h"

namespace SkinUI {

namespace {
const UINT kStateCaptured = 0x40;
}

CHorizontalLayoutUI::CHorizontalLayoutUI()
    : m_iSepWidth(0), m_uButtonState(0), m_ptLastMouse{0, 0}, m_bImmMode(false) {}

const wchar_t* CHorizontalLayoutUI::GetClass() const { return L"HorizontalLayoutUI"; }

void* CHorizontalLayoutUI::GetInterface(const wchar_t* name) {
    if (name != nullptr && ::_wcsicmp(name, L"HorizontalLayout") == 0) return this;
    return CContainerUI::GetInterface(name);
}

UINT CHorizontalLayoutUI::GetControlFlags() const {
    return (IsEnabled() && m_iSepWidth != 0) ? static_cast<UINT>(UIFLAG_SETCURSOR) : 0u;
}

void CHorizontalLayoutUI::PlaceAt(CUIRect rc, bool invalidate) {
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
    const bool hbar = m_pHorizontalScrollBar != nullptr && m_pHorizontalScrollBar->IsVisible();
    const int gap = GetChildPadding();

    // First pass: fixed widths, adjustable children, needed height.
    int adjustables = 0;
    int cxFixed = 0;
    int estimated = 0;
    int cyNeeded = 0;
    for (int i = 0; i < m_items.GetSize(); ++i) {
        CControlUI* child = GetItemAt(i);
        if (!child->IsVisible() || child->IsFloat()) continue;
        const CUIRect pad = child->GetPadding();
        SIZE avail = {available.cx, available.cy - pad.top - pad.bottom};
        int maxW = child->GetFixedWidth();
        int maxH = child->GetFixedHeight();
        if (maxW <= 0) maxW = child->GetMaxWidth();
        if (maxH <= 0) maxH = child->GetMaxHeight();
        if (avail.cx > maxW) avail.cx = maxW;
        if (avail.cy > maxH) avail.cy = maxH;
        SIZE sz = child->MeasureDesired(avail);
        if (sz.cx == 0) {
            ++adjustables;
        } else {
            if (sz.cx < child->GetMinWidth()) sz.cx = child->GetMinWidth();
            if (sz.cx > child->GetMaxWidth()) sz.cx = child->GetMaxWidth();
        }
        cxFixed += sz.cx + pad.left + pad.right;
        if (sz.cy < 0) sz.cy = 0;
        if (sz.cy < child->GetMinHeight()) sz.cy = child->GetMinHeight();
        if (sz.cy > child->GetMaxHeight()) sz.cy = child->GetMaxHeight();
        if (sz.cy + pad.top + pad.bottom > cyNeeded) cyNeeded = sz.cy + pad.top + pad.bottom;
        ++estimated;
    }
    cxFixed += (estimated - 1) * gap;

    int cxExpand = 0;
    if (adjustables > 0) {
        cxExpand = (available.cx - cxFixed) / adjustables;
        if (cxExpand < 0) cxExpand = 0;
    }

    int x = rc.left - scroll.cx;
    if (adjustables == 0 && !hbar) {
        if (m_iChildAlign == 1) {
            x += (available.cx - cxFixed) / 2;
        } else if (m_iChildAlign == 2) {
            x += available.cx - cxFixed;
        }
    }

    // Second pass: place each child.
    int adjustable = 0;
    int placed = 0;
    int cxFixedRemaining = cxFixed;
    int cxRemaining = available.cx;
    int cxNeeded = 0;
    bool inOrder = true;  // every child visible, in flow, each right of the one before
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
        cxRemaining -= pad.left;
        SIZE avail = {cxRemaining, available.cy - pad.top - pad.bottom};
        int maxW = child->GetFixedWidth();
        int maxH = child->GetFixedHeight();
        if (maxW <= 0) maxW = child->GetMaxWidth();
        if (maxH <= 0) maxH = child->GetMaxHeight();
        if (avail.cx > maxW) avail.cx = maxW;
        if (avail.cy > maxH) avail.cy = maxH;
        cxFixedRemaining -= pad.left + pad.right;
        if (placed > 1) cxFixedRemaining -= gap;
        SIZE sz = child->MeasureDesired(avail);
        if (sz.cx == 0) {
            ++adjustable;
            sz.cx = cxExpand;
            // The last adjustable child takes the rounding remainder.
            if (adjustable == adjustables) {
                sz.cx = cxRemaining - pad.right - cxFixedRemaining;
                if (sz.cx < 0) sz.cx = 0;
            }
            if (sz.cx < child->GetMinWidth()) sz.cx = child->GetMinWidth();
            if (sz.cx > child->GetMaxWidth()) sz.cx = child->GetMaxWidth();
        } else {
            if (sz.cx < child->GetMinWidth()) sz.cx = child->GetMinWidth();
            if (sz.cx > child->GetMaxWidth()) sz.cx = child->GetMaxWidth();
            cxFixedRemaining -= sz.cx;
        }
        // The height does not come from the desired size in this pass.
        sz.cy = child->GetMaxHeight();
        if (sz.cy == 0) sz.cy = available.cy - pad.top - pad.bottom;
        if (sz.cy < 0) sz.cy = 0;
        if (sz.cy > avail.cy) sz.cy = avail.cy;
        if (sz.cy < child->GetMinHeight()) sz.cy = child->GetMinHeight();

        CUIRect place;
        place.left = x + pad.left;
        place.right = place.left + sz.cx;
        if (m_iChildVAlign == 4) {
            const int centre = (rc.top + rc.bottom) / 2 + range.cy / 2 - scroll.cy;
            place.top = centre - sz.cy / 2;
            place.bottom = centre + sz.cy - sz.cy / 2;
        } else if (m_iChildVAlign == 8) {
            place.bottom = rc.bottom + range.cy - scroll.cy - pad.bottom;
            place.top = place.bottom - sz.cy;
        } else {
            place.top = rc.top - scroll.cy + pad.top;
            place.bottom = place.top + sz.cy;
        }
        child->PlaceAt(place, false);
        const CUIRect& now = child->GetPos();
        if (now.left < last.left || now.right < last.right) inOrder = false;
        last = now;

        x += sz.cx + gap + pad.left + pad.right;
        cxNeeded += sz.cx + pad.left + pad.right;
        cxRemaining -= sz.cx + gap + pad.right;
    }
    cxNeeded += (estimated - 1) * gap;
    m_nFlowAxis = inOrder ? 2 : 0;
    UpdateScrollBars(rc, cxNeeded, cyNeeded);
}

// ---- separator ----

void CHorizontalLayoutUI::SetSepWidth(int width) { m_iSepWidth = width; }
int CHorizontalLayoutUI::GetSepWidth() const { return Scale(m_iSepWidth); }
void CHorizontalLayoutUI::SetSepImmMode(bool immediately) { m_bImmMode = immediately; }

CUIRect CHorizontalLayoutUI::GetThumbRect(bool useNew) const {
    const CUIRect& rc = useNew ? m_rcNewPos : m_rcItem;
    const int sep = GetSepWidth();
    if (sep == 0) return CUIRect();
    if (sep > 0) {
        const LONG left = rc.right - sep > rc.left ? rc.right - sep : rc.left;
        return CUIRect(left, rc.top, rc.right, rc.bottom);
    }
    const LONG right = rc.left - sep < rc.right ? rc.left - sep : rc.right;
    return CUIRect(rc.left, rc.top, right, rc.bottom);
}

void CHorizontalLayoutUI::HandleEvent(TUIEvent& event) {
    if (m_iSepWidth != 0) {
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
            const LONG dx = event.ptMouse.x - m_ptLastMouse.x;
            m_ptLastMouse = event.ptMouse;
            CUIRect rc = m_rcNewPos;
            if (GetSepWidth() >= 0) {
                rc.right += dx;
            } else {
                rc.left += dx;
            }
            // Keep the length between the minimum and maximum width.
            int length = rc.GetWidth();
            if (length < GetMinWidth()) length = GetMinWidth();
            if (length > GetMaxWidth()) length = GetMaxWidth();
            if (GetSepWidth() >= 0) {
                rc.right = rc.left + length;
            } else {
                rc.left = rc.right - length;
            }
            CUIRect damage = GetThumbRect(true);
            m_rcNewPos = rc;
            m_cxyFixed.cx = m_pManager != nullptr ? m_pManager->GetDPIObj()->ScaleBack(length) : length;
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
            ::SetCursor(::LoadCursorW(nullptr, MAKEINTRESOURCEW(32644)));
            return;
        }
    }
    CContainerUI::HandleEvent(event);
}

void CHorizontalLayoutUI::DrawOverlay(HDC dc) {
    if ((m_uButtonState & kStateCaptured) != 0 && !m_bImmMode) {
        CUIRender::FillSolid(dc, GetThumbRect(true), 0xAA000000);
    }
}

void CHorizontalLayoutUI::ApplyAttribute(const wchar_t* name, const wchar_t* value) {
    if (name != nullptr && attr::NameIs(name, L"sepwidth")) {
        SetSepWidth(attr::ToCoord(value));
    } else if (name != nullptr && attr::NameIs(name, L"sepimm")) {
        SetSepImmMode(attr::IsTrue(value));
    } else {
        CContainerUI::ApplyAttribute(name, value);
    }
}

}  // namespace SkinUI
