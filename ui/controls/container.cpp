// CContainerUI: child list, propagation, placement of overlapping and floating
// children, painting under two clips, hit testing and attributes. Scrolling is
// in container_scroll.cpp.
#include "ui/controls/container.h"

#include <cwchar>
#include <initializer_list>

#include "ui/controls/attribute_values.h"
#include "ui/controls/render.h"
#include "ui/controls/scroll_bar.h"
#include "ui/core/paint_manager.h"

namespace SkinUI {

namespace {

bool IsShown(const CScrollBarUI* bar) { return bar != nullptr && bar->IsVisible(); }

}  // namespace

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
      m_nFlowAxis(0),
      m_nRelayout(0) {}

CContainerUI::~CContainerUI() {
    // Children go at once, not through the manager's delayed clean-up.
    m_bDelayedDestroy = false;
    for (int i = 0; i < m_items.GetSize(); ++i) {
        CControlUI* child = static_cast<CControlUI*>(m_items.GetAt(i));
        if (m_bAutoDestroy) delete child;
    }
    m_items.Empty();
    delete m_pVerticalScrollBar;
    delete m_pHorizontalScrollBar;
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
    m_nFlowAxis = 0;
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
    m_nFlowAxis = 0;
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
    m_nFlowAxis = 0;
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
    m_nFlowAxis = 0;
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
    m_nFlowAxis = 0;
    MarkDirty();
}

// ---- propagation ----

void CContainerUI::SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init) {
    for (int i = 0; i < m_items.GetSize(); ++i) GetItemAt(i)->SetManager(manager, this, init);
    if (m_pVerticalScrollBar != nullptr) m_pVerticalScrollBar->SetManager(manager, this, init);
    if (m_pHorizontalScrollBar != nullptr) m_pHorizontalScrollBar->SetManager(manager, this, init);
    CControlUI::SetManager(manager, parent, init);
}

void CContainerUI::SetVisible(bool visible) {
    if (m_bVisible == visible) return;
    CControlUI::SetVisible(visible);
    PassVisibility();
}

void CContainerUI::SetInternVisible(bool visible) {
    CControlUI::SetInternVisible(visible);
    PassVisibility();
}

void CContainerUI::PassVisibility() {
    for (int i = 0; i < m_items.GetSize(); ++i) GetItemAt(i)->SetInternVisible(IsVisible());
    if (m_pVerticalScrollBar != nullptr) m_pVerticalScrollBar->SetInternVisible(IsVisible());
    if (m_pHorizontalScrollBar != nullptr) m_pHorizontalScrollBar->SetInternVisible(IsVisible());
}

void CContainerUI::SetEnabled(bool enable) {
    if (m_bEnabled == enable) return;
    m_bEnabled = enable;
    for (int i = 0; i < m_items.GetSize(); ++i) GetItemAt(i)->SetEnabled(enable);
    if (m_pVerticalScrollBar != nullptr) m_pVerticalScrollBar->SetEnabled(enable);
    if (m_pHorizontalScrollBar != nullptr) m_pHorizontalScrollBar->SetEnabled(enable);
    Repaint();
}

void CContainerUI::SetMouseEnabled(bool enable) {
    CControlUI::SetMouseEnabled(enable);
    if (m_pVerticalScrollBar != nullptr) m_pVerticalScrollBar->SetMouseEnabled(enable);
    if (m_pHorizontalScrollBar != nullptr) m_pHorizontalScrollBar->SetMouseEnabled(enable);
}

void CContainerUI::MoveBy(int dx, int dy) {
    CControlUI::MoveBy(dx, dy);
    if (IsShown(m_pVerticalScrollBar)) m_pVerticalScrollBar->MoveBy(dx, dy);
    if (IsShown(m_pHorizontalScrollBar)) m_pHorizontalScrollBar->MoveBy(dx, dy);
    for (int i = 0; i < m_items.GetSize(); ++i) {
        CControlUI* child = GetItemAt(i);
        if (child->IsVisible()) child->MoveBy(dx, dy);
    }
}

CUIRect CContainerUI::GetClientPos() const {
    CUIRect rc = m_rcItem;
    rc.Deflate(GetInset());
    if (IsShown(m_pVerticalScrollBar)) rc.right -= m_pVerticalScrollBar->GetThickness();
    if (IsShown(m_pHorizontalScrollBar)) rc.bottom -= m_pHorizontalScrollBar->GetThickness();
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

// ---- children in flow order ----

void CContainerUI::ChildrenMeeting(const RECT& area, int& first, int& end) const {
    first = 0;
    end = m_items.GetSize();
    if (m_nFlowAxis == 0) return;
    const bool vertical = m_nFlowAxis == 1;
    const LONG from = vertical ? area.top : area.left;
    const LONG to = vertical ? area.bottom : area.right;
    // Both edges grow along the list: bisect for the first child that ends past `from`,
    // then for the first one that starts at or past `to`.
    int lo = 0;
    int hi = end;
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        const CUIRect& rc = GetItemAt(mid)->GetPos();
        if ((vertical ? rc.bottom : rc.right) <= from) {
            lo = mid + 1;
        } else {
            hi = mid;
        }
    }
    first = lo;
    hi = end;
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        const CUIRect& rc = GetItemAt(mid)->GetPos();
        if ((vertical ? rc.top : rc.left) < to) {
            lo = mid + 1;
        } else {
            hi = mid;
        }
    }
    end = lo;
}

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
            // Children in order along an axis: only the run that meets the area is visited.
            int first = 0;
            int end = m_items.GetSize();
            if (stop == nullptr) ChildrenMeeting(inner, first, end);
            for (int i = first; i < end; ++i) {
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
    for (CScrollBarUI* bar : {m_pVerticalScrollBar, m_pHorizontalScrollBar}) {
        if (!IsShown(bar)) continue;
        if (bar == stop) return false;
        if (!::IntersectRect(&tmp, &paint, &bar->GetPos())) continue;
        if (!bar->PaintClipped(dc, paint, stop)) return false;
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
    if (!hitTest || IsMouseEnabled()) {
        for (CScrollBarUI* bar : {m_pVerticalScrollBar, m_pHorizontalScrollBar}) {
            CControlUI* found = bar != nullptr ? bar->FindMatching(proc, data, flags) : nullptr;
            if (found != nullptr) return found;
        }
    }
    if (!hitTest || IsMouseChildEnabled()) {
        const CUIRect content = GetClientPos();
        int first = 0;
        int end = m_items.GetSize();
        if (hitTest) ChildrenMeeting(RECT{pt->x, pt->y, pt->x + 1, pt->y + 1}, first, end);
        const bool topFirst = (flags & UIFIND_TOP_FIRST) != 0;
        for (int n = first; n < end; ++n) {
            CControlUI* child = GetItemAt(topFirst ? end - 1 - (n - first) : n);
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
    if (ScrollOnInput(event)) return;
    if (event.Type == UIEVENT_SETFOCUS) {
        m_bFocused = true;
        return;
    }
    if (event.Type == UIEVENT_KILLFOCUS) {
        m_bFocused = false;
        return;
    }
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
        EnableScrollBar(IsTrue(value), m_pHorizontalScrollBar != nullptr);
    } else if (NameIs(name, L"vscrollbarstyle")) {
        SetScrollBarStyle(false, value);
    } else if (NameIs(name, L"hscrollbar")) {
        EnableScrollBar(m_pVerticalScrollBar != nullptr, IsTrue(value));
    } else if (NameIs(name, L"hscrollbarstyle")) {
        SetScrollBarStyle(true, value);
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
