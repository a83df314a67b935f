#include "ui/widgets/motion/fade_button.h"

#include <cwchar>

#include "ui/controls/attribute_values.h"

namespace SkinUI {

CFadeButtonUI::CFadeButtonUI() : TMotionControl<CButtonUI>(16) {}

const wchar_t* CFadeButtonUI::GetClass() const { return L"FadeButtonUI"; }

void* CFadeButtonUI::GetInterface(const wchar_t* name) {
    if (name != nullptr && ::_wcsicmp(name, L"FadeButton") == 0) return static_cast<CFadeButtonUI*>(this);
    return CButtonUI::GetInterface(name);
}

void CFadeButtonUI::ApplyAttribute(const wchar_t* name, const wchar_t* value) {
    if (name == nullptr) return;
    if (value == nullptr) value = L"";
    if (attr::NameIs(name, L"fadeduration")) SetFadeDuration(attr::ToInt(value));
    else CButtonUI::ApplyAttribute(name, value);
}

void CFadeButtonUI::SetFadeDuration(int ms) { m_duration = ms < 0 ? 0 : ms; }

void CFadeButtonUI::HandleEvent(TUIEvent& event) {
    const UINT before = m_uButtonState & UISTATE_HOT;
    TMotionControl<CButtonUI>::HandleEvent(event);
    const UINT after = m_uButtonState & UISTATE_HOT;
    if (before != after) FadeTo(after != 0);
}

void CFadeButtonUI::FadeTo(bool hot) {
    m_bToHot = hot;
    if (m_duration == 0) {
        m_blend = hot ? 1.0 : 0.0;
        m_clock.Pause();
        Repaint();
        return;
    }
    m_clock.Play();
    // A fade nobody sees is over at once.
    if (!m_clock.IsTicking()) {
        m_blend = hot ? 1.0 : 0.0;
        m_clock.Pause();
    }
}

void CFadeButtonUI::OnMotionTick(DWORD elapsedMs) {
    const double step = m_duration > 0 ? double(elapsedMs) / m_duration : 1.0;
    m_blend += m_bToHot ? step : -step;
    if (m_blend >= 1.0 || m_blend <= 0.0) {
        m_blend = m_blend >= 1.0 ? 1.0 : 0.0;
        m_clock.Pause();
    }
    Repaint();
}

void CFadeButtonUI::DrawStateImage(HDC dc) {
    const bool plain = (m_uButtonState & (UISTATE_DISABLED | UISTATE_PUSHED)) != 0 || m_sNormalImage.IsEmpty() ||
                       m_sHotImage.IsEmpty() || !m_sStateImage.IsEmpty();
    if (plain || m_blend >= 1.0 || m_blend <= 0.0) {
        // Settled: what the plain button draws, with the hot image only at its full share.
        const UINT state = m_uButtonState;
        if (!plain && m_blend <= 0.0) m_uButtonState &= ~UISTATE_HOT;
        if (!plain && m_blend >= 1.0) m_uButtonState |= UISTATE_HOT;
        CButtonUI::DrawStateImage(dc);
        m_uButtonState = state;
        return;
    }
    DrawImageSpec(dc, m_sNormalImage);
    wchar_t fade[24];
    std::swprintf(fade, 24, L"fade='%d'", static_cast<int>(m_blend * 255.0 + 0.5));
    DrawImageSpec(dc, m_sHotImage, fade);
}

}  // namespace SkinUI
