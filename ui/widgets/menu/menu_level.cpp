#include "ui/widgets/menu/menu_level.h"

#include <windowsx.h>

#include <cwchar>

#include "ui/widgets/menu/menu.h"
#include "ui/widgets/menu/menu_element.h"

namespace SkinUI {

CMenuLevelUI::CMenuLevelUI(CMenuUI* menu) : m_pMenu(menu) {}

const wchar_t* CMenuLevelUI::GetClass() const { return L"MenuLevelUI"; }

void* CMenuLevelUI::GetInterface(const wchar_t* name) {
    if (name != nullptr && ::_wcsicmp(name, L"MenuLevel") == 0) return static_cast<CMenuLevelUI*>(this);
    return CVerticalLayoutUI::GetInterface(name);
}

void CMenuLevelUI::SetFocus() {}

bool CMenuLevelUI::RemoveAt(int index) {
    CControlUI* row = GetItemAt(index);
    if (auto* item = row != nullptr ? static_cast<CMenuElementUI*>(row->GetInterface(L"MenuElement")) : nullptr) {
        if (m_pMenu != nullptr && item->GetTracker() == m_pMenu) m_pMenu->ItemGone(item);
        item->SetTracker(nullptr);
        item->SetHot(false);
    }
    return CVerticalLayoutUI::RemoveAt(index);
}

void CMenuLevelUI::RemoveAll() {
    while (GetCount() > 0) RemoveAt(GetCount() - 1);
}

CControlUI* CMenuLevelUI::RowAt(POINT pt) const {
    for (int i = 0; i < GetCount(); ++i) {
        CControlUI* row = GetItemAt(i);
        if (row->IsVisible() && row->GetPos().PtInRect(pt)) return row;
    }
    return nullptr;
}

LRESULT CMenuLevelUI::FilterMessage(UINT msg, WPARAM, LPARAM lParam, bool& handled) {
    if (msg != WM_LBUTTONDOWN && msg != WM_LBUTTONDBLCLK && msg != WM_LBUTTONUP) return 0;
    if (m_pMenu == nullptr) return 0;
    handled = true;
    if (msg != WM_LBUTTONUP) return 0;
    CControlUI* row = RowAt(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    auto* item = row != nullptr ? static_cast<CMenuElementUI*>(row->GetInterface(L"MenuElement")) : nullptr;
    if (item != nullptr && item->IsSelectable()) m_pMenu->InvokeItem(item);  // may close the level
    return 0;
}

SIZE CMenuLevelUI::MeasureLevel(HDC dc, int minWidth) const {
    long long height = 0;
    int width = minWidth;
    for (int i = 0; i < GetCount(); ++i) {
        CControlUI* row = GetItemAt(i);
        if (!row->IsVisible()) continue;
        height += row->GetFixedHeight();
        int need = row->GetFixedWidth();
        if (auto* item = static_cast<CMenuElementUI*>(row->GetInterface(L"MenuElement"))) need = item->MeasureWidth(dc);
        if (need > width) width = need;
    }
    const CUIRect inset = GetInset();
    const CUIRect border = GetBorderSizes();
    width += inset.left + inset.right + border.left + border.right;
    height += inset.top + inset.bottom + border.top + border.bottom;
    const long long kMost = 1 << 20;  // far beyond any screen; the placement cuts it to the work area
    return SIZE{width, static_cast<LONG>(height > kMost ? kMost : height)};
}

}  // namespace SkinUI
