#include "ui/widgets/input/slider.h"

#include <cwchar>

#include "ui/controls/attribute_values.h"
#include "ui/controls/button.h"
#include "ui/controls/render.h"
#include "ui/core/paint_manager.h"

namespace SkinUI {

namespace {

// A thumb without an image of its own.
const DWORD kThumbFallback = 0xFF707070;
const int kMaxThumb = 4096;  // unscaled

int Bounded(int v) { return v < 0 ? 0 : v > kMaxThumb ? kMaxThumb : v; }

}  // namespace

CSliderUI::CSliderUI()
    : m_nStep(1), m_szThumb{10, 10}, m_uState(0), m_bDragging(false), m_nDragStartValue(0), m_ptGrab{0, 0} {}

const wchar_t* CSliderUI::GetClass() const { return L"SliderUI"; }

void* CSliderUI::GetInterface(const wchar_t* name) {
    if (name != nullptr && ::_wcsicmp(name, L"Slider") == 0) return static_cast<CSliderUI*>(this);
    return CProgressUI::GetInterface(name);
}

UINT CSliderUI::GetControlFlags() const {
    return (IsKeyboardEnabled() ? UINT(UIFLAG_TABSTOP) : 0u) | (IsEnabled() ? UINT(UIFLAG_SETCURSOR) : 0u);
}

void CSliderUI::SetStep(int step) { m_nStep = step < 1 ? 1 : step; }

void CSliderUI::SetThumbSize(SIZE size) {
    m_szThumb = SIZE{Bounded(size.cx), Bounded(size.cy)};
    Repaint();
}

CUIRect CSliderUI::GetThumbRect() const {
    const CUIRect& item = m_rcItem;
    const long long cx = Scale(m_szThumb.cx);
    const long long cy = Scale(m_szThumb.cy);
    // An empty or inverted range puts the thumb at the start, as painting does.
    const long long range = m_nMax > m_nMin ? static_cast<long long>(m_nMax) - m_nMin : 1;
    long long value = static_cast<long long>(m_nValue) - m_nMin;
    value = value < 0 ? 0 : value > range ? range : value;
    if (m_bHorizontal) {
        const long long travel = item.GetWidth() - cx > 0 ? item.GetWidth() - cx : 0;
        const long long left = item.left + travel * value / range;
        const long long top = item.top + (item.GetHeight() - cy) / 2;
        return CUIRect(static_cast<LONG>(left), static_cast<LONG>(top), static_cast<LONG>(left + cx),
                       static_cast<LONG>(top + cy));
    }
    const long long travel = item.GetHeight() - cy > 0 ? item.GetHeight() - cy : 0;
    const long long top = item.bottom - cy - travel * value / range;  // the maximum at the top
    const long long left = item.left + (item.GetWidth() - cx) / 2;
    return CUIRect(static_cast<LONG>(left), static_cast<LONG>(top), static_cast<LONG>(left + cx),
                   static_cast<LONG>(top + cy));
}

bool CSliderUI::MoveTo(long long value) {
    const int lo = m_nMin <= m_nMax ? m_nMin : m_nMax;
    const int hi = m_nMin <= m_nMax ? m_nMax : m_nMin;
    const int clamped = static_cast<int>(value < lo ? lo : value > hi ? hi : value);
    if (clamped == m_nValue) return false;
    SetValue(clamped);
    return m_nValue == clamped;
}

bool CSliderUI::StepBy(long long steps) { return MoveTo(static_cast<long long>(m_nValue) + steps * m_nStep); }

long long CSliderUI::ValueAt(POINT pt) const {
    const CUIRect thumb = GetThumbRect();
    const long long range = m_nMax > m_nMin ? static_cast<long long>(m_nMax) - m_nMin : 0;
    long long travel = 0;
    long long offset = 0;
    if (m_bHorizontal) {
        travel = m_rcItem.GetWidth() - thumb.GetWidth();
        offset = static_cast<long long>(pt.x) - m_ptGrab.x - thumb.GetWidth() / 2 - m_rcItem.left;
    } else {
        travel = m_rcItem.GetHeight() - thumb.GetHeight();
        offset = static_cast<long long>(m_rcItem.bottom) - thumb.GetHeight() / 2 - (pt.y - m_ptGrab.y);
    }
    if (travel <= 0 || range == 0) return m_nValue;
    offset = offset < 0 ? 0 : offset > travel ? travel : offset;
    // Whole steps from the minimum, the nearest one.
    const long long exact = offset * range;
    long long steps = (exact + travel * m_nStep / 2) / (travel * m_nStep);
    long long value = m_nMin + steps * m_nStep;
    return value > m_nMax ? m_nMax : value;
}

void CSliderUI::Changed(const wchar_t* notification) {
    if (m_pManager != nullptr) m_pManager->SendNotify(this, notification, static_cast<WPARAM>(m_nValue));
}

void CSliderUI::HandleEvent(TUIEvent& event) {
    const bool live = IsEnabled();
    switch (event.Type) {
        case UIEVENT_BUTTONDOWN:
        case UIEVENT_DBLCLICK: {
            if (!live) return;
            const CUIRect thumb = GetThumbRect();
            if (thumb.PtInRect(event.ptMouse)) {
                m_bDragging = true;
                m_nDragStartValue = m_nValue;
                m_ptGrab = POINT{event.ptMouse.x - (thumb.left + thumb.right) / 2,
                                 event.ptMouse.y - (thumb.top + thumb.bottom) / 2};
                m_uState |= UISTATE_PUSHED;
                Repaint();
                return;
            }
            // The rail: one step toward the pointer.
            const bool before = m_bHorizontal ? event.ptMouse.x < thumb.left : event.ptMouse.y > thumb.bottom;
            if (StepBy(before ? -1 : 1)) Changed(L"valuechanged");
            return;
        }
        case UIEVENT_MOUSEMOVE: {
            if (m_bDragging) {
                if (MoveTo(ValueAt(event.ptMouse))) Changed(L"movevaluechanged");
                return;
            }
            const UINT hot = live && GetThumbRect().PtInRect(event.ptMouse) ? UINT(UISTATE_HOT) : 0u;
            if ((m_uState & UISTATE_HOT) != hot) {
                m_uState = (m_uState & ~UINT(UISTATE_HOT)) | hot;
                Repaint();
            }
            return;
        }
        case UIEVENT_BUTTONUP:
            if (!m_bDragging) return;
            m_bDragging = false;
            m_uState &= ~UINT(UISTATE_PUSHED);
            m_uState = (m_uState & ~UINT(UISTATE_HOT)) | (GetThumbRect().PtInRect(event.ptMouse) ? UINT(UISTATE_HOT) : UINT(0));
            Repaint();
            if (m_nValue != m_nDragStartValue) Changed(L"valuechanged");
            return;
        case UIEVENT_MOUSELEAVE:
            if ((m_uState & UISTATE_HOT) != 0 && !m_bDragging) {
                m_uState &= ~UINT(UISTATE_HOT);
                Repaint();
            }
            return;
        case UIEVENT_KILLFOCUS:
            if (m_bDragging) {
                m_bDragging = false;
                m_uState &= ~UINT(UISTATE_PUSHED);
                if (m_nValue != m_nDragStartValue) Changed(L"valuechanged");
            }
            break;
        case UIEVENT_SCROLLWHEEL:
            if (!live) break;
            if (StepBy(LOWORD(event.wParam) == 0 ? 1 : -1)) Changed(L"valuechanged");
            return;
        case UIEVENT_KEYDOWN: {
            if (!live || !IsKeyboardEnabled()) break;
            bool moved = false;
            switch (event.chKey) {
                case VK_LEFT: case VK_DOWN: moved = StepBy(-1); break;
                case VK_RIGHT: case VK_UP: moved = StepBy(1); break;
                case VK_HOME: moved = MoveTo(m_nMin); break;
                case VK_END: moved = MoveTo(m_nMax); break;
                default: CProgressUI::HandleEvent(event); return;
            }
            if (moved) Changed(L"valuechanged");
            return;
        }
        default:
            break;
    }
    CProgressUI::HandleEvent(event);
}

void CSliderUI::ApplyAttribute(const wchar_t* name, const wchar_t* value) {
    if (name == nullptr) return;
    if (value == nullptr) value = L"";
    if (attr::NameIs(name, L"step")) SetStep(attr::ToInt(value));
    else if (attr::NameIs(name, L"thumbsize")) SetThumbSize(attr::ToSize(value));
    else if (attr::NameIs(name, L"thumbimage")) m_sThumbImage = attr::ImageDesc(value);
    else if (attr::NameIs(name, L"thumbhotimage")) m_sThumbHotImage = attr::ImageDesc(value);
    else if (attr::NameIs(name, L"thumbpushedimage")) m_sThumbPushedImage = attr::ImageDesc(value);
    else if (attr::NameIs(name, L"thumbdisabledimage")) m_sThumbDisabledImage = attr::ImageDesc(value);
    else {
        CProgressUI::ApplyAttribute(name, value);
        return;
    }
    Repaint();
}

void CSliderUI::DrawForeImage(HDC dc) {
    CProgressUI::DrawForeImage(dc);
    const CUIString* image = &m_sThumbImage;
    if (!IsEnabled())
        image = &m_sThumbDisabledImage;
    else if ((m_uState & UISTATE_PUSHED) != 0)
        image = &m_sThumbPushedImage;
    else if ((m_uState & UISTATE_HOT) != 0)
        image = &m_sThumbHotImage;
    if (image->IsEmpty()) image = &m_sThumbImage;
    CUIRect thumb = GetThumbRect();
    if (image->IsEmpty()) {
        CUIRender::FillSolid(dc, thumb, ApplyHsl(kThumbFallback));
        return;
    }
    // Relative to the item and unscaled: the description is scaled when drawn.
    thumb.Offset(-m_rcItem.left, -m_rcItem.top);
    const int percent = m_pManager != nullptr ? m_pManager->GetDpiScale() : 100;
    CUIString modifier;
    modifier.Format(L"dest='%d,%d,%d,%d'", ::MulDiv(thumb.left, 100, percent), ::MulDiv(thumb.top, 100, percent),
                    ::MulDiv(thumb.right, 100, percent), ::MulDiv(thumb.bottom, 100, percent));
    DrawImageSpec(dc, *image, modifier);
}

}  // namespace SkinUI
