#include "ui/widgets/motion/roll_text.h"

#include <cmath>

#include "ui/controls/attribute_values.h"
#include "ui/controls/render.h"
#include "ui/core/paint_manager.h"

namespace SkinUI {

namespace {

const int kMostSpeed = 100000;
const UINT kAlignBits = DT_CENTER | DT_RIGHT | DT_VCENTER | DT_BOTTOM;

}  // namespace

CRollTextUI::CRollTextUI() : TMotionControl<CLabelUI>(25) { SetSpeed(m_speed); }

const wchar_t* CRollTextUI::GetClass() const { return L"RollTextUI"; }

void* CRollTextUI::GetInterface(const wchar_t* name) {
    if (name != nullptr && ::_wcsicmp(name, L"RollText") == 0) return static_cast<CRollTextUI*>(this);
    return CLabelUI::GetInterface(name);
}

void CRollTextUI::ApplyAttribute(const wchar_t* name, const wchar_t* value) {
    if (name == nullptr) return;
    if (value == nullptr) value = L"";
    if (attr::NameIs(name, L"direction")) {
        if (::_wcsicmp(value, L"right") == 0) SetDirection(kRight);
        else if (::_wcsicmp(value, L"up") == 0) SetDirection(kUp);
        else if (::_wcsicmp(value, L"down") == 0) SetDirection(kDown);
        else SetDirection(kLeft);
    } else if (attr::NameIs(name, L"speed")) {
        SetSpeed(attr::ToInt(value));
    } else {
        CLabelUI::ApplyAttribute(name, value);
    }
}

void CRollTextUI::SetText(const wchar_t* text) {
    CLabelUI::SetText(text);
    m_extent = -1;
    m_bFresh = true;
}

void CRollTextUI::SetDirection(EDirection direction) {
    m_direction = direction;
    m_offset = 0.0;
    m_extent = -1;
    m_bFresh = true;
    Repaint();
}

void CRollTextUI::SetSpeed(int pixelsPerSecond) {
    m_speed = pixelsPerSecond > kMostSpeed ? kMostSpeed : pixelsPerSecond;
    // About a pixel a tick, between 10 and 60 ticks a second.
    const int interval = m_speed > 0 ? 1000 / m_speed : 100;
    m_clock.SetInterval(interval < 16 ? 16 : interval > 100 ? 100 : interval);
    Resume();
    Repaint();
}

void CRollTextUI::Resume() {
    if (m_speed > 0 && !m_bHover) m_clock.Play();
    else m_clock.Pause();
}

void CRollTextUI::HandleEvent(TUIEvent& event) {
    if (event.Type == UIEVENT_MOUSEENTER || event.Type == UIEVENT_MOUSELEAVE) {
        m_bHover = event.Type == UIEVENT_MOUSEENTER;
        Resume();
    }
    TMotionControl<CLabelUI>::HandleEvent(event);
}

CUIRect CRollTextUI::TextArea() const {
    CUIRect rc = m_rcItem;
    rc.left += Scale(m_rcTextPadding.left);
    rc.top += Scale(m_rcTextPadding.top);
    rc.right -= Scale(m_rcTextPadding.right);
    rc.bottom -= Scale(m_rcTextPadding.bottom);
    return rc;
}

int CRollTextUI::MeasureExtent(HDC dc, const CUIRect& area) {
    const int cross = IsVertical() ? area.GetWidth() : 0;
    if (m_extent >= 0 && m_extentFor == cross) return m_extent;
    m_extent = 0;
    m_extentFor = cross;
    const CUIString text = GetText();
    if (text.IsEmpty() || m_pManager == nullptr || dc == nullptr) return 0;
    if (!IsVertical()) {
        m_extent = CUIRender::MeasureText(dc, m_pManager, text, m_iFont).cx;
    } else if (cross > 0) {
        RECT rc = {0, 0, cross, 0};
        const UINT style = (m_uTextStyle & ~(kAlignBits | DT_SINGLELINE)) | DT_WORDBREAK | DT_CALCRECT;
        CUIRender::PaintText(dc, m_pManager, rc, text, 0, m_iFont, style);
        m_extent = rc.bottom - rc.top;
    }
    return m_extent;
}

int CRollTextUI::GetRoundLength() { return RoundIn(m_pManager != nullptr ? m_pManager->GetPaintDC() : nullptr); }

int CRollTextUI::RoundIn(HDC dc) {
    const CUIRect area = TextArea();
    int view = IsVertical() ? area.GetHeight() : area.GetWidth();
    if (view < 0) view = 0;
    const int extent = MeasureExtent(dc, area);
    const int round = view + extent;
    // A text that starts rolling starts where a label would show it.
    if (m_bFresh && round > 0 && m_extent >= 0 && m_pManager != nullptr) {
        m_bFresh = false;
        m_offset = std::fmod(double(m_direction == kLeft || m_direction == kUp ? view : extent), double(round));
    }
    return round;
}

void CRollTextUI::OnMotionTick(DWORD elapsedMs) {
    if (m_speed <= 0 || m_bHover) return;
    const int round = GetRoundLength();
    m_offset += double(Scale(m_speed)) * elapsedMs / 1000.0;
    m_offset = round > 0 ? std::fmod(m_offset, double(round)) : 0.0;
    Repaint();
}

void CRollTextUI::DrawLabelText(HDC dc) {
    if (m_speed <= 0 || m_bShowHtml) {
        CLabelUI::DrawLabelText(dc);
        return;
    }
    ResolveTextColors();
    const CUIString text = GetText();
    const CUIRect area = TextArea();
    if (text.IsEmpty() || m_pManager == nullptr || area.IsEmpty()) return;
    RoundIn(dc);
    const int extent = m_extent;
    const int offset = static_cast<int>(m_offset);
    CUIRect rc = area;
    UINT style = m_uTextStyle & ~kAlignBits;
    switch (m_direction) {
        case kLeft: rc.left = area.right - offset; break;
        case kRight: rc.left = area.left - extent + offset; break;
        case kUp: rc.top = area.bottom - offset; break;
        case kDown: rc.top = area.top - extent + offset; break;
    }
    if (IsVertical()) {
        rc.bottom = rc.top + extent;
        style = (style & ~DT_SINGLELINE) | DT_WORDBREAK;
    } else {
        rc.right = rc.left + extent + 1;
        style |= DT_SINGLELINE | (m_uTextStyle & (DT_VCENTER | DT_BOTTOM));
        style &= ~(DT_WORDBREAK | DT_END_ELLIPSIS);
    }
    CUIClip clip(dc, area);
    CUIRender::PaintText(dc, m_pManager, rc, text, IsEnabled() ? m_dwTextColor : m_dwDisabledTextColor, m_iFont,
                         style);
}

}  // namespace SkinUI
