// CMenuLevelUI: the root of one open menu level's window. It stacks the rows the
// menu moved into it, each at its row height, scrolls them with the framework's
// bar when they exceed the work area, and wears the menu's background and border.
//
// It takes the left button's presses and releases in its window before the window
// does (the window would hold the pointer): a release over a row chooses it or
// opens its submenu, as in the system's menus, wherever the press was.
#pragma once

#include "ui/controls/vertical_layout.h"
#include "ui/core/ui_events.h"

namespace SkinUI {

class CMenuUI;

class CMenuLevelUI final : public CVerticalLayoutUI, public IMessageFilterUI {
public:
    explicit CMenuLevelUI(CMenuUI* menu);

    const wchar_t* GetClass() const override;          // "MenuLevelUI"
    void* GetInterface(const wchar_t* name) override;  // "MenuLevel"
    void SetFocus() override;                          // the keyboard stays with the owner
    // A row taken out while the menu is open is forgotten by the menu first.
    bool RemoveAt(int index) override;
    void RemoveAll() override;

    CMenuUI* GetMenu() const { return m_pMenu; }
    void SetMenu(CMenuUI* menu) { m_pMenu = menu; }
    // The window size the rows need: the widest row and the sum of the heights, with
    // inset and border, at least `minWidth` wide (pixels).
    SIZE MeasureLevel(HDC dc, int minWidth) const;
    // The row at a point of the window, or null.
    CControlUI* RowAt(POINT pt) const;

    // IMessageFilterUI: the left button in the level's window.
    LRESULT FilterMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;

private:
    CMenuUI* m_pMenu;
};

}  // namespace SkinUI
