// CContainerUI: scrolling. The bars, their fit to the content a layout reports,
// the scroll operations, and the wheel and keys. Compiled for size: none of it
// runs in a frame that does not scroll.
#include <climits>

#include "ui/controls/attribute_values.h"
#include "ui/controls/container.h"
#include "ui/controls/scroll_bar.h"
#include "ui/core/control_factory.h"
#include "ui/core/paint_manager.h"

namespace SkinUI {

namespace {

bool IsShown(const CScrollBarUI* bar) { return bar != nullptr && bar->IsVisible(); }

LONG Saturate(long long v) { return static_cast<LONG>(v < INT_MIN ? INT_MIN : v > INT_MAX ? INT_MAX : v); }

// How far a span [lo, hi) must move to lie in [viewLo, viewHi): its start wins
// when it is longer than the view.
int Reveal(int lo, int hi, int viewLo, int viewHi) {
    if (lo < viewLo) return lo - viewLo;
    if (hi <= viewHi) return 0;
    return hi - viewHi < lo - viewLo ? hi - viewHi : lo - viewLo;
}

}  // namespace

SIZE CContainerUI::GetScrollPos() const {
    SIZE pos = {0, 0};
    if (m_pHorizontalScrollBar != nullptr) pos.cx = m_pHorizontalScrollBar->GetScrollPos();
    if (m_pVerticalScrollBar != nullptr) pos.cy = m_pVerticalScrollBar->GetScrollPos();
    return pos;
}

SIZE CContainerUI::GetScrollRange() const {
    SIZE range = {0, 0};
    if (m_pHorizontalScrollBar != nullptr) range.cx = m_pHorizontalScrollBar->GetScrollRange();
    if (m_pVerticalScrollBar != nullptr) range.cy = m_pVerticalScrollBar->GetScrollRange();
    return range;
}

void CContainerUI::VisibleScroll(SIZE& pos, SIZE& range) const {
    pos = SIZE{0, 0};
    range = SIZE{0, 0};
    if (IsShown(m_pHorizontalScrollBar)) {
        pos.cx = m_pHorizontalScrollBar->GetScrollPos();
        range.cx = m_pHorizontalScrollBar->GetScrollRange();
    }
    if (IsShown(m_pVerticalScrollBar)) {
        pos.cy = m_pVerticalScrollBar->GetScrollPos();
        range.cy = m_pVerticalScrollBar->GetScrollRange();
    }
}

void CContainerUI::SetScrollPos(SIZE pos) {
    SIZE now;
    SIZE range;
    VisibleScroll(now, range);
    const LONG x = pos.cx < 0 ? 0 : pos.cx > range.cx ? range.cx : pos.cx;
    const LONG y = pos.cy < 0 ? 0 : pos.cy > range.cy ? range.cy : pos.cy;
    if (x == now.cx && y == now.cy) return;
    // Children move first, so that a "scroll" listener finds them where they are.
    for (int i = 0; i < m_items.GetSize(); ++i) {
        CControlUI* child = GetItemAt(i);
        if (!child->IsVisible() || child->IsFloat()) continue;
        CUIRect rc = child->GetPos();
        rc.Offset(now.cx - x, now.cy - y);
        child->PlaceAt(rc, false);
    }
    if (x != now.cx) m_pHorizontalScrollBar->SetScrollPos(x);
    if (y != now.cy) m_pVerticalScrollBar->SetScrollPos(y);
    Repaint();
}

void CContainerUI::SetScrollStepSize(int size) {
    if (size > 0) m_nScrollStepSize = size;
}

int CContainerUI::GetScrollStepSize() const { return Scale(m_nScrollStepSize); }

void CContainerUI::ScrollBy(long long dx, long long dy) {
    const SIZE pos = GetScrollPos();
    SetScrollPos(SIZE{Saturate(pos.cx + dx), Saturate(pos.cy + dy)});
}

void CContainerUI::Scroll(bool horizontal, int amount) {
    const int kind = amount < 0 ? -amount : amount;
    long long delta = INT_MAX;
    if (kind == 1) {
        delta = GetScrollStepSize();
        if (delta <= 0) {
            delta = Scale(8);
            if (!horizontal && m_pManager != nullptr) delta += m_pManager->GetDefaultFontInfo()->tm.tmHeight;
        }
    } else if (kind == 2) {
        const CUIRect view = GetClientPos();
        delta = horizontal ? view.GetWidth() : view.GetHeight();
    }
    if (amount < 0) delta = -delta;
    ScrollBy(horizontal ? delta : 0, horizontal ? 0 : delta);
}

void CContainerUI::LineUp() { Scroll(false, -1); }
void CContainerUI::LineDown() { Scroll(false, 1); }
void CContainerUI::PageUp() { Scroll(false, -2); }
void CContainerUI::PageDown() { Scroll(false, 2); }
void CContainerUI::HomeUp() { Scroll(false, -3); }
void CContainerUI::EndDown() { Scroll(false, 3); }
void CContainerUI::LineLeft() { Scroll(true, -1); }
void CContainerUI::LineRight() { Scroll(true, 1); }
void CContainerUI::PageLeft() { Scroll(true, -2); }
void CContainerUI::PageRight() { Scroll(true, 2); }
void CContainerUI::HomeLeft() { Scroll(true, -3); }
void CContainerUI::EndRight() { Scroll(true, 3); }

bool CContainerUI::ScrollOnInput(const TUIEvent& event) {
    const bool vertical = IsShown(m_pVerticalScrollBar) && m_pVerticalScrollBar->IsEnabled();
    const bool horizontal = IsShown(m_pHorizontalScrollBar) && m_pHorizontalScrollBar->IsEnabled();
    if (!vertical && !horizontal) return false;
    int amount = 0;
    bool sideways = !vertical;
    if (event.Type == UIEVENT_SCROLLWHEEL) {
        amount = LOWORD(event.wParam) == 0 ? -1 : 1;
    } else if (event.Type == UIEVENT_KEYDOWN) {
        // The keys scroll the vertical bar, else the horizontal one; Left and Right go sideways.
        switch (event.chKey) {
            case VK_LEFT: amount = -1; sideways = true; break;
            case VK_RIGHT: amount = 1; sideways = true; break;
            case VK_UP: amount = -1; break;
            case VK_DOWN: amount = 1; break;
            case VK_PRIOR: amount = -2; break;
            case VK_NEXT: amount = 2; break;
            case VK_HOME: amount = -3; break;
            case VK_END: amount = 3; break;
            default: return false;
        }
        if (sideways && !horizontal) return false;
    } else {
        return false;
    }
    Scroll(sideways, amount);
    return true;
}

// ---- the bars ----

CScrollBarUI* CContainerUI::MakeScrollBar(bool horizontal) {
    // The bar comes from the factory, which knows it once the further controls are
    // registered: a program that never registers them (the launcher) carries no bar.
    CControlUI* made = CControlFactory::Instance().CreateControl(L"CScrollBarUI");
    auto* bar = made != nullptr ? static_cast<CScrollBarUI*>(made->GetInterface(L"ScrollBar")) : nullptr;
    if (bar == nullptr) {
        delete made;
        return nullptr;
    }
    bar->SetOwner(this);
    bar->SetHorizontal(horizontal);
    bar->ShowQuietly(false);  // until the content overflows
    bar->SetManager(m_pManager, this, false);
    const wchar_t* defaults =
        m_pManager != nullptr ? m_pManager->GetDefaultAttributeList(horizontal ? L"HScrollBar" : L"VScrollBar") : nullptr;
    if (defaults != nullptr) bar->ApplyAttributeString(defaults);
    bar->ApplyAttributeString(horizontal ? m_sHScrollBarStyle : m_sVScrollBarStyle);
    return bar;
}

void CContainerUI::EnableScrollBar(bool vertical, bool horizontal) {
    CScrollBarUI** bars[2] = {&m_pVerticalScrollBar, &m_pHorizontalScrollBar};
    const bool wanted[2] = {vertical, horizontal};
    bool changed = false;
    for (int i = 0; i < 2; ++i) {
        if (wanted[i] == (*bars[i] != nullptr)) continue;
        delete *bars[i];
        *bars[i] = wanted[i] ? MakeScrollBar(i == 1) : nullptr;
        changed = changed || *bars[i] != nullptr || !wanted[i];
    }
    if (changed) MarkDirty();
}

CScrollBarUI* CContainerUI::GetVerticalScrollBar() const { return m_pVerticalScrollBar; }
CScrollBarUI* CContainerUI::GetHorizontalScrollBar() const { return m_pHorizontalScrollBar; }

void CContainerUI::SetScrollBarStyle(bool horizontal, const wchar_t* value) {
    const wchar_t* style = m_pManager != nullptr ? m_pManager->GetStyle(attr::StyleName(value)) : nullptr;
    CUIString& stored = horizontal ? m_sHScrollBarStyle : m_sVScrollBarStyle;
    stored = style != nullptr ? style : value;
    CScrollBarUI* bar = horizontal ? m_pHorizontalScrollBar : m_pVerticalScrollBar;
    if (bar != nullptr) {
        bar->ApplyAttributeString(stored);
    } else {
        EnableScrollBar(!horizontal || m_pVerticalScrollBar != nullptr, horizontal || m_pHorizontalScrollBar != nullptr);
    }
}

bool CContainerUI::FitScrollBar(CScrollBarUI* bar, int overflow, const CUIRect& rc) {
    if (bar == nullptr) return false;
    const bool shown = bar->IsVisible();
    const int pos = bar->GetScrollPos();
    const int range = bar->GetScrollRange();
    bar->ShowQuietly(overflow > 0);
    bar->SetScrollRange(overflow);
    if (overflow <= 0) return shown || pos != 0;
    const int thickness = bar->GetThickness();
    const bool horizontal = bar->IsHorizontal();
    bar->SetPageSize(horizontal ? rc.GetWidth() : rc.GetHeight());
    bar->PlaceAt(horizontal ? CUIRect(rc.left, rc.bottom, rc.right, rc.bottom + thickness)
                            : CUIRect(rc.right, rc.top, rc.right + thickness, rc.bottom),
                 false);
    // The layouts spread their children over the range and shift them by the position.
    return !shown || pos != bar->GetScrollPos() || range != bar->GetScrollRange();
}

void CContainerUI::UpdateScrollBars(CUIRect rc, int cxNeeded, int cyNeeded) {
    bool again = FitScrollBar(m_pHorizontalScrollBar, Saturate(static_cast<long long>(cxNeeded) - rc.GetWidth()), rc);
    again = FitScrollBar(m_pVerticalScrollBar, Saturate(static_cast<long long>(cyNeeded) - rc.GetHeight()), rc) ||
            again;
    // A bar that came or went changes the content rectangle, and a new range or a
    // position held back by it moves the children: place them again. Content whose
    // size follows the width could make the bars come and go for ever; a few rounds
    // are enough.
    if (!again || m_nRelayout >= 4) return;
    ++m_nRelayout;
    PlaceAt(m_rcItem, false);
    --m_nRelayout;
}

// ---- bringing a control into view ----

void CContainerUI::ScrollToShow(const RECT& rc) {
    const CUIRect view = GetClientPos();
    ScrollBy(IsShown(m_pHorizontalScrollBar) ? Reveal(rc.left, rc.right, view.left, view.right) : 0,
             IsShown(m_pVerticalScrollBar) ? Reveal(rc.top, rc.bottom, view.top, view.bottom) : 0);
}

void CContainerUI::ScrollIntoView(CControlUI* control) {
    if (control == nullptr) return;
    CControlUI* below = control;
    for (CControlUI* p = control->GetParent(); p != nullptr; below = p, p = p->GetParent()) {
        auto* box = static_cast<CContainerUI*>(p->GetInterface(L"Container"));
        if (box == nullptr || below->IsFloat()) continue;
        if (below == box->m_pVerticalScrollBar || below == box->m_pHorizontalScrollBar) continue;
        box->ScrollToShow(control->GetPos());
    }
}

}  // namespace SkinUI
