#include "ui/controls/progress.h"

#include <climits>
#include <cwchar>

#include "ui/controls/attribute_values.h"
#include "ui/controls/render.h"
#include "ui/core/paint_manager.h"

namespace SkinUI {

CProgressUI::CProgressUI()
    : m_bShowText(false), m_bHorizontal(true), m_bStretchForeImage(true), m_nMax(100), m_nMin(0), m_nValue(0) {
    m_uTextStyle = DT_SINGLELINE | DT_CENTER;
    m_cxyFixed.cy = 12;
}

const wchar_t* CProgressUI::GetClass() const { return L"ProgressUI"; }

void* CProgressUI::GetInterface(const wchar_t* name) {
    if (name != nullptr && _wcsicmp(name, L"Progress") == 0) return static_cast<CProgressUI*>(this);
    return CLabelUI::GetInterface(name);
}

void CProgressUI::SetHorizontal(bool horizontal) {
    if (m_bHorizontal == horizontal) return;
    m_bHorizontal = horizontal;
    Repaint();
}

void CProgressUI::SetStretchForeImage(bool stretch) {
    if (m_bStretchForeImage == stretch) return;
    m_bStretchForeImage = stretch;
    Repaint();
}

void CProgressUI::SetShowText(bool show) {
    if (m_bShowText == show) return;
    m_bShowText = show;
    UpdateText();
    Repaint();
}

void CProgressUI::SetMinValue(int min) {
    m_nMin = min;
    Repaint();
}

void CProgressUI::SetMaxValue(int max) {
    m_nMax = max;
    Repaint();
}

void CProgressUI::SetValue(int value) {
    if (value == m_nValue || value < m_nMin || value > m_nMax) return;
    m_nValue = value;
    Repaint();
    UpdateText();
    if (m_pManager != nullptr) m_pManager->NotifyAccessible(EVENT_OBJECT_VALUECHANGE, this);
}

void CProgressUI::UpdateText() {
    if (!m_bShowText) return;
    // An empty range counts as one wide, as it does when painting.
    const long long range = m_nMax > m_nMin ? static_cast<long long>(m_nMax) - m_nMin : 1;
    CUIString text;
    text.Format(L"%.0f%%", static_cast<double>(static_cast<long long>(m_nValue) - m_nMin) * 100.0 / range);
    SetText(text);
}

void CProgressUI::ApplyAttribute(const wchar_t* name, const wchar_t* value) {
    if (name == nullptr) return;
    if (value == nullptr) value = L"";
    if (attr::NameIs(name, L"hor"))
        SetHorizontal(attr::IsTrue(value));
    else if (attr::NameIs(name, L"min"))
        SetMinValue(attr::ToInt(value));
    else if (attr::NameIs(name, L"max"))
        SetMaxValue(attr::ToInt(value));
    else if (attr::NameIs(name, L"value"))
        SetValue(attr::ToInt(value));
    else if (attr::NameIs(name, L"isstretchfore"))
        SetStretchForeImage(attr::IsTrue(value));
    else
        CLabelUI::ApplyAttribute(name, value);
}

void CProgressUI::RepairRange() {
    if (m_nMax <= m_nMin) {
        // The range must be at least one wide; at the top of the int range the minimum moves down.
        if (m_nMin == INT_MAX) m_nMin = INT_MAX - 1;
        m_nMax = m_nMin + 1;
    }
    if (m_nValue > m_nMax) m_nValue = m_nMax;
    if (m_nValue < m_nMin) m_nValue = m_nMin;
}

void CProgressUI::DrawForeColor(HDC dc) {
    if (m_dwForeColor == 0) return;
    RepairRange();
    // 64-bit intermediates: the range may span the whole int range.
    const long long range = static_cast<long long>(m_nMax) - m_nMin;
    CUIRect rc = m_rcItem;
    if (m_bHorizontal)
        rc.right = rc.left + static_cast<LONG>((static_cast<long long>(m_nValue) - m_nMin) *
                                               (static_cast<long long>(m_rcItem.right) - m_rcItem.left) / range);
    else
        rc.top = rc.top + static_cast<LONG>((static_cast<long long>(m_rcItem.bottom) - m_rcItem.top) *
                                            (static_cast<long long>(m_nMax) - m_nValue) / range);
    CUIRender::FillSolid(dc, rc, ApplyHsl(m_dwForeColor));
}

void CProgressUI::DrawForeImage(HDC dc) {
    if (m_sForeImage.IsEmpty()) return;
    RepairRange();
    const float range = static_cast<float>(static_cast<long long>(m_nMax) - m_nMin);
    const float fraction = static_cast<float>(static_cast<long long>(m_nValue) - m_nMin) / range;
    const float width = static_cast<float>(m_rcItem.right - m_rcItem.left);
    const float height = static_cast<float>(m_rcItem.bottom - m_rcItem.top);
    CUIRect rc;
    if (m_bHorizontal) {
        rc.right = static_cast<LONG>(width * fraction);
        rc.bottom = static_cast<LONG>(height);
    } else {
        rc.top = static_cast<LONG>(height * static_cast<float>(static_cast<long long>(m_nMax) - m_nValue) / range);
        rc.right = static_cast<LONG>(width);
        rc.bottom = static_cast<LONG>(height);
    }
    // The modifier is parsed (and scaled) again when drawn: back to unscaled units.
    if (m_pManager != nullptr) {
        const int percent = m_pManager->GetDpiScale();
        rc.left = MulDiv(rc.left, 100, percent);
        rc.top = MulDiv(rc.top, 100, percent);
        rc.right = MulDiv(rc.right, 100, percent);
        rc.bottom = MulDiv(rc.bottom, 100, percent);
    }
    const int l = rc.left, t = rc.top, r = rc.right, b = rc.bottom;
    if (m_bStretchForeImage)
        m_sForeImageModify.Format(L"dest='%d,%d,%d,%d'", l, t, r, b);
    else
        m_sForeImageModify.Format(L"dest='%d,%d,%d,%d' source='%d,%d,%d,%d'", l, t, r, b, l, t, r, b);
    DrawImageSpec(dc, m_sForeImage, m_sForeImageModify);
}

}  // namespace SkinUI
