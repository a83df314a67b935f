#include "ui/widgets/input/combo_list.h"

#include <climits>
#include <cwchar>
#include <initializer_list>

#include "ui/controls/render.h"
#include "ui/core/paint_manager.h"
#include "ui/widgets/input/combo.h"

namespace SkinUI {

namespace {

// What a row shows when the skin gives no colours of its own.
const DWORD kFallbackText = 0xFF000000;
const DWORD kFallbackSelectedBack = 0xFFC0DCF3;

LONG Saturate(long long v) { return static_cast<LONG>(v < INT_MIN ? INT_MIN : v > INT_MAX ? INT_MAX : v); }

DWORD First(DWORD a, DWORD b, DWORD c = 0) { return a != 0 ? a : b != 0 ? b : c; }

}  // namespace

CComboListUI::CComboListUI(CComboUI* owner) : m_pOwner(owner), m_iHot(-1) {}

const wchar_t* CComboListUI::GetClass() const { return L"ComboListUI"; }

void* CComboListUI::GetInterface(const wchar_t* name) {
    if (name != nullptr && ::_wcsicmp(name, L"ComboList") == 0) return this;
    return CContainerUI::GetInterface(name);
}

void CComboListUI::SetFocus() {}

int CComboListUI::GetRowCount() const { return m_pOwner != nullptr ? m_pOwner->GetCount() : 0; }

void CComboListUI::PlaceAt(CUIRect rc, bool invalidate) {
    CControlUI::PlaceAt(rc, invalidate);  // NOLINT(bugprone-parent-virtual-call): no children to place
    const int height = m_pOwner != nullptr ? m_pOwner->GetItemHeight() : 0;
    UpdateScrollBars(GetClientPos(), 0, Saturate(static_cast<long long>(GetRowCount()) * height));
}

CUIRect CComboListUI::RowRect(int row) const {
    const CUIRect content = GetClientPos();
    const long long height = m_pOwner != nullptr ? m_pOwner->GetItemHeight() : 0;
    const long long top = content.top + row * height - GetScrollPos().cy;
    return CUIRect(content.left, Saturate(top), content.right, Saturate(top + height));
}

int CComboListUI::RowAt(POINT pt) const {
    const CUIRect content = GetClientPos();
    const int height = m_pOwner != nullptr ? m_pOwner->GetItemHeight() : 0;
    if (height <= 0 || !content.PtInRect(pt)) return -1;
    const long long row = (static_cast<long long>(pt.y) - content.top + GetScrollPos().cy) / height;
    return row < GetRowCount() ? static_cast<int>(row) : -1;
}

void CComboListUI::ShowRow(int row) {
    if (row >= 0 && row < GetRowCount()) ScrollToShow(RowRect(row));
}

void CComboListUI::SetHot(int row) {
    if (row == m_iHot) return;
    const CUIRect content = GetClientPos();
    for (int r : {m_iHot, row}) {
        RECT rc;
        const CUIRect rowRect = RowRect(r);
        if (r >= 0 && m_pManager != nullptr && ::IntersectRect(&rc, &rowRect, &content)) m_pManager->Invalidate(rc);
    }
    m_iHot = row;
}

void CComboListUI::HandleEvent(TUIEvent& event) {
    switch (event.Type) {
        case UIEVENT_MOUSEMOVE:
        case UIEVENT_MOUSEENTER:
            SetHot(RowAt(event.ptMouse));
            return;
        case UIEVENT_MOUSELEAVE:
            SetHot(-1);
            return;
        case UIEVENT_BUTTONDOWN:
        case UIEVENT_DBLCLICK:
            return;
        case UIEVENT_BUTTONUP: {
            const int row = RowAt(event.ptMouse);
            if (row >= 0 && m_pOwner != nullptr) m_pOwner->PickFromList(row);  // may close the popup
            return;
        }
        default:
            CContainerUI::HandleEvent(event);
    }
}

void CComboListUI::DrawLabelText(HDC dc) {
    if (m_pOwner == nullptr) return;
    const int height = m_pOwner->GetItemHeight();
    const CUIRect content = GetClientPos();
    RECT area;
    if (height <= 0 || !::IntersectRect(&area, &content, &m_rcPaint)) return;
    CUIClip clip(dc, area);
    const long long scroll = GetScrollPos().cy;
    // Only the rows that meet the painted area.
    long long first = (area.top - content.top + scroll) / height;
    long long last = (area.bottom - 1 - content.top + scroll) / height;
    if (first < 0) first = 0;
    if (last >= GetRowCount()) last = GetRowCount() - 1;
    for (long long row = first; row <= last; ++row) DrawRow(dc, static_cast<int>(row), RowRect(static_cast<int>(row)));
}

void CComboListUI::DrawRow(HDC dc, int row, const CUIRect& rc) {
    CControlUI* item = m_pOwner->GetItemAt(row);
    CPaintManagerUI* looksFrom = m_pOwner->GetManager();  // the combo's fonts and images
    if (item == nullptr || looksFrom == nullptr) return;
    const TComboItemLooks& looks = m_pOwner->GetItemLooks();
    const bool enabled = item->IsEnabled();
    const bool selected = row == m_pOwner->GetCurSel();
    const bool hot = enabled && row == m_iHot;

    DWORD back = looks.bkColor;
    if (hot && looks.hotBkColor != 0) back = looks.hotBkColor;
    if (selected) back = First(looks.selectedBkColor, looksFrom->GetDefaultSelectedBkColor(), kFallbackSelectedBack);
    if (back != 0) CUIRender::FillSolid(dc, rc, ApplyHsl(back));
    const CUIString* image = &looks.image;
    if (hot && !looks.hotImage.IsEmpty()) image = &looks.hotImage;
    if (selected && !looks.selectedImage.IsEmpty()) image = &looks.selectedImage;
    if (!image->IsEmpty()) CUIRender::PaintImageSpec(dc, looksFrom, rc, m_rcPaint, *image);

    DWORD color = First(looks.textColor, looksFrom->GetDefaultFontColor(), kFallbackText);
    if (hot) color = First(looks.hotTextColor, color);
    if (selected) color = First(looks.selectedTextColor, color);
    if (!enabled) color = First(looks.disabledTextColor, looksFrom->GetDefaultDisabledColor(), color);
    CUIRect text = rc;
    text.Deflate(ScaleRect(looks.textPadding));
    const CUIString words = item->GetText();
    if (!words.IsEmpty()) CUIRender::PaintText(dc, looksFrom, text, words, ApplyHsl(color), looks.font, looks.textStyle);
    if (looks.lineColor != 0) {
        CUIRender::FillSolid(dc, CUIRect(rc.left, rc.bottom - 1, rc.right, rc.bottom), ApplyHsl(looks.lineColor));
    }
}

}  // namespace SkinUI
