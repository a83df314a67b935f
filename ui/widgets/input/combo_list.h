// CComboListUI: the drop-down list of a combo, the root of its popup window.
//
// It holds no children: it draws one row per item of its combo, from the item's
// text with the combo's item looks, only for the rows that meet the area being
// painted, so that a list of thousands costs a frame what a short one does. Its
// own vertical scroll bar (the framework's) scrolls the rows; the wheel reaches
// it through the popup. A click on a row picks that item.
#pragma once

#include "ui/controls/container.h"

namespace SkinUI {

class CComboUI;

class CComboListUI final : public CContainerUI {
public:
    explicit CComboListUI(CComboUI* owner);

    const wchar_t* GetClass() const override;          // "ComboListUI"
    void* GetInterface(const wchar_t* name) override;  // "ComboList"
    void SetFocus() override;                          // the keyboard stays with the owner
    void PlaceAt(CUIRect rc, bool invalidate = true) override;
    void HandleEvent(TUIEvent& event) override;
    void DrawLabelText(HDC dc) override;

    // The combo goes before the list does: a closed list draws and picks nothing.
    void SetOwner(CComboUI* owner) { m_pOwner = owner; }
    int GetRowCount() const;
    // The row under a point of the popup's client area, or -1.
    int RowAt(POINT pt) const;
    // A row's rectangle in the popup's client area (scrolled; may lie outside the view).
    CUIRect RowRect(int row) const;
    // Scrolls so that the row is in view.
    void ShowRow(int row);
    int GetHotRow() const { return m_iHot; }

private:
    void SetHot(int row);
    void DrawRow(HDC dc, int row, const CUIRect& rc);

    CComboUI* m_pOwner;
    int m_iHot;
};

}  // namespace SkinUI
