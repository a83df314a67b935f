// CContainerUI: child list, propagation, placement of overlapping and floating
// children, painting under two clips, hit testing and attributes.
#include "ui/controls/container.h"

#include <cwchar>

#include "ui/controls/attribute_values.h"
#include "ui/controls/render.h"
#include "ui/core/paint_manager.h"

namespace SkinUI {

CContainerUI::CContainerUI()
    : m_iChildPadding(0),
      m_iChildAlign(0),
      m_iChildVAlign(0),
      m_bAutoDestroy(true),
      m_bDelayedDestroy(true),
      m_bMouseChildEnabled(true),
      m_nScrollStepSize(0),
      m_pVerticalScrollBar(nullptr),
      m_pHorizontalScrollBar(nullptr),
      m_bWantVScroll(false),
      m_bWantHScroll(false) {}

CContainerUI::~CContainerUI() {
    // Children go at once, not through the manager's delayed clean-up.
    m_bDelayedDestroy = false;
    for (int i = 0; i < m_items.GetSize(); ++i) {
        CControlUI* child = static_cast<CControlUI*>(m_items.GetAt(i));
        if (m_bAutoDestroy) delete child;
    }
    m_items.Empty();
}

const wchar_t* CContainerUI::GetClass() const { return L"ContainerUI"; }

void* CContainerUI::GetInterface(const wchar_t* name) {
    if (name != nullptr) {
        if (::_wcsicmp(name, L"IContainer") == 0) return static_cast<IContainerUI*>(this);
        if (::_wcsicmp(name, L"Container") == 0) return this;
    }
    return CControlUI::GetInterface(name);
}

// ---- IContainerUI ----

CControlUI* CContainerUI::GetItemAt(int index) const { return static_cast<CControlUI*>(m_items.GetAt(index)); }

int CContainerUI::GetItemIndex(CControlUI* control) const { return m_items.Find(control); }

bool CContainerUI::SetItemIndex(CControlUI* control, int index) {
    const int current = m_items.Find(control);
    if (current < 0) return false;
    MarkDirty();
    m_items.Remove(current);
    // An index past the end moves the child to the end rather than losing it.
    if (index < 0) index = 0;
    if (index > m_items.GetSize()) index = m_items.GetSize();
    return m_items.InsertAt(index, control);
}

int CContainerUI::GetCount() const { return m_items.GetSize(); }

bool CContainerUI::Add(CControlUI* control) {
    if (control == nullptr) return false;
    if (m_pManager != nullptr) m_pManager->InitControls(control, this);
    if (IsVisible()) {
        MarkDirty();
    } else {
        control->SetInternVisible(false);
    }
    return m_items.Add(control);
}

bool CContainerUI::AddAt(CControlUI* control, int index) {
    if (control == nullptr) return false;
    if (index < 0 || index > m_items.GetSize()) return false;
    if (m_pManager != nullptr) m_pManager->InitControls(control, this);
    if (IsVisible()) {
        MarkDirty();
    } else {
        control->SetInternVisible(false);
    }
    return m_items.InsertAt(index, control);
}

void CContainerUI::DestroyChild(CControlUI* control) {
    if (m_bDelayedDestroy && m_pManager != nullptr) {
        m_pManager->AddDelayedCleanup(control);
    } else {
        delete control;
    }
}

bool CContainerUI::Remove(CControlUI* control) {
    if (control == nullptr) return false;
    const int index = m_items.Find(control);
    if (index < 0) return false;
    return RemoveAt(index);
}

bool CContainerUI::RemoveAt(int index) {
    CControlUI* control = GetItemAt(index);
    if (control == nullptr) return false;
    MarkDirty();
    m_items.Remove(index);
    if (m_bAutoDestroy) DestroyChild(control);
    return true;
}

void CContainerUI::RemoveAll() {
    for (int i = 0; m_bAutoDestroy && i < m_items.GetSize(); ++i) {
        DestroyChild(static_cast<CControlUI*>(m_items.GetAt(i)));
    }
    m_items.Empty();
    MarkDirty();
}

// ---- propagation ----

void CContainerUI::SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init) {
    for (int i = 0; i < m_items.GetSize(); ++i) GetItemAt(i)->SetManager(manager, this, init);
    CControlUI::SetManager(manager, parent, init);
}

void CContainerUI::SetVisible(bool visible) {
    if (m_bVisible == visible) return;
    CControlUI::SetVisible(visible);
    for (int i = 0; i < m_items.GetSize(); ++i) GetItemAt(i)->SetInternVisible(IsVisible());
}

void CContainerUI::SetInternVisible(bool visible) {
    CControlUI::SetInternVisible(visible);
    for (int i = 0; i < m_items.GetSize(); ++i) GetItemAt(i)->SetInternVisible(IsVisible());
}

void CContainerUI::SetEnabled(bool enable) {
    if (m_bEnabled == enable) return;
    m_bEnabled = enable;
    for (int i = 0; i < m_items.GetSize(); ++i) GetItemAt(i)->SetEnabled(enable);
    Repaint();
}

void CContainerUI::SetMouseEnabled(bool enable) { CControlUI::SetMouseEnabled(enable); }

void CContainerUI::MoveBy(int dx, int dy) {
    CControlUI::MoveBy(dx, dy);
    for (int i = 0; i < m_items.GetSize(); ++i) {
        CControlUI* child = GetItemAt(i);
        if (child->IsVisible()) child->MoveBy(dx, dy);
    }
}

CUIRect CContainerUI::GetClientPos() const {
    CUIRect rc = m_rcItem;
    rc.Deflate(GetInset());
    return rc;
}

// ---- settings ----

CUIRect CContainerUI::GetInset() const { return ScaleRect(m_rcInset); }

void CContainerUI::SetInset(CUIRect inset) {
    m_rcInset = inset;
    MarkDirty();
}

int CContainerUI::GetChildPadding() const { return Scale(m_iChildPadding); }

void CContainerUI::SetChildPadding(int padding) {
    m_iChildPadding = padding;
    MarkDirty();
}

UINT CContainerUI::GetChildAlign() const { return m_iChildAlign; }

void CContainerUI::SetChildAlign(UINT align) {
    m_iChildAlign = align;
    MarkDirty();
}

UINT CContainerUI::GetChildVAlign() const { return m_iChildVAlign; }

void CContainerUI::SetChildVAlign(UINT align) {
    m_iChildVAlign = align;
    MarkDirty();
}

bool CContainerUI::IsAutoDestroy() const { return m_bAutoDestroy; }
void CContainerUI::SetAutoDestroy(bool autoDestroy) { m_bAutoDestroy = autoDestroy; }
bool CContainerUI::IsDelayedDestroy() const { return m_bDelayedDestroy; }
void CContainerUI::SetDelayedDestroy(bool delayed) { m_bDelayedDestroy = delayed; }
bool CContainerUI::IsMouseChildEnabled() const { return m_bMouseChildEnabled; }
void CContainerUI::SetMouseChildEnabled(bool enable) { m_bMouseChildEnabled = enable; }
int CContainerUI::FindSelectable(int /*index*/, bool /*forward*/) const { return -1; }

// ---- scrolling: no scroll bar control exists, so there is nothing to scroll ----

SIZE CContainerUI::GetScrollPos() const { return SIZE{0, 0}; }
SIZE CContainerUI::GetScrollRange() const { return SIZE{0, 0}; }
void CContainerUI::SetScrollPos(SIZE /*pos*/) {}

void CContainerUI::SetScrollStepSize(int size) {
    if (size > 0) m_nScrollStepSize = size;
}

int CContainerUI::GetScrollStepSize() const { return Scale(m_nScrollStepSize); }
void CContainerUI::LineUp() {}
void CContainerUI::LineDown() {}
void CContainerUI::PageUp() {}
void CContainerUI::PageDown() {}
void CContainerUI::HomeUp() {}
void CContainerUI::EndDown() {}
void CContainerUI::LineLeft() {}
void CContainerUI::LineRight() {}
void CContainerUI::PageLeft() {}
void CContainerUI::PageRight() {}
void CContainerUI::HomeLeft() {}
void CContainerUI::EndRight() {}

void CContainerUI::EnableScrollBar(bool vertical, bool horizontal) {
    // Remembered only; see the note in container.h.
    m_bWantVScroll = vertical;
    m_bWantHScroll = horizontal;
}

CScrollBarUI* CContainerUI::GetVerticalScrollBar() const { return m_pVerticalScrollBar; }
CScrollBarUI* CContainerUI::GetHorizontalScrollBar() const { return m_pHorizontalScrollBar; }
void CContainerUI::UpdateScrollBars(CUIRect /*rc*/, int /*cxNeeded*/, int /*cyNeeded*/) {}

// ---- placement ----

void CContainerUI::PlaceAt(CUIRect rc, bool invalidate) {
    CControlUI::PlaceAt(rc, invalidate);
    if (m_items.IsEmpty()) return;
    const CUIRect content = GetClientPos();
    for (int i = 0; i < m_items.GetSize(); ++i) {
        CControlUI* child = GetItemAt(i);
        if (!child->IsVisible()) continue;
        if (child->IsFloat()) {
            PlaceFloatChild(i);
            continue;
        }
        int cx = content.GetWidth();
        if (cx < child->GetMinWidth()) cx = child->GetMinWidth();
        if (cx > child->GetMaxWidth()) cx = child->GetMaxWidth();
        int cy = content.GetHeight();
        if (cy < child->GetMinHeight()) cy = child->GetMinHeight();
        if (cy > child->GetMaxHeight()) cy = child->GetMaxHeight();
        child->PlaceAt(CUIRect(content.left, content.top, content.left + cx, content.top + cy), false);
    }
}

void CContainerUI::PlaceFloatChild(int index) {
    CControlUI* child = GetItemAt(index);
    if (child == nullptr || !child->IsVisible() || !child->IsFloat()) return;
    const int W = m_rcItem.GetWidth();
    const int H = m_rcItem.GetHeight();
    const SIZE xy = child->GetFixedXY();
    const int w = child->GetFixedWidth();
    const int h = child->GetFixedHeight();
    const UINT align = child->GetFloatAlign();
    CUIRect rc;
    if (align != 0) {
        const int left = (align & UIFLOAT_CENTER) ? (W - w) / 2 : (align & UIFLOAT_RIGHT) ? W - w : xy.cx;
        const int top = (align & UIFLOAT_VCENTER) ? (H - h) / 2 : (align & UIFLOAT_BOTTOM) ? H - h : xy.cy;
        rc = CUIRect(m_rcItem.left + left, m_rcItem.top + top, m_rcItem.left + left + w, m_rcItem.top + top + h);
    } else {
        const TUIFloatPercent p = child->GetFloatPercent();
        const int baseX = xy.cx < 0 ? m_rcItem.right : m_rcItem.left;
        const int baseY = xy.cy < 0 ? m_rcItem.bottom : m_rcItem.top;
        rc.left = baseX + xy.cx + static_cast<int>(W * p.left);
        rc.top = baseY + xy.cy + static_cast<int>(H * p.top);
        rc.right = baseX + xy.cx + w + static_cast<int>(W * p.right);
        rc.bottom = baseY + xy.cy + h + static_cast<int>(H * p.bottom);
    }
    child->PlaceAt(rc, false);
}

// ---- painting ----

bool CContainerUI::PaintLayers(HDC dc, const RECT& paint, CControlUI* stop) {
    RECT tmp;
    if (!::IntersectRect(&tmp, &paint, &m_rcItem)) return true;
    CUIClip clip(dc, tmp);
    CControlUI::PaintLayers(dc, paint, stop);

    if (!m_items.IsEmpty()) {
        const CUIRect content = GetClientPos();
        RECT inner;
        if (::IntersectRect(&inner, &paint, &content)) {
            CUIClip childClip(dc, inner);
            for (int i = 0; i < m_items.GetSize(); ++i) {
                CControlUI* child = GetItemAt(i);
                if (child == stop) return false;
                if (!child->IsVisible()) continue;
                if (!::IntersectRect(&tmp, &paint, &child->GetPos())) continue;
                if (child->IsFloat()) {
                    if (!::IntersectRect(&tmp, &m_rcItem, &child->GetPos())) continue;
                    childClip.UseOldClipBegin();
                    const bool go = child->PaintClipped(dc, paint, stop);
                    childClip.UseOldClipEnd();
                    if (!go) return false;
                } else {
                    if (!::IntersectRect(&tmp, &content, &child->GetPos())) continue;
                    if (!child->PaintClipped(dc, paint, stop)) return false;
                }
            }
        } else {
            for (int i = 0; i < m_items.GetSize(); ++i) {
                CControlUI* child = GetItemAt(i);
                if (child == stop) return false;
                if (!child->IsVisible() || !child->IsFloat()) continue;
                if (!::IntersectRect(&tmp, &paint, &child->GetPos())) continue;
                if (!::IntersectRect(&tmp, &m_rcItem, &child->GetPos())) continue;
                if (!child->PaintClipped(dc, paint, stop)) return false;
            }
        }
    }
    DrawOverlay(dc);
    return true;
}

// ---- search ----

CControlUI* CContainerUI::FindMatching(FindControlProc proc, void* data, UINT flags) {
    if (proc == nullptr) return nullptr;
    const bool hitTest = (flags & UIFIND_HITTEST) != 0;
    if ((flags & UIFIND_VISIBLE) != 0 && !IsVisible()) return nullptr;
    if ((flags & UIFIND_ENABLED) != 0 && !IsEnabled()) return nullptr;
    const POINT* pt = static_cast<const POINT*>(data);
    if (hitTest && (pt == nullptr || !m_rcItem.PtInRect(*pt))) return nullptr;
    if ((flags & UIFIND_UPDATETEST) != 0 && proc(this, data) != nullptr) return nullptr;

    CControlUI* result = nullptr;
    if ((flags & UIFIND_ME_FIRST) != 0) {
        if (!hitTest || IsMouseEnabled()) result = proc(this, data);
        if (result != nullptr) return result;
    }
    if (!hitTest || IsMouseChildEnabled()) {
        const CUIRect content = GetClientPos();
        const int count = m_items.GetSize();
        const bool topFirst = (flags & UIFIND_TOP_FIRST) != 0;
        for (int n = 0; n < count; ++n) {
            CControlUI* child = GetItemAt(topFirst ? count - 1 - n : n);
            CControlUI* found = child->FindMatching(proc, data, flags);
            if (found == nullptr) continue;
            if (!hitTest || found->IsFloat() || content.PtInRect(*pt)) return found;
        }
    }
    if ((flags & UIFIND_ME_FIRST) == 0) {
        if (!hitTest || IsMouseEnabled()) result = proc(this, data);
    }
    return result;
}

// ---- events ----

void CContainerUI::HandleEvent(TUIEvent& event) {
    if (!IsMouseEnabled() && event.Type >= UIEVENT_MOUSEMOVE && event.Type <= UIEVENT_SCROLLWHEEL) {
        if (m_pParent != nullptr) {
            m_pParent->HandleEvent(event);
        } else {
            CControlUI::HandleEvent(event);
        }
        return;
    }
    if (event.Type == UIEVENT_SETFOCUS) {
        m_bFocused = true;
        return;
    }
    if (event.Type == UIEVENT_KILLFOCUS) {
        m_bFocused = false;
        return;
    }
    // No scroll bars exist, so keys and the wheel are not turned into scrolling.
    CControlUI::HandleEvent(event);
}

// ---- attributes ----

void CContainerUI::ApplyAttribute(const wchar_t* name, const wchar_t* value) {
    using namespace attr;
    if (name == nullptr) return;
    if (value == nullptr) value = L"";
    if (NameIs(name, L"inset")) {
        SetInset(ToRect(value));
    } else if (NameIs(name, L"mousechild")) {
        SetMouseChildEnabled(IsTrue(value));
    } else if (NameIs(name, L"vscrollbar")) {
        EnableScrollBar(IsTrue(value), m_bWantHScroll);
    } else if (NameIs(name, L"vscrollbarstyle")) {
        const wchar_t* style = m_pManager != nullptr ? m_pManager->GetStyle(StyleName(value)) : nullptr;
        m_sVScrollBarStyle = style != nullptr ? style : value;
        EnableScrollBar(true, m_bWantHScroll);
    } else if (NameIs(name, L"hscrollbar")) {
        EnableScrollBar(m_bWantVScroll, IsTrue(value));
    } else if (NameIs(name, L"hscrollbarstyle")) {
        const wchar_t* style = m_pManager != nullptr ? m_pManager->GetStyle(StyleName(value)) : nullptr;
        m_sHScrollBarStyle = style != nullptr ? style : value;
        EnableScrollBar(m_bWantVScroll, true);
    } else if (NameIs(name, L"childpadding")) {
        SetChildPadding(ToCoord(value));
    } else if (NameIsExactly(name, L"childalign")) {
        // Name and value both case-sensitive; stored without a layout request.
        if (std::wcscmp(value, L"left") == 0) {
            m_iChildAlign = 0;
        } else if (std::wcscmp(value, L"center") == 0) {
            m_iChildAlign = 1;
        } else if (std::wcscmp(value, L"right") == 0) {
            m_iChildAlign = 2;
        }
    } else if (NameIsExactly(name, L"childvalign")) {
        if (std::wcscmp(value, L"top") == 0) {
            m_iChildVAlign = 0;
        } else if (std::wcscmp(value, L"vcenter") == 0) {
            m_iChildVAlign = 4;
        } else if (std::wcscmp(value, L"bottom") == 0) {
            m_iChildVAlign = 8;
        }
    } else if (NameIs(name, L"scrollstepsize")) {
        SetScrollStepSize(ToInt(value));
    } else {
        CControlUI::ApplyAttribute(name, value);
    }
}

}  // namespace SkinUI
